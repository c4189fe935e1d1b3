// The members of a chat-completions response that the assistant reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marrowick {

struct ChatReply {
    struct Choice {
        std::string content;                      // "message"."content"
        std::optional<std::string> finishReason;  // "finish_reason": absent or null is none
    };
    std::vector<Choice> choices;

    // Decodes the response body; "choices", each choice's "message" and its string "content" are
    // required. Otherwise throws a ReviewError with the JSON decoder's own message.
    static ChatReply parse(std::string_view body);
};

}  // namespace marrowick
