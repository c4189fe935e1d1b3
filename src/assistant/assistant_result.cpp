// AssistantResult: strict decoding and the limits applied after it.
#include "assistant/assistant_result.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "assistant/internal/answer_decoding.h"
#include "assistant/internal/grapheme_text.h"

namespace marrowick {

AssistantResult AssistantResult::parse(std::string_view json) {
    return decodingAnswer([json] {
        const nlohmann::json answer = nlohmann::json::parse(json);
        AssistantResult result;
        result.description = answer.at("description").get<std::string>();
        result.reviewQuestions = answer.at("review_questions").get<std::vector<std::string>>();
        result.groupHint = answer.at("group_hint").get<std::string>();
        return result;
    });
}

bool AssistantResult::withinLimits() const {
    return fitsGraphemes(description, kMaxDescription) && fitsGraphemes(groupHint, kMaxGroupHint) &&
           reviewQuestions.size() <= kMaxQuestions &&
           std::all_of(reviewQuestions.begin(), reviewQuestions.end(),
                       [](const std::string& question) { return fitsGraphemes(question, kMaxQuestion); });
}

}  // namespace marrowick
