// The shot check and the boundary review against the stand-in server: messages, schema, answer
// checks, frame times, notes and cancellation.
#include "assistant/local_assistant.h"

#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "assistant/assistant_note.h"
#include "model/review_error.h"
#include "runtime_fixture.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;
using ::testing::SizeIs;

const std::string kCheckAnswer =
    R"({"description":"A harbour at dusk.","review_questions":["Who filmed it?","Was it retouched?"],"group_hint":"harbour boats dusk"})";

Shot thumbnailed(std::vector<std::uint8_t> jpeg) {
    Shot shot;
    shot.id = Uuid::random();
    shot.thumbnail = makeBlob(std::move(jpeg));
    return shot;
}

Film film(double duration) {
    Film result;
    result.id = Uuid::random();
    result.duration = duration;
    return result;
}

class LocalAssistantTest : public ::testing::Test {
protected:
    void answer(const nlohmann::json& reply) { folder.script({{"answers", {reply}}}); }

    RuntimeFolder folder;
    RuntimeProcessOwner owner;
    LocalRuntime runtime{folder.configuration(), owner};
    LocalAssistant assistant{runtime};
};

TEST_F(LocalAssistantTest, PartsPutTheTextFirstAndAtMostThreeImages) {
    EXPECT_EQ(LocalAssistant::parts("t", {}), nlohmann::json::parse(R"([{"type":"text","text":"t"}])"));
    const nlohmann::json parts = LocalAssistant::parts("t", {"A", "B", "C", "D"});
    ASSERT_THAT(parts, SizeIs(4));
    EXPECT_EQ(parts[1], nlohmann::json::parse(R"({"type":"image_url","image_url":{"url":"data:image/jpeg;base64,A"}})"));
    EXPECT_EQ(parts[3]["image_url"]["url"], "data:image/jpeg;base64,C");
}

TEST_F(LocalAssistantTest, AShotCheckSendsTheThumbnailWithTheSchemaAndReturnsTheParsedAnswer) {
    answer(RuntimeFolder::answer(kCheckAnswer));
    const AssistantResult result = assistant.check(thumbnailed({0xFF, 0xD8, 0xFF}));
    EXPECT_EQ(result.description, "A harbour at dusk.");
    EXPECT_EQ(AssistantNote::forCheck("Qwen3-VL-2B", result),
              "Qwen3-VL-2B · A harbour at dusk.\nGroup hint: harbour boats dusk\n"
              "• Who filmed it?\n• Was it retouched?");

    const nlohmann::json request = folder.requests().at(0);
    EXPECT_EQ(request["max_tokens"], 500);
    EXPECT_EQ(request["response_format"]["type"], "json_object");
    EXPECT_EQ(request["response_format"]["schema"], LocalAssistant::checkSchema());
    EXPECT_EQ(request["response_format"]["schema"]["required"],
              nlohmann::json::parse(R"(["description","review_questions","group_hint"])"));
    const nlohmann::json& messages = request["messages"];
    ASSERT_THAT(messages, SizeIs(2));
    EXPECT_EQ(messages[0]["role"], "system");
    EXPECT_THAT(messages[0]["content"].get<std::string>(), HasSubstr("the group hint to 3\u20138 words"));
    EXPECT_EQ(messages[1]["content"][0]["text"], "Describe this shot and suggest provenance questions for human review.");
    EXPECT_EQ(messages[1]["content"][1]["image_url"]["url"], "data:image/jpeg;base64,/9j/");
}

TEST_F(LocalAssistantTest, AShotWithoutThumbnailFailsBeforeAnyStart) {
    EXPECT_EQ(testing::raisedMessage([&] { assistant.check(Shot{}); }), "Refresh this shot's thumbnail first.");
    EXPECT_TRUE(folder.pids().empty());
}

TEST_F(LocalAssistantTest, UnusableAnswersFailWithTheirMessages) {
    const Shot shot = thumbnailed({1, 2, 3});
    answer(RuntimeFolder::answer(kCheckAnswer, "length"));
    EXPECT_EQ(testing::raisedMessage([&] { assistant.check(shot); }),
              "The local assistant reached its response limit. Try the check again.");
    answer({{"status", 200}, {"body", R"({"choices":[]})"}});
    EXPECT_EQ(testing::raisedMessage([&] { assistant.check(shot); }), "The local assistant returned no text.");
    answer(RuntimeFolder::answer(""));
    EXPECT_THAT(testing::raisedMessage([&] { assistant.check(shot); }), HasSubstr("parse error"));
    answer(RuntimeFolder::answer(
        R"({"description":"d","review_questions":["1","2","3","4","5","6","7","8","9"],"group_hint":"h"})"));
    EXPECT_EQ(testing::raisedMessage([&] { assistant.check(shot); }), "Model response exceeds review limits.");
    answer({{"status", 200}, {"body", R"({"choices":[{"message":{"content":null}}]})"}});
    EXPECT_THAT(testing::raisedMessage([&] { assistant.check(shot); }), HasSubstr("type must be string"));
}

TEST_F(LocalAssistantTest, BoundaryFramesStayInsideTheFilm) {
    EXPECT_THAT(LocalAssistant::boundaryFrames(film(10), 5),
                ElementsAre(Pair(4.75, 4.751), Pair(5, 5.001), Pair(5.25, 5.251)));
    EXPECT_THAT(LocalAssistant::boundaryFrames(film(10), 0.1),
                ElementsAre(Pair(0, 0.001), Pair(0.1, 0.101), Pair(0.35, 0.351)));
    const auto late = LocalAssistant::boundaryFrames(film(10), 9.9);
    EXPECT_DOUBLE_EQ(late[1].first, 9.9);
    EXPECT_DOUBLE_EQ(late[2].first, 9.999);
    EXPECT_DOUBLE_EQ(late[2].second, 10);
}

TEST_F(LocalAssistantTest, ABoundaryReviewSendsTheRenderedFramesOrTheTextAlone) {
    answer(RuntimeFolder::answer(std::string(5001, 'r')));
    std::vector<double> rendered;
    const std::string review = assistant.compareBoundary(film(10), 5, [&](Shot shot, const Film&) {
        rendered.push_back(shot.start);
        if (rendered.size() != 2) shot.thumbnail = makeBlob({0xFF, 0xD8});
        return shot;
    });
    EXPECT_EQ(review, std::string(5000, 'r'));
    EXPECT_THAT(rendered, ElementsAre(4.75, 5, 5.25));
    nlohmann::json request = folder.requests().at(0);
    EXPECT_EQ(request["max_tokens"], 220);
    EXPECT_FALSE(request.contains("response_format"));
    EXPECT_THAT(request["messages"][1]["content"], SizeIs(3));
    EXPECT_EQ(request["messages"][1]["content"][0]["text"], "Frames at -0.25s, cut, +0.25s. Give a short boundary review.");

    answer(RuntimeFolder::answer(""));
    const std::string empty = assistant.compareBoundary(film(10), 5, [](Shot shot, const Film&) { return shot; });
    EXPECT_EQ(AssistantNote::forBoundary("M", empty), "Boundary review (M):\n");
    EXPECT_THAT(folder.requests().at(1)["messages"][1]["content"], SizeIs(1));
}

TEST_F(LocalAssistantTest, CancellingAnExchangeEndsItOnceAndEndsTheServer) {
    answer({{"status", 200}, {"body", "{}"}, {"delayMs", 30000}});
    std::stop_source stop;
    int cancellations = 0;
    std::thread request([&] {
        try {
            assistant.chat(nlohmann::json::array(), std::nullopt, 5, stop.get_token());
        } catch (const Cancelled&) {
            ++cancellations;
        }
    });
    ASSERT_TRUE(RuntimeFolder::eventually([&] { return !folder.requests().empty(); }));
    stop.request_stop();
    request.join();
    EXPECT_EQ(cancellations, 1);
    EXPECT_EQ(owner.process(), nullptr);
    EXPECT_TRUE(RuntimeFolder::endsSoon(folder.pids().front()));
}

}  // namespace
}  // namespace marrowick
