// Sign-off seals over a film's shots.
#include "disclosure/sign_off.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "analysis/file_fingerprint.h"
#include "model/decimal_text.h"
#include "model/film_name.h"
#include "model/reference_date.h"
#include "model/review_error.h"

namespace marrowick::SignOff {
namespace {

std::vector<Shot> filmShots(const Project& project, const Uuid& filmID) {
    std::vector<Shot> shots;
    for (const Shot& shot : project.shots)
        if (shot.filmID == filmID) shots.push_back(shot);
    std::stable_sort(shots.begin(), shots.end(), [](const Shot& a, const Shot& b) { return a.start < b.start; });
    return shots;
}

std::string shotCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " unreviewed shot" : " unreviewed shots");
}

}  // namespace

std::string_view stateText(State state) {
    switch (state) {
        case State::valid: return "Signed off";
        case State::voided: return "Sign-off void (changed after sign-off)";
        case State::none: break;
    }
    return "Not signed off";
}

std::string signerText(const Status& status) {
    if (!status.event) return {};
    return reviewerLabel(status.event->reviewer) + ", " + iso8601Utc(status.event->date);
}

std::string shotsDigest(const Project& project, const Uuid& filmID) {
    std::string lines;
    for (const Shot& shot : filmShots(project, filmID)) {
        lines += decimalText(shot.start) + "..<" + decimalText(shot.end) + " ";
        lines += disclosureString(shot.disclosure);
        lines += '\n';
    }
    return FileFingerprint::sha256Of(lines);
}

std::size_t unreviewed(const Project& project, const Uuid& filmID) {
    std::size_t count = 0;
    for (const Shot& shot : project.shots)
        if (shot.filmID == filmID && shot.disclosure == Disclosure::unreviewed) ++count;
    return count;
}

Status status(const Project& project, const Film& film) {
    for (std::size_t index = project.history.size(); index-- > 0;) {
        const ReviewEvent& event = project.history[index];
        if (event.action != kAction || !event.signOff || event.signOff->filmID != film.id) continue;
        const bool sourceHolds = !film.sourceSHA256 || *film.sourceSHA256 == event.signOff->filmSHA256;
        const bool shotsHold = shotsDigest(project, film.id) == event.signOff->shotsSHA256;
        return {sourceHolds && shotsHold ? State::valid : State::voided, event};
    }
    return {};
}

void sign(Project& project, const Uuid& filmID, const Reviewer& reviewer, const std::string& filmSHA256) {
    if (reviewer.name.empty()) throw ReviewError("Set a reviewer name before signing off.");
    const Film* film = project.film(filmID);
    if (!film) throw ReviewError("The film is not part of this review.");
    const std::string name = fileName(*film);
    if (const std::size_t open = unreviewed(project, filmID); open > 0)
        throw ReviewError("\"" + name + "\" cannot be signed off: " + shotCount(open) + ".");
    std::vector<Uuid> ids;
    for (const Shot& shot : filmShots(project, filmID)) ids.push_back(shot.id);
    ReviewEvent event{referenceDateNow(), kAction, std::move(ids), name};
    event.reviewer = reviewer;
    event.signOff = SignOffSeal{filmID, filmSHA256, shotsDigest(project, filmID)};
    project.history.push_back(std::move(event));
    for (Film& candidate : project.films)
        if (candidate.id == filmID && !candidate.sourceSHA256) candidate.sourceSHA256 = filmSHA256;
}

}  // namespace marrowick::SignOff
