// Film import as a workspace activity: progress, cancellation, undo, duplicates and drops.
#include "workspace/film_import.h"

#include <gtest/gtest.h>

#include <QObject>

#include <algorithm>
#include <utility>

#include "model/atomic_file.h"
#include "model/project_json.h"
#include "workspace/review_store.h"
#include "workspace_fixtures.h"
#include "film_test_support.h"

namespace marrowick {
namespace {

using testing::waitUntil;

class FilmImportTest : public ::testing::Test {
protected:
    testing::PrivateDataHome home;
    testing::FakeDialogs dialogs;
    std::unique_ptr<ReviewStore> store;
    std::shared_ptr<testing::HeldScorer::Gate> gate = std::make_shared<testing::HeldScorer::Gate>();

    void SetUp() override {
        store = std::make_unique<ReviewStore>(std::make_unique<testing::FakePlayer>(), dialogs, MARROWICK_RESOURCE_DIR);
        store->setDetectorFactory(testing::builtInDetectors(gate));
    }

    std::filesystem::path film(const std::string& name) { return testing::copyOfCutsFilm(home.path() / "films", name); }

    void open(const Project& project) {
        const auto file = home.path() / "review.marrowick";
        writeFileAtomically(file, ProjectJson::encode(project));
        store->openProject(file, false);
        ASSERT_FALSE(store->error()) << *store->error();
    }

    void waitIdle() { ASSERT_TRUE(waitUntil([&] { return !store->busy(); }, 60000)); }
};

TEST_F(FilmImportTest, TwoFilesReportTheProgressOfEachStepNameTheRealDetectorAndSelectTheFirstShot) {
    std::vector<std::pair<std::string, double>> reports;
    QObject::connect(store.get(), &ReviewStore::activityChanged, [&] {
        if (store->busy()) reports.emplace_back(store->activity().activity, store->activity().progress);
    });
    const auto a = film("a.mp4"), b = film("b.mp4");
    store->importFiles({a, b});
    ASSERT_TRUE(store->busy());
    waitIdle();
    EXPECT_FALSE(store->error());
    EXPECT_EQ(store->notice(), "Finished. Your review is autosaved locally.");
    const auto reported = [&](const std::string& activity, double progress) {
        return std::find(reports.begin(), reports.end(), std::pair(activity, progress)) != reports.end();
    };
    EXPECT_TRUE(reported("Built-in colour-difference scorer · a.mp4", 0.375));
    EXPECT_TRUE(reported("Indexing 4 shots · a.mp4", 0.5));
    EXPECT_TRUE(reported("Indexing 4 shots · b.mp4", 1.0));
    EXPECT_TRUE(std::none_of(reports.begin(), reports.end(),
                             [](const auto& report) { return report.first.find("TransNetV2") != std::string::npos; }));

    const Project& project = store->project();
    ASSERT_EQ(project.films.size(), 2u);
    ASSERT_EQ(project.shots.size(), 8u);
    EXPECT_EQ(store->selection(), std::set<Uuid>{project.shots[0].id});
    for (const Shot& shot : project.shots) {
        EXPECT_TRUE(shot.thumbnail && shot.feature);
        EXPECT_GE(shot.group, 1);
    }
    // The same film twice: each shot of b joins the group of its twin in a, numbered from 1.
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(project.shots[i + 4].group, project.shots[i].group);
    EXPECT_EQ(project.shots[0].group, 1);
}

TEST_F(FilmImportTest, CancellingDuringTheSecondOfThreeFilesKeepsTheFirstUngroupedAndNothingOfTheSecond) {
    const testing::PrivateTemporaryFolder temporary;
    gate->holdAt = 3;  // the first window of the second film (150 frames make three windows)
    const auto a = film("a.mp4"), b = film("b.mp4"), c = film("c.mp4");
    store->importFiles({a, b, c});
    ASSERT_TRUE(waitUntil([&] { return gate->held && store->project().films.size() == 1; }));
    store->cancelActivity();
    gate->release();
    waitIdle();
    EXPECT_EQ(store->notice(), "Cancelled. Completed work is retained.");
    EXPECT_FALSE(store->error());
    ASSERT_EQ(store->project().films.size(), 1u);
    EXPECT_EQ(store->project().films[0].path, a.string());
    ASSERT_EQ(store->project().shots.size(), 4u);
    for (const Shot& shot : store->project().shots) EXPECT_EQ(shot.group, 0);
    store.reset();  // finishes any autosave still being written
    EXPECT_EQ(temporary.leftovers(home.path()), std::vector<std::string>{});
}

TEST_F(FilmImportTest, AFileThatIsNotAFilmIsNamedInTheLibrarysMessageAndLeavesNothingBehind) {
    const testing::PrivateTemporaryFolder temporary;
    const auto text = home.path() / "notes.mp4";
    writeFileAtomically(text, "This is a text file, not a film.\n");
    store->importFiles({text});
    waitIdle();
    EXPECT_EQ(store->error(), "notes.mp4: Invalid data found when processing input");
    EXPECT_TRUE(store->project().films.empty());
    store.reset();
    EXPECT_EQ(temporary.leftovers(home.path()), std::vector<std::string>{});
}

TEST_F(FilmImportTest, OneUndoTakesBackTheWholeImportAndASelectionStays) {
    open(testing::makeProject(1, 3));
    const Project before = store->project();
    const std::set<Uuid> selected{before.shots[1].id};
    store->setSelection(selected);
    store->importFiles({film("a.mp4"), film("b.mp4")});
    waitIdle();
    ASSERT_EQ(store->project().films.size(), 3u);
    EXPECT_EQ(store->selection(), selected);
    // Shots without a feature print stay out of the groups.
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(store->project().shots[i].group, 0);
    store->undoEdit();
    EXPECT_EQ(store->project(), before);
    EXPECT_FALSE(store->canUndo());
}

TEST_F(FilmImportTest, KnownPathsAreSkippedAndAFileDroppedTwiceIsImportedTwice) {
    const auto a = film("a.mp4");
    Project project = testing::makeProject(1, 3);
    project.films[0].path = a.string();
    open(project);
    EXPECT_TRUE(store->dropFiles({a}));
    EXPECT_FALSE(store->busy());
    EXPECT_FALSE(store->canUndo());

    const auto b = film("b.mp4");
    EXPECT_TRUE(store->dropFiles({b, a, b}));
    waitIdle();
    ASSERT_EQ(store->project().films.size(), 3u);
    EXPECT_EQ(store->project().films[1].path, b.string());
    EXPECT_EQ(store->project().films[2].path, b.string());
    EXPECT_NE(store->project().films[1].id, store->project().films[2].id);
}

TEST_F(FilmImportTest, ADropWhileAnActivityRunsIsRefused) {
    gate->holdAt = 0;
    store->importFiles({film("a.mp4")});
    ASSERT_TRUE(waitUntil([&] { return gate->held.load(); }));
    EXPECT_FALSE(store->dropFiles({film("b.mp4")}));
    store->cancelActivity();
    gate->release();
    waitIdle();
    EXPECT_TRUE(store->project().films.empty());
}

TEST_F(FilmImportTest, RefreshEnrichesOnlyShotsWithoutAFeaturePrintAndRegroupsFromOne) {
    store->importFiles({film("a.mp4")});
    waitIdle();
    const Uuid first = store->project().shots[0].id;
    ASSERT_TRUE(store->edit([&](Project& project) {
        project.shots.mut(0).thumbnail = nullptr;  // a print without a thumbnail stays as it is
        project.shots.mut(1).feature = nullptr;
        project.shots.mut(1).thumbnail = nullptr;
    }));
    store->refreshImages();
    waitIdle();
    const Project& project = store->project();
    EXPECT_EQ(project.shots[0].id, first);
    EXPECT_FALSE(project.shots[0].thumbnail);
    EXPECT_TRUE(project.shots[1].feature && project.shots[1].thumbnail);
    EXPECT_EQ(project.shots[0].group, 1);
}

}  // namespace
}  // namespace marrowick
