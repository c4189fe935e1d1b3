// Decoding of the server's answers: the chat reply, the shot-check result and its limits, and
// the model list that signals readiness.
#include "assistant/assistant_result.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "assistant/chat_reply.h"
#include "assistant/model_listing.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

std::string repeated(const std::string& cluster, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += cluster;
    return text;
}

AssistantResult result(std::string description, std::vector<std::string> questions, std::string hint) {
    return {std::move(description), std::move(questions), std::move(hint)};
}

TEST(ChatReply, ReadsContentAndAnOptionalFinishReason) {
    const ChatReply reply = ChatReply::parse(
        R"({"id":"x","choices":[{"message":{"role":"assistant","content":"a"},"finish_reason":null},
                                 {"message":{"content":""},"finish_reason":"length"},{"message":{"content":"c"}}]})");
    ASSERT_EQ(reply.choices.size(), 3u);
    EXPECT_EQ(reply.choices[0].content, "a");
    EXPECT_FALSE(reply.choices[0].finishReason);
    EXPECT_EQ(reply.choices[1].finishReason, "length");
    EXPECT_FALSE(reply.choices[2].finishReason);
    EXPECT_TRUE(ChatReply::parse(R"({"choices":[]})").choices.empty());
}

TEST(ChatReply, MissingOrMistypedMembersAreDecoderErrors) {
    for (const char* body : {"", "[]", "{}", R"({"choices":{}})", R"({"choices":[{}]})",
                             R"({"choices":[{"message":{}}]})", R"({"choices":[{"message":{"content":null}}]})",
                             R"({"choices":[{"message":{"content":3}}]})",
                             R"({"choices":[{"message":{"content":"a"},"finish_reason":7}]})", R"({"choices":[1]})"})
        EXPECT_THROW(ChatReply::parse(body), ReviewError) << body;
}

TEST(AssistantResult, DecodesTheThreeKeysAndIgnoresOthers) {
    EXPECT_EQ(AssistantResult::parse(
                  R"({"description":"A pier.","review_questions":["Who shot it?"],"group_hint":"pier at dusk","x":1})"),
              result("A pier.", {"Who shot it?"}, "pier at dusk"));
    for (const char* text : {R"({"review_questions":[],"group_hint":""})", R"({"description":"","group_hint":""})",
                             R"({"description":"","review_questions":[]})",
                             R"({"description":1,"review_questions":[],"group_hint":""})",
                             R"({"description":"","review_questions":[2],"group_hint":""})",
                             R"({"description":"","review_questions":"q","group_hint":""})", "", "[]", "not json"})
        EXPECT_THROW(AssistantResult::parse(text), ReviewError) << text;
}

TEST(AssistantResult, LimitsCountUserPerceivedCharacters) {
    // "e" and a combining acute accent: one character, three bytes.
    const std::string accented = "e\xCC\x81";
    EXPECT_TRUE(result(repeated(accented, 3999), {}, repeated(accented, 499)).withinLimits());
    EXPECT_FALSE(result(repeated(accented, 4000), {}, "").withinLimits());
    EXPECT_FALSE(result("", {}, repeated("a", 500)).withinLimits());
    // Looser than the schema: three 200-character questions pass; nine questions do not.
    EXPECT_TRUE(result("", std::vector<std::string>(3, repeated("q", 200)), "").withinLimits());
    EXPECT_TRUE(result("", std::vector<std::string>(8, repeated(accented, 500)), "").withinLimits());
    EXPECT_FALSE(result("", std::vector<std::string>(9, "q"), "").withinLimits());
    EXPECT_FALSE(result("", {"q", repeated("q", 501)}, "").withinLimits());
}

TEST(ModelListing, OnlyAnEntryWithTheAliasCountsAsReady) {
    EXPECT_TRUE(ModelListing::lists(R"({"object":"list","data":[{"id":"other"},{"id":"marrowick-local"}]})",
                                    "marrowick-local"));
    for (const char* body : {R"({"data":[{"id":"other"}]})", R"({"models":[{"id":"marrowick-local"}]})",
                             R"({"data":{"id":"marrowick-local"}})", R"({"data":[{"id":["marrowick-local"]}]})",
                             R"([{"id":"marrowick-local"}])", "Loading model", "",
                             R"({"error":{"message":"Loading model","type":"unavailable_error","code":503}})"})
        EXPECT_FALSE(ModelListing::lists(body, "marrowick-local")) << body;
}

}  // namespace
}  // namespace marrowick
