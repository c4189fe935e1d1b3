// What the review report states, gathered from a project: per film its counts, sign-off and the
// shots worth listing, who decided each shot and when, and every reviewer the history names.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

#include "disclosure/sign_off.h"
#include "model/project.h"

namespace marrowick {

// The history entry that set a shot's current decision.
struct Decider {
    double date = 0;
    std::optional<Reviewer> reviewer;
};

struct FilmFacts {
    Film film;
    std::array<std::size_t, 4> counts{};  // shots per Disclosure, in the enumeration's order
    SignOff::Status signOff;
    std::vector<Shot> listed;             // labelled or noted shots, in film order
};

struct ReportFacts {
    std::vector<FilmFacts> films;         // in the project's film order
    std::vector<Reviewer> reviewers;      // each distinct name and role once, first named first
    std::unordered_map<Uuid, Decider, UuidHash> deciders;

    std::size_t listedShots() const;
};

ReportFacts reportFacts(const Project& project);

}  // namespace marrowick
