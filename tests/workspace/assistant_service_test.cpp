// The controller's local assistant requests against the stand-in server, and the model list.
#include <gtest/gtest.h>

#include "assistant/runtime_fixture.h"
#include "store_harness.h"
#include "workspace/preferences.h"
#include "workspace_fixtures.h"

namespace marrowick {
namespace {

using testing::makeProject;
using testing::waitUntil;

constexpr const char* kModel = "Qwen3-VL-2B";
const std::string kAnswer = R"({"description":"A pier.","review_questions":[],"group_hint":"pier"})";

class AssistantServiceTest : public testing::StoreHarness {
protected:
    void SetUp() override {
        folder.script({{"answers", {RuntimeFolder::answer(kAnswer)}}});
        Project project = makeProject(1, 3);
        project.shots.mut(1).thumbnail = makeBlob({0xFF, 0xD8, 0xFF});
        startWith(project);
        store->assistant().setRuntime(runtime);
        shotID = store->project().shots[1].id;
        store->focus(shotID, false);
    }

    void ask(bool boundary) {
        store->assistant().ask(boundary);
        ASSERT_TRUE(waitUntil([&] { return !store->busy(); }));
    }
    const Shot& shot() const { return store->project().shots[*store->project().shotIndex(shotID)]; }
    std::size_t assistantEvents() const {
        return static_cast<std::size_t>(std::count_if(store->project().history.begin(), store->project().history.end(),
                                                      [](const ReviewEvent& e) { return e.action == "local-assistant"; }));
    }

    RuntimeFolder folder;
    RuntimeProcessOwner owner;
    LocalRuntime runtime{folder.configuration(), owner};
    Uuid shotID;
};

TEST_F(AssistantServiceTest, WithoutAChosenModelOnlyTheEnableMessageIsShown) {
    store->assistant().ask(false);
    EXPECT_EQ(store->error(), "Open Settings to enable the local vision assistant.");
    EXPECT_FALSE(store->busy());
    EXPECT_TRUE(folder.pids().empty());
}

TEST_F(AssistantServiceTest, TheModelListIsFilledOnlyWhenTheRuntimeIsPresent) {
    RuntimeConfiguration absent = folder.configuration();
    absent.modelFolder = folder.root() / "Missing";
    LocalRuntime missing(absent, owner);
    store->assistant().setRuntime(missing);
    store->assistant().loadModels();
    EXPECT_EQ(store->assistant().state().localStatus, "The local model is not installed: llama-server and the model files are installed separately (README, "
              "\"Local assistant\").");
    EXPECT_TRUE(store->assistant().state().models.empty());
    EXPECT_EQ(store->assistant().state().modelName, "");

    store->assistant().setRuntime(runtime);
    store->assistant().loadModels();
    ASSERT_EQ(store->assistant().state().models.size(), 1u);
    EXPECT_EQ(store->assistant().state().models[0], LocalModel::included());
    EXPECT_EQ(store->assistant().state().modelName, kModel);
    EXPECT_EQ(store->assistant().state().localStatus, "Connected · 1 local model(s)");
    EXPECT_TRUE(folder.pids().empty());
}

TEST_F(AssistantServiceTest, EachCheckReplacesTheNoteAndAddsAHistoryEvent) {
    store->assistant().loadModels();
    ask(false);
    EXPECT_FALSE(store->error());
    EXPECT_EQ(shot().assistantNote, std::string(kModel) + " · A pier.\nGroup hint: pier\n");
    EXPECT_EQ(Preferences::localModel(), kModel);
    EXPECT_EQ(store->notice(), "Finished. Your review is autosaved locally.");
    folder.script({{"answers", {RuntimeFolder::answer(R"({"description":"A quay.","review_questions":["Q?"],"group_hint":"quay"})")}}});
    ask(false);
    EXPECT_EQ(shot().assistantNote, std::string(kModel) + " · A quay.\nGroup hint: quay\n• Q?");
    EXPECT_EQ(assistantEvents(), 2u);
    EXPECT_EQ(store->project().history.back().shotIDs, std::vector<Uuid>{shotID});
    EXPECT_EQ(store->project().history.back().detail, kModel);
    EXPECT_FALSE(store->canUndo());
    EXPECT_TRUE(store->dirty());
}

TEST_F(AssistantServiceTest, AFailedRequestLeavesTheProjectUntouched) {
    store->assistant().loadModels();
    folder.script({{"answers", {RuntimeFolder::answer(kAnswer, "length")}}});
    const Project before = store->project();
    ask(false);
    EXPECT_EQ(store->error(), "The local assistant reached its response limit. Try the check again.");
    EXPECT_EQ(store->project(), before);
}

TEST_F(AssistantServiceTest, ABoundaryReviewEndsWithTheFailureToRenderItsFrames) {
    store->assistant().loadModels();
    const Project before = store->project();
    ask(true);
    ASSERT_TRUE(store->error());  // the film's source does not exist
    EXPECT_TRUE(folder.requests().empty());
    EXPECT_EQ(store->project(), before);
}

}  // namespace
}  // namespace marrowick
