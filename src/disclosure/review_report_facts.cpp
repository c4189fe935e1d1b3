// Gathering the report's facts in one pass over the history and one over the shots.
#include "disclosure/review_report_facts.h"

#include <algorithm>

namespace marrowick {
namespace {

void noteReviewer(std::vector<Reviewer>& reviewers, const std::optional<Reviewer>& reviewer) {
    if (reviewer && std::find(reviewers.begin(), reviewers.end(), *reviewer) == reviewers.end())
        reviewers.push_back(*reviewer);
}

// A "label" entry decides its shots; the second shot of a "split" keeps the first one's decision,
// and so its decider.
void followHistory(const Project& project, ReportFacts& facts) {
    for (const ReviewEvent& event : project.history) {
        noteReviewer(facts.reviewers, event.reviewer);
        if (event.action == "label") {
            for (const Uuid& id : event.shotIDs) facts.deciders[id] = Decider{event.date, event.reviewer};
        } else if (event.action == "split" && event.shotIDs.size() == 2) {
            const auto found = facts.deciders.find(event.shotIDs[0]);
            if (found != facts.deciders.end()) facts.deciders[event.shotIDs[1]] = found->second;
        }
    }
}

bool listed(const Shot& shot) {
    return shot.disclosure == Disclosure::modified || shot.disclosure == Disclosure::generated || !shot.note.empty();
}

}  // namespace

std::size_t ReportFacts::listedShots() const {
    std::size_t count = 0;
    for (const FilmFacts& film : films) count += film.listed.size();
    return count;
}

ReportFacts reportFacts(const Project& project) {
    ReportFacts facts;
    followHistory(project, facts);
    std::unordered_map<Uuid, std::size_t, UuidHash> position;
    for (const Film& film : project.films) {
        position[film.id] = facts.films.size();
        facts.films.push_back(FilmFacts{film, {}, SignOff::status(project, film), {}});
    }
    for (const Shot& shot : project.shots) {
        const auto found = position.find(shot.filmID);
        if (found == position.end()) continue;
        FilmFacts& film = facts.films[found->second];
        ++film.counts[static_cast<std::size_t>(shot.disclosure)];
        if (listed(shot)) film.listed.push_back(shot);
    }
    for (FilmFacts& film : facts.films)
        std::stable_sort(film.listed.begin(), film.listed.end(),
                         [](const Shot& a, const Shot& b) { return a.start < b.start; });
    return facts;
}

}  // namespace marrowick
