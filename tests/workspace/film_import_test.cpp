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

TEST_F(FilmImportTest, ACutListGivesTheFilmItsShotsInOneUndoStepAndABadListImportsNothing) {
    // The cuts film has cuts at frames 40, 70 and 105 of 150 at 25 fps; the editor also cut at 20.
    const auto list = home.path() / "cuts.edl";
    writeFileAtomically(list,
                        "001  A  V  C  00:00:00:00 00:00:00:20 01:00:00:00 01:00:00:20\n"
                        "002  A  V  C  00:00:00:20 00:00:01:15 01:00:00:20 01:00:01:15\n"
                        "003  B  V  C  00:00:00:00 00:00:01:05 01:00:01:15 01:00:02:20\n"
                        "004  C  V  C  00:00:00:00 00:00:01:10 01:00:02:20 01:00:04:05\n"
                        "005  D  V  C  00:00:00:00 00:00:01:20 01:00:04:05 01:00:06:00\n");
    const auto video = film("a.mp4");
    dialogs.openAnswers = {video, list};
    store->importWithCutList();
    ASSERT_TRUE(store->busy());
    waitIdle();
    ASSERT_FALSE(store->error()) << *store->error();
    const Project& project = store->project();
    ASSERT_EQ(project.films.size(), 1u);
    EXPECT_EQ(project.films[0].detector, "Cut list: cuts.edl");
    std::vector<double> starts;
    for (const Shot& shot : project.shots) {
        starts.push_back(shot.start);
        EXPECT_TRUE(shot.thumbnail && shot.feature);
        EXPECT_EQ(shot.boundaryScore, shot.note.empty() ? 1.0 : 0.5);
    }
    // On the film's own frames 20, 40, 70 and 105.
    const FrameTimeList& frames = *project.films[0].frameTimes;
    EXPECT_EQ(starts, (std::vector<double>{0.0, frames[20], frames[40], frames[70], frames[105]}));
    EXPECT_EQ(project.shots[1].note, "Check boundaries: detection finds no cut where this shot starts.");
    store->undoEdit();
    EXPECT_TRUE(store->project().films.empty());

    // One frame too many: the message, in the reviewer's time display, no activity, no undo step.
    writeFileAtomically(list, "001  A  V  C  00:00:00:00 00:00:06:02 01:00:00:00 01:00:06:02\n");
    const std::pair<TimeDisplay, const char*> messages[] = {
        {TimeDisplay::timecode, "The cut list runs 00:00:06:02, longer than the film (00:00:06:00)."},
        {TimeDisplay::frames, "The cut list runs 152 frames, longer than the film (150 frames)."},
    };
    for (const auto& [display, message] : messages) {
        PresentationState presentation = store->presentation();
        presentation.timeDisplay = display;
        store->setPresentation(presentation);
        dialogs.openAnswers = {film("b.mp4"), list};
        store->importWithCutList();
        EXPECT_FALSE(store->busy());
        EXPECT_EQ(store->error(), message);
        EXPECT_FALSE(store->canUndo());
    }
}

}  // namespace
}  // namespace marrowick

namespace marrowick {
namespace {

// The cut film reviewed once; a copy of it imported later carries those decisions.
class CarriedImportTest : public FilmImportTest {
protected:
    // Imports the first copy and decides its shots in turn: generated, none, modified, ...
    void reviewFirstCopy() {
        store->importFiles({film("a.mp4")});
        waitIdle();
        const Disclosure decisions[] = {Disclosure::generated, Disclosure::none, Disclosure::modified};
        std::size_t k = 0;
        for (const Shot& shot : SharedVector<Shot>(store->project().shots)) {
            store->setSelection({shot.id});
            store->decide(decisions[k++ % 3]);
        }
    }

    std::vector<const Shot*> shotsOf(std::size_t film) const {
        std::vector<const Shot*> result;
        for (const Shot& shot : store->project().shots)
            if (shot.filmID == store->project().films[film].id) result.push_back(&shot);
        return result;
    }
};

TEST_F(CarriedImportTest, ASecondCutGetsSuggestionsOnlyAndAcceptingASelectionIsOneUndoStep) {
    reviewFirstCopy();
    store->importFiles({film("b.mp4")});
    waitIdle();
    const std::vector<const Shot*> later = shotsOf(1), earlier = shotsOf(0);
    ASSERT_EQ(later.size(), earlier.size());
    std::set<Uuid> selection;
    for (std::size_t i = 0; i < later.size(); ++i) {
        EXPECT_EQ(later[i]->disclosure, Disclosure::unreviewed);
        ASSERT_TRUE(later[i]->carriedFrom) << i;
        EXPECT_EQ(later[i]->carriedFrom->disclosure, earlier[i]->disclosure);
        EXPECT_EQ(later[i]->carriedFrom->filmID, store->project().films[0].id);
        selection.insert(later[i]->id);
    }
    EXPECT_EQ(store->notice(), "Carried earlier decisions to 4 of 4 shots of b.mp4. Finished. Your review is autosaved locally.");
    const Project before = store->project();
    store->setSelection(selection);
    store->acceptCarried();
    for (std::size_t i = 0; i < later.size(); ++i) {
        EXPECT_EQ(shotsOf(1)[i]->disclosure, shotsOf(0)[i]->disclosure);
        EXPECT_FALSE(shotsOf(1)[i]->carriedFrom);
    }
    EXPECT_EQ(store->project().history.back().action, "accept-earlier");
    EXPECT_NE(store->project().history.back().detail.find("a.mp4 00:00:00"), std::string::npos);
    store->undoEdit();
    EXPECT_EQ(store->project(), before);
    store->acceptCarried();  // nothing selected carries a suggestion any more after a redo: no step
    store->setSelection({earlier.front()->id});
    const std::size_t steps = store->project().history.size();
    store->acceptCarried();
    EXPECT_EQ(store->project().history.size(), steps);
}

TEST_F(CarriedImportTest, ANewVersionCarriesFromTheChosenReviewFileAndAnUnreadableOneImportsNothing) {
    reviewFirstCopy();
    const auto earlier = home.path() / "first.marrowick";
    writeFileAtomically(earlier, ProjectJson::encode(store->project()));
    open(Project{});
    dialogs.openAnswers = {earlier, film("b.mp4")};
    store->importNewVersion();
    waitIdle();
    ASSERT_EQ(store->project().films.size(), 1u);  // nothing else of the earlier file
    for (const Shot& shot : store->project().shots) {
        ASSERT_TRUE(shot.carriedFrom);
        EXPECT_EQ(shot.carriedFrom->project, "first.marrowick");
    }
    writeFileAtomically(earlier, "{");
    dialogs.openAnswers = {earlier, film("c.mp4")};
    store->importNewVersion();
    waitIdle();
    EXPECT_TRUE(store->error());
    EXPECT_EQ(store->project().films.size(), 1u);
}

}  // namespace
}  // namespace marrowick
