// --reviewer NAME and --role ROLE, the options of the commands that change a review.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/review_event.h"

namespace marrowick::cli {

struct ReviewerOptions {
    std::vector<std::string> rest;      // every other argument, in order
    std::optional<Reviewer> reviewer;   // absent without --reviewer
};

// Takes the two options out of the arguments. Nothing when either lacks its value, the name is
// empty, or --role comes without --reviewer.
std::optional<ReviewerOptions> parseReviewerOptions(std::span<const std::string> arguments);

}  // namespace marrowick::cli
