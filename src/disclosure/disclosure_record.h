// The review package's plain-text disclosure record: what the review states and does not establish.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace marrowick {

inline constexpr const char* kEuIconsAddress =
    "https://digital-strategy.ec.europa.eu/en/policies/eu-icons-labelling-ai-generated-content";
inline constexpr const char* kRegulationAddress = "https://eur-lex.europa.eu/eli/reg/2024/1689/oj";

// The detectors that produced the project's films, from their `detector` fields: distinct names
// in film order.
std::vector<std::string> detectorNames(const Project& project);

// What the project declares about the work as a whole: "Creative-work disclosure note: " and the
// note when the work is declared evidently artistic or creative, else "Per-shot visible disclosure
// selected.".
std::string workDisclosureNote(const Project& project);

// The record's 13 lines joined by LF, without a final LF. `createdAt` is the export moment in
// seconds since 2001-01-01 UTC.
std::string disclosureRecord(const Project& project, double createdAt);

}  // namespace marrowick
