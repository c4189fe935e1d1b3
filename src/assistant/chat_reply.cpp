// ChatReply decoding with nlohmann::json.
#include "assistant/chat_reply.h"

#include <nlohmann/json.hpp>

#include "assistant/internal/answer_decoding.h"

namespace marrowick {
namespace {

ChatReply::Choice choice(const nlohmann::json& entry) {
    ChatReply::Choice result;
    result.content = entry.at("message").at("content").get<std::string>();
    const auto reason = entry.find("finish_reason");
    if (reason != entry.end() && !reason->is_null()) result.finishReason = reason->get<std::string>();
    return result;
}

}  // namespace

ChatReply ChatReply::parse(std::string_view body) {
    return decodingAnswer([body] {
        const nlohmann::json response = nlohmann::json::parse(body);
        ChatReply reply;
        for (const nlohmann::json& entry : response.at("choices").get<std::vector<nlohmann::json>>())
            reply.choices.push_back(choice(entry));
        return reply;
    });
}

}  // namespace marrowick
