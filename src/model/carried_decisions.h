// How a carried decision reads, and accepting carried decisions as the reviewer's own.
#pragma once

#include <string>

#include "model/project.h"

namespace marrowick {

// Where the earlier decision was made: the earlier film's file name when it is a film of the
// project, else the review file it came from, else "an earlier cut".
std::string carriedSourceName(const Project& project, const CarriedDecision& carried);

// "was AI generated in trailer-v1.mov 00:01:02.120" (the start of the earlier frames).
std::string carriedSuggestion(const Project& project, const CarriedDecision& carried);

// "trailer-v1.mov 00:01:02.120–00:01:04.000".
std::string carriedRange(const Project& project, const CarriedDecision& carried);

}  // namespace marrowick
