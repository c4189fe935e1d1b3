// Fuzzes the readers of the local model server's answers: the chat reply, the shot-check result
// and its limits, the note built from it, and the model list.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "assistant/assistant_note.h"
#include "assistant/assistant_result.h"
#include "assistant/chat_reply.h"
#include "assistant/model_listing.h"
#include "model/review_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marrowick;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)ModelListing::lists(text, "marrowick-local");
    try {
        for (const ChatReply::Choice& choice : ChatReply::parse(text).choices) (void)choice.finishReason;
    } catch (const marrowick::ReviewError&) {
    }
    try {
        const AssistantResult result = AssistantResult::parse(text);
        if (result.withinLimits()) (void)AssistantNote::forCheck("model", result);
    } catch (const marrowick::ReviewError&) {
    }
    return 0;
}
