// Texts of carried decisions, and accepting them.
#include "model/carried_decisions.h"

#include <filesystem>

#include "model/clock_string.h"
#include "model/film_name.h"
#include "model/film_time.h"
#include "model/internal/review_history.h"

namespace marrowick {

namespace {

std::string wasText(Disclosure disclosure) {
    switch (disclosure) {
        case Disclosure::none: return "had no label";
        case Disclosure::modified: return "was AI modified";
        case Disclosure::generated: return "was AI generated";
        case Disclosure::unreviewed: break;
    }
    return "was unreviewed";
}

// The earlier film's own timecode when that film is in this review, else the clock string.
std::string earlierTime(const Project& project, const CarriedDecision& carried, double seconds) {
    if (const Film* film = project.film(carried.filmID)) return FilmTime::timecode(*film, seconds);
    return clockString(seconds);
}

}  // namespace

std::string carriedSourceName(const Project& project, const CarriedDecision& carried) {
    if (const Film* film = project.film(carried.filmID)) return fileName(*film);
    if (!carried.project.empty()) return carried.project;
    return "an earlier cut";
}

std::string carriedSuggestion(const Project& project, const CarriedDecision& carried) {
    return wasText(carried.disclosure) + " in " + carriedSourceName(project, carried) + " " + earlierTime(project, carried, carried.start);
}

std::string carriedRange(const Project& project, const CarriedDecision& carried) {
    return carriedSourceName(project, carried) + " " + earlierTime(project, carried, carried.start) + "–" +
           earlierTime(project, carried, carried.end);
}

std::size_t Project::acceptCarried(const std::vector<Uuid>& shotIDs) {
    std::vector<Uuid> accepted;
    std::string detail;
    for (const Uuid& id : shotIDs) {
        const std::optional<std::size_t> index = shotIndex(id);
        if (!index || !shots[*index].carriedFrom || shots[*index].disclosure != Disclosure::unreviewed) continue;
        Shot& shot = shots.mut(*index);
        const CarriedDecision carried = *shot.carriedFrom;
        shot.disclosure = carried.disclosure;
        shot.carriedFrom.reset();
        detail += (detail.empty() ? "" : "; ") + std::string(disclosureString(carried.disclosure)) + " from " +
                  carriedRange(*this, carried);
        accepted.push_back(id);
    }
    if (!accepted.empty()) appendHistory(*this, "accept-earlier", accepted, detail);
    return accepted.size();
}

}  // namespace marrowick
