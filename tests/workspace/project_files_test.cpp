// New, open, save and the replace confirmation of the controller, with scripted dialogs.
#include "workspace/project_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "model/atomic_file.h"
#include "model/project_json.h"
#include "store_harness.h"
#include "workspace_fixtures.h"

namespace marrowick {
namespace {

using testing::waitUntil;

class ProjectFilesTest : public ::testing::Test {
protected:
    testing::PrivateDataHome home;
    testing::FakeDialogs dialogs;
    testing::FakePlayer* player = nullptr;
    std::unique_ptr<ReviewStore> store;

    void SetUp() override {
        auto fake = std::make_unique<testing::FakePlayer>();
        player = fake.get();
        store = std::make_unique<ReviewStore>(std::move(fake), dialogs, MARROWICK_RESOURCE_DIR);
    }

    std::filesystem::path writeProject(const Project& project, const std::string& name) {
        const auto file = home.path() / name;
        writeFileAtomically(file, ProjectJson::encode(project));
        return file;
    }

    // An unsaved review with films and no file, as after an import.
    void makeUnsavedReviewWithFilms() {
        testing::activities(*store).storeActivityResult([](Project& project) { project = testing::makeProject(1, 2); });
        ASSERT_TRUE(store->dirty());
    }
};

TEST_F(ProjectFilesTest, UnsavedChangesWithoutFilmsAreReplacedWithoutAsking) {
    store->changeSettings([](Project& project) { project.name = "Scratch"; });
    store->changed();
    store->newProject();
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_EQ(store->project().name, "Untitled review");

    store->changed();
    const auto file = writeProject(testing::makeProject(1, 2), "other.marrowick");
    dialogs.openAnswers = {file};
    store->openProject();
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_EQ(store->projectURL(), file);
}

TEST_F(ProjectFilesTest, ReplaceAlertSavesDiscardsOrCancels) {
    makeUnsavedReviewWithFilms();
    const Project unsaved = store->project();

    dialogs.alertAnswers = {0};  // Save, then cancel the save dialog
    store->newProject();
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_EQ(dialogs.alerts[0].message, "Save this review?");
    EXPECT_EQ(dialogs.alerts[0].informativeText, "Keep a named project before replacing this review.");
    EXPECT_EQ(dialogs.alerts[0].buttons, (std::vector<std::string>{"Save", "Discard", "Cancel"}));
    EXPECT_EQ(dialogs.proposedNames, std::vector<std::string>{"Untitled review.marrowick"});
    EXPECT_EQ(store->project(), unsaved);

    dialogs.alertAnswers = {2};  // Cancel
    store->newProject();
    EXPECT_EQ(store->project(), unsaved);

    const auto target = home.path() / "kept.marrowick";
    dialogs.alertAnswers = {0};
    dialogs.saveAnswers = {target};
    store->newProject();
    EXPECT_EQ(ProjectJson::readFile(target), unsaved);
    EXPECT_TRUE(store->project().films.empty());

    makeUnsavedReviewWithFilms();
    dialogs.alertAnswers = {1};  // Discard
    store->newProject();
    EXPECT_TRUE(store->project().films.empty());
    EXPECT_FALSE(store->dirty());
    EXPECT_FALSE(store->projectURL());
}

TEST_F(ProjectFilesTest, NothingIsReplacedWhileAnActivityRuns) {
    const auto file = writeProject(testing::makeProject(1, 2), "other.marrowick");
    ASSERT_TRUE(testing::activities(*store).begin("Detecting shots locally…"));
    testing::activities(*store).finish([](const ActivityContext& context) {
        while (!context.stopToken().stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    dialogs.openAnswers = {file};
    store->newProject();
    store->openProject();
    store->openProject(file, true);
    store->openProject(file, false);
    EXPECT_EQ(dialogs.openCalls, 0);
    EXPECT_TRUE(dialogs.alerts.empty());
    EXPECT_TRUE(store->project().films.empty());
    EXPECT_FALSE(store->projectURL());
    store->cancelActivity();
    ASSERT_TRUE(waitUntil([&] { return !store->busy(); }));
}

TEST_F(ProjectFilesTest, OpeningResetsTheWorkspaceButKeepsTheSearch) {
    makeUnsavedReviewWithFilms();
    store->focus(store->project().shots[0].id, false);
    store->setFilter(ShotFilter::parse("review"));
    store->setSearch("crowd");
    const Uuid shot = store->project().shots[1].id;
    ASSERT_TRUE(store->edit([&](Project& project) { project.setNote(shot, "x"); }));
    store->showNotice("Something earlier");

    const Project stored = testing::makeProject(2, 2);  // its films cannot be found on this machine
    const auto file = writeProject(stored, "review.marrowick");
    dialogs.alertAnswers = {1};
    store->openProject(file, true);

    EXPECT_EQ(store->project(), stored) << "paths of missing films stay as stored";
    EXPECT_EQ(store->projectURL(), file);
    EXPECT_TRUE(store->selection().empty());
    EXPECT_EQ(store->listOptions().filter.key(), "all");
    EXPECT_EQ(store->listOptions().search, "crowd");
    EXPECT_FALSE(store->canUndo());
    EXPECT_FALSE(store->dirty());
    EXPECT_EQ(store->notice(), "");
    EXPECT_FALSE(player->item);
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(home.recoveryFile()); }));
    EXPECT_TRUE(waitUntil([&] { return ProjectJson::readFileUngated(home.recoveryFile()) == stored; }));
}

TEST_F(ProjectFilesTest, FailedOpenKeepsTheCurrentReview) {
    makeUnsavedReviewWithFilms();
    const Project current = store->project();
    Project invalid = testing::makeProject(1, 2);
    invalid.shots.erase(1);
    std::ofstream(home.path() / "broken.marrowick") << "{ not json";
    const auto cases = {std::pair{writeProject(invalid, "invalid.marrowick"), std::string("Incomplete film coverage.")},
                        std::pair{home.path() / "missing.marrowick", std::string()},
                        std::pair{home.path() / "broken.marrowick", std::string()}};
    for (const auto& [file, message] : cases) {
        store->clearError();
        store->openProject(file, false);
        ASSERT_TRUE(store->error()) << file;
        if (!message.empty()) {
            EXPECT_EQ(*store->error(), message);
        }
        EXPECT_EQ(store->project(), current);
        EXPECT_TRUE(store->dirty());
        EXPECT_FALSE(store->projectURL());
    }
}

TEST_F(ProjectFilesTest, SizeGateRefusesTwoHundredFiftySixMegabytes) {
    const std::string json = ProjectJson::encode(testing::makeProject(1, 2));
    const auto file = home.path() / "large.marrowick";
    {
        std::ofstream out(file, std::ios::binary);
        out << json << std::string(kProjectFileSizeLimit - 1 - json.size(), ' ');
    }
    store->openProject(file, false);
    EXPECT_FALSE(store->error()) << *store->error();
    EXPECT_EQ(store->projectURL(), file);

    std::ofstream(file, std::ios::binary | std::ios::app) << ' ';
    store->openProject(file, false);
    EXPECT_EQ(store->error(), "Project file exceeds 256 MB.");
    std::filesystem::remove(file);
}

TEST_F(ProjectFilesTest, SaveWritesToItsFileAndSaveAsAlwaysAsks) {
    const auto file = writeProject(testing::makeProject(1, 2), "review.marrowick");
    store->openProject(file, false);
    const Uuid shot = store->project().shots[0].id;
    ASSERT_TRUE(store->edit([&](Project& project) { project.setNote(shot, "saved"); }));

    EXPECT_TRUE(store->save(false));
    EXPECT_TRUE(dialogs.proposedNames.empty());
    EXPECT_EQ(ProjectJson::readFile(file).shots[0].note, "saved");
    EXPECT_FALSE(store->dirty());

    EXPECT_FALSE(store->save(true)) << "the dialog is cancelled";
    EXPECT_EQ(dialogs.proposedNames.size(), 1u);
    EXPECT_EQ(store->projectURL(), file);

    const auto copy = home.path() / "copy.marrowick";
    dialogs.saveAnswers = {copy};
    EXPECT_TRUE(store->save(true));
    EXPECT_EQ(store->projectURL(), copy);
    EXPECT_EQ(ProjectJson::readFile(copy), store->project());
}

TEST_F(ProjectFilesTest, SavingABrokenReviewShowsWhyAndWritesNothing) {
    makeUnsavedReviewWithFilms();
    testing::activities(*store).storeActivityResult([](Project& project) { project.shots.erase(1); });
    const auto target = home.path() / "broken.marrowick";
    dialogs.saveAnswers = {target};
    EXPECT_FALSE(store->save(false));
    EXPECT_EQ(store->error(), "Incomplete film coverage.");
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(store->dirty());
    EXPECT_FALSE(store->projectURL());
}

}  // namespace
}  // namespace marrowick
