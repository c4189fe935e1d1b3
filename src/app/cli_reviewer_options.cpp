// Parsing --reviewer and --role.
#include "app/cli_reviewer_options.h"

namespace marrowick::cli {

std::optional<ReviewerOptions> parseReviewerOptions(std::span<const std::string> arguments) {
    ReviewerOptions options;
    std::optional<std::string> name;
    std::optional<std::string> role;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const bool isName = arguments[i] == "--reviewer";
        if (!isName && arguments[i] != "--role") {
            options.rest.push_back(arguments[i]);
            continue;
        }
        if (i + 1 == arguments.size()) return std::nullopt;
        (isName ? name : role) = arguments[++i];
    }
    if (role && !name) return std::nullopt;
    if (name) {
        if (name->empty()) return std::nullopt;
        options.reviewer = Reviewer{*name, role.value_or(std::string())};
    }
    return options;
}

}  // namespace marrowick::cli
