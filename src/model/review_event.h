// One entry of a project's append-only review history.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/uuid.h"

namespace marrowick {

// Who made a review action: the name and role set in the user's preferences. Stored in the file
// as the extra key "reviewer" of a history entry.
struct Reviewer {
    std::string name;
    std::string role;  // may be empty

    friend bool operator==(const Reviewer&, const Reviewer&) = default;
};

// What a "sign-off" entry attests: the film, its source file's SHA-256 and a SHA-256 over its
// shots' ranges and decisions at the moment of signing. Stored as the extra key "signOff".
struct SignOffSeal {
    Uuid filmID;
    std::string filmSHA256;
    std::string shotsSHA256;

    friend bool operator==(const SignOffSeal&, const SignOffSeal&) = default;
};

// "Name (Role)", "Name" without a role, "unnamed reviewer" without a reviewer.
inline std::string reviewerLabel(const std::optional<Reviewer>& reviewer) {
    if (!reviewer) return "unnamed reviewer";
    return reviewer->role.empty() ? reviewer->name : reviewer->name + " (" + reviewer->role + ")";
}

struct ReviewEvent {
    double date = 0;               // seconds since 2001-01-01T00:00:00 UTC
    std::string action;
    std::vector<Uuid> shotIDs;
    std::string detail;
    std::optional<Reviewer> reviewer = std::nullopt;
    std::optional<SignOffSeal> signOff = std::nullopt;

    friend bool operator==(const ReviewEvent&, const ReviewEvent&) = default;
};

}  // namespace marrowick
