// AssistantNote formats.
#include "assistant/assistant_note.h"

namespace marrowick::AssistantNote {

std::string forCheck(const std::string& modelName, const AssistantResult& result) {
    std::string note = modelName + " · " + result.description + "\nGroup hint: " + result.groupHint + "\n";
    for (std::size_t i = 0; i < result.reviewQuestions.size(); ++i) {
        if (i > 0) note += "\n";
        note += "• " + result.reviewQuestions[i];
    }
    return note;
}

std::string forBoundary(const std::string& modelName, const std::string& review) {
    return "Boundary review (" + modelName + "):\n" + review;
}

}  // namespace marrowick::AssistantNote
