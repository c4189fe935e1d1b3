// Signing off a film: a "sign-off" history entry that seals the film's source and its shots'
// ranges and decisions, and the test of whether that seal still holds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/project.h"

namespace marrowick::SignOff {

inline constexpr const char* kAction = "sign-off";

enum class State { none, valid, voided };

struct Status {
    State state = State::none;
    std::optional<ReviewEvent> event;  // the film's latest sign-off, when there is one
};

// "Not signed off", "Signed off", "Sign-off void (changed after sign-off)".
std::string_view stateText(State state);

// Who signed and when: "Name (Role), 2026-12-10T08:03:10Z"; empty without a sign-off.
std::string signerText(const Status& status);

// SHA-256 (lower-case hex) over the film's shots in film order: one line per shot with its start
// and end as decimal text and its decision word.
std::string shotsDigest(const Project& project, const Uuid& filmID);

// Number of the film's shots without a decision.
std::size_t unreviewed(const Project& project, const Uuid& filmID);

// The film's latest sign-off and whether the film still matches it: any later change of a shot's
// range or decision, or a different source fingerprint, voids it.
Status status(const Project& project, const Film& film);

// Appends a sign-off for the film, attributed to the reviewer; a film without a recorded
// fingerprint takes `filmSHA256` as its fingerprint. Throws ReviewError when the
// reviewer has no name, the film is not in the project or any of its shots is unreviewed.
void sign(Project& project, const Uuid& filmID, const Reviewer& reviewer, const std::string& filmSHA256);

}  // namespace marrowick::SignOff
