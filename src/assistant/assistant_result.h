// The parsed answer of a shot check: a description, provenance questions and a grouping hint.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marrowick {

struct AssistantResult {
    static constexpr std::size_t kMaxDescription = 3999;
    static constexpr std::size_t kMaxGroupHint = 499;
    static constexpr std::size_t kMaxQuestions = 8;
    static constexpr std::size_t kMaxQuestion = 500;

    std::string description;
    std::vector<std::string> reviewQuestions;  // JSON key "review_questions"
    std::string groupHint;                     // JSON key "group_hint"

    // Decodes a JSON object with exactly these keys (others ignored). Throws a ReviewError with
    // the JSON decoder's own message for anything else.
    static AssistantResult parse(std::string_view json);

    // Whether every field keeps within the review limits, counted in user-perceived characters.
    bool withinLimits() const;

    friend bool operator==(const AssistantResult&, const AssistantResult&) = default;
};

}  // namespace marrowick
