// The controller's edit wrapper, undo, activities, autosave, recovery at start and quitting.
#include "workspace/review_store.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <atomic>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <system_error>

#include "model/atomic_file.h"
#include "model/project_json.h"
#include "model/review_error.h"
#include "workspace/failure_text.h"
#include "workspace/quit_confirmation.h"
#include "workspace/recovery_file.h"
#include "workspace/recovery_lock.h"
#include "workspace/transport.h"
#include "workspace/media_player.h"
#include "store_harness.h"
#include "workspace_fixtures.h"

namespace marrowick {
namespace {

using testing::makeProject;
using testing::waitUntil;

// Only the operations that run activities open one or store its results: the controller keeps
// these members private to its ActivityHost side, out of the views' reach.
template <class Owner>
concept RunsActivities = requires(Owner& owner, ActivityWork work) {
    owner.begin(std::string());
    owner.finish(work);
    owner.storeActivityResult([](Project&) {});
};
static_assert(RunsActivities<ActivityHost>);
static_assert(!RunsActivities<ReviewStore>);
static_assert(!RunsActivities<ReviewDocument>);

class ReviewStoreTest : public testing::StoreHarness {
protected:
    void writeRecovery(const std::string& bytes) {
        std::filesystem::create_directories(home.recoveryFile().parent_path());
        writeFileAtomically(home.recoveryFile(), bytes);
    }

    void setNote(std::size_t shot, const std::string& note) {
        const Uuid id = store->project().shots[shot].id;
        ASSERT_TRUE(store->edit([&](Project& project) { project.setNote(id, note); }));
    }

    // Starts an activity whose work runs until it is cancelled.
    void beginEndlessActivity() {
        ASSERT_TRUE(testing::activities(*store).begin("Detecting shots locally…"));
        testing::activities(*store).finish([](const ActivityContext& context) {
            while (true) {
                context.throwIfCancelled();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
};

TEST_F(ReviewStoreTest, EditsKeepThirtyUndoStepsAndUndoRestoresEachInTurn) {
    startWith(makeProject(1, 40));
    Project afterFirstEdit;
    for (int i = 0; i < 31; ++i) {
        setNote(static_cast<std::size_t>(i), "note " + std::to_string(i));
        if (i == 0) afterFirstEdit = store->project();
    }
    for (int i = 0; i < 30; ++i) store->undoEdit();
    EXPECT_EQ(store->project(), afterFirstEdit);
    EXPECT_FALSE(store->canUndo());
    store->undoEdit();
    EXPECT_EQ(store->project(), afterFirstEdit);

    store->redoEdit();
    EXPECT_EQ(store->project().shots[1].note, "note 1");
    setNote(5, "new branch");
    EXPECT_FALSE(store->canRedo()) << "a new edit after undo clears redo";
}

TEST_F(ReviewStoreTest, FailedChangeOrValidationLeavesProjectAndHistoryUntouched) {
    startWith(makeProject(2, 3));
    setNote(0, "kept");
    store->undoEdit();
    const Project before = store->project();
    ASSERT_TRUE(store->canRedo());

    EXPECT_FALSE(store->edit([](Project& project) {
        project.shots.mut(0).note = "half done";
        throw ReviewError("There is no following shot in this film.");
    }));
    EXPECT_EQ(store->error(), "There is no following shot in this film.");
    EXPECT_EQ(store->project(), before);

    // A merge across films built by hand: the first film's last shot takes the next film's first.
    EXPECT_FALSE(store->edit([](Project& project) {
        project.shots.mut(2).end = project.shots[3].end;
        project.shots.erase(3);
    }));
    EXPECT_EQ(store->error(), "Shot ranges must cover each film without overlaps or gaps.");
    EXPECT_EQ(store->project(), before);
    EXPECT_FALSE(store->canUndo());
    EXPECT_TRUE(store->canRedo());
}

TEST_F(ReviewStoreTest, RunningActivityRefusesEditsUndoAndOtherActivitiesSilently) {
    startWith(makeProject(1, 3));
    setNote(0, "before");
    beginEndlessActivity();
    const Project before = store->project();
    EXPECT_EQ(store->activity().activity, "Detecting shots locally…");
    EXPECT_EQ(player->calls.back(), "pause");

    EXPECT_FALSE(store->edit([](Project& project) { project.name = "changed"; }));
    store->undoEdit();
    store->decide(Disclosure::generated);
    EXPECT_FALSE(testing::activities(*store).begin("Checking replacement media…"));
    EXPECT_EQ(store->project(), before);
    EXPECT_FALSE(store->error());
    EXPECT_EQ(store->activity().activity, "Detecting shots locally…");

    store->cancelActivity();
    ASSERT_TRUE(waitUntil([&] { return !store->busy(); }));
    EXPECT_EQ(store->notice(), "Cancelled. Completed work is retained.");
    EXPECT_EQ(store->activity(), ActivityState{});
}

TEST_F(ReviewStoreTest, ActivityResultsArriveOnTheMainThreadBeforeItsEnd) {
    startWith(makeProject(1, 3));
    std::vector<double> progressSeen;
    QObject::connect(store.get(), &ReviewStore::activityChanged, [&] {
        if (store->busy()) progressSeen.push_back(store->activity().progress);
    });
    ASSERT_TRUE(testing::activities(*store).begin("Refreshing thumbnails and visual groups…"));
    testing::activities(*store).finish([this](const ActivityContext& context) {
        context.reportProgress(0.5);
        context.onMainThread([this] {
            testing::activities(*store).storeActivityResult([](Project& project) { project.shots.mut(0).category = "crowd"; });
        });
    });
    ASSERT_TRUE(waitUntil([&] { return !store->busy(); }));
    EXPECT_EQ(store->notice(), "Finished. Your review is autosaved locally.");
    EXPECT_EQ(store->project().shots[0].category, "crowd");
    EXPECT_TRUE(store->dirty());
    EXPECT_EQ(progressSeen, (std::vector<double>{0, 0.5}));
    EXPECT_EQ(store->activity().progress, 0);

    ASSERT_TRUE(testing::activities(*store).begin("Local model is describing this shot…"));
    testing::activities(*store).finish([](const ActivityContext&) { throw ReviewError("The local model did not answer."); });
    ASSERT_TRUE(waitUntil([&] { return !store->busy(); }));
    EXPECT_EQ(store->error(), "The local model did not answer.");
    EXPECT_EQ(store->notice(), "");
}

TEST_F(ReviewStoreTest, ResultThatCannotBeStoredEndsTheActivityWithItsFailure) {
    startWith(makeProject(1, 3));
    const Project before = store->project();
    ASSERT_TRUE(testing::activities(*store).begin("Redetecting this source…"));
    testing::activities(*store).finish([this](const ActivityContext& context) {
        context.onMainThread([this] {
            testing::activities(*store).storeActivityResult([](Project& project) {
                project.name = "half stored";
                throw ReviewError("Could not write \"thumbnail\".");
            });
        });
        while (!context.stopToken().stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        context.throwIfCancelled();
    });
    ASSERT_TRUE(waitUntil([&] { return !store->busy(); }));
    EXPECT_EQ(store->error(), "Could not write \"thumbnail\".");
    EXPECT_EQ(store->notice(), "");
    EXPECT_EQ(store->project(), before);
}

TEST_F(ReviewStoreTest, NoLibraryOrSystemTextReachesTheFooterUnwrapped) {
    startWith(makeProject(1, 3));
    const Project before = store->project();
    const std::vector<std::function<void()>> faults = {
        [] { throw std::out_of_range("vector::_M_range_check: __n (which is 7) >= this->size() (which is 3)"); },
        [] { throw std::filesystem::filesystem_error("cannot create directory", std::make_error_code(std::errc::io_error)); },
        [] { throw 42; },
    };
    for (const auto& fault : faults) {
        store->clearError();
        EXPECT_FALSE(store->edit([&](Project& project) {
            project.name = "half done";
            fault();
        }));
        EXPECT_EQ(store->error(), kUnexpectedFailure);
        EXPECT_EQ(store->project(), before);

        store->clearError();
        ASSERT_TRUE(testing::activities(*store).begin("Refreshing thumbnails and visual groups…"));
        testing::activities(*store).finish([&](const ActivityContext&) { fault(); });
        ASSERT_TRUE(waitUntil([&] { return !store->busy(); }));
        EXPECT_EQ(store->error(), kUnexpectedFailure);
        EXPECT_EQ(store->project(), before);
    }
}

TEST_F(ReviewStoreTest, SelectionSurvivesUndoAndThePlayerIsRefocused) {
    startWith(makeProject(1, 3));
    const Uuid second = store->project().shots[1].id;
    store->focus(second, false);
    setNote(1, "kept");
    player->lastSeek.reset();
    store->undoEdit();
    EXPECT_EQ(store->selection(), std::set<Uuid>{second});
    EXPECT_EQ(store->player().currentItem(), std::filesystem::path("/media/reel1.mov"));
    EXPECT_EQ(player->lastSeek, 1.0);
}

TEST_F(ReviewStoreTest, RangeEditsRefocusThePlayerWhetherOrNotTheySucceed) {
    startWith(makeProject(1, 3));
    const Uuid second = store->project().shots[1].id;
    store->focus(second, false);
    store->split(second, 1.6);
    EXPECT_EQ(store->project().shots.size(), 4u);
    EXPECT_EQ(player->forwardEnd, 1.6);

    player->lastSeek.reset();
    store->split(second, 1.0);
    EXPECT_EQ(store->error(), "Split must leave at least one frame on either side.");
    EXPECT_EQ(player->lastSeek, 1.0);
    EXPECT_EQ(store->project().shots.size(), 4u);
}

TEST_F(ReviewStoreTest, BurstOfChangesWritesTheRecoveryFileOnce) {
    startWith(makeProject(1, 5));
    QSignalSpy writes(store.get(), &ReviewStore::recoveryWritten);
    ASSERT_TRUE(waitUntil([&] { return writes.count() == 1; })) << "the open writes the recovery file";
    writes.clear();

    setNote(0, "one");
    setNote(1, "two");
    setNote(2, "three");
    ASSERT_TRUE(waitUntil([&] { return writes.count() >= 1; }));
    testing::spinFor(2 * ReviewStore::kAutosaveDelay_ms);
    EXPECT_EQ(writes.count(), 1);
    EXPECT_EQ(ProjectJson::readFileUngated(home.recoveryFile()), store->project());
    EXPECT_TRUE(store->dirty());
}

TEST_F(ReviewStoreTest, AutosaveFailureIsReported) {
    startWith(makeProject(1, 2));
    const auto folder = home.recoveryFile().parent_path();
    std::filesystem::remove_all(folder);
    std::ofstream(folder) << "a file where the folder belongs";
    setNote(0, "lost");
    ASSERT_TRUE(waitUntil([&] { return store->error().has_value(); }));
    EXPECT_TRUE(store->error()->starts_with("Autosave failed: ")) << *store->error();
}

TEST_F(ReviewStoreTest, RecoveryWithFilmsIsReopenedAsAnUnsavedReview) {
    const Project last = makeProject(2, 2);
    writeRecovery(ProjectJson::encode(last));
    start();
    EXPECT_EQ(store->project(), last);
    EXPECT_TRUE(store->dirty());
    EXPECT_EQ(store->notice(), "Recovered your last review. Save a project file to keep a named copy.");
    EXPECT_FALSE(store->projectURL());
}

TEST_F(ReviewStoreTest, WhileAnotherProcessHoldsTheRecoveryLockNothingIsRecoveredOrAutosaved) {
    writeRecovery(ProjectJson::encode(makeProject(1, 2)));
    const std::string before = readText(home.recoveryFile());
    {
        const RecoveryLock otherProcess(RecoveryFile::lockLocation());  // its own open file: as another process
        ASSERT_TRUE(otherProcess.held());
        start();
        EXPECT_FALSE(store->autosaves());
        EXPECT_TRUE(store->project().films.empty()) << "nothing recovered";
        EXPECT_TRUE(store->notice().starts_with("Another Marrowick window keeps the local recovery copy"));
        EXPECT_TRUE(store->edit([](Project& project) { project.name = "Second window"; }));
        store->persist();
        store->persistNow();
        EXPECT_EQ(readText(home.recoveryFile()), before) << "the owner's recovery file is untouched";
        EXPECT_FALSE(store->error());
    }
    start();  // the owner has ended: its lock went with it
    EXPECT_TRUE(store->autosaves());
    EXPECT_EQ(store->project().films.size(), 1u);
}

TEST_F(ReviewStoreTest, UnusableRecoveryIsIgnoredSilently) {
    Project newerSchema = makeProject(1, 2);
    newerSchema.schema = 2;
    Project filmless;
    filmless.name = "Empty";
    Project broken = makeProject(1, 2);
    broken.shots.erase(1);
    for (const std::string& bytes : {ProjectJson::encode(filmless), ProjectJson::encode(newerSchema),
                                     ProjectJson::encode(broken), std::string("{\"schema\": 1, \"films\": ["),
                                     std::string("\xff\xfe garbage")}) {
        writeRecovery(bytes);
        start();
        EXPECT_TRUE(store->project().films.empty());
        EXPECT_EQ(store->project().name, "Untitled review");
        EXPECT_FALSE(store->dirty());
        EXPECT_EQ(store->notice(), "");
        EXPECT_FALSE(store->error());
        store.reset();
    }
}

TEST_F(ReviewStoreTest, StartRemovesTemporariesThatAnInterruptedWriteLeftBehind) {
    const auto folder = home.recoveryFile().parent_path();
    std::filesystem::create_directories(folder);
    const auto abandoned = folder / ".recovery.marrowick.0A1B2C3D.tmp";
    const auto recent = folder / ".recovery.marrowick.4E5F6071.tmp";
    const auto unrelated = folder / ".delivery-presets.json.0A1B2C3D.tmp";
    for (const auto& file : {abandoned, recent, unrelated}) std::ofstream(file) << "partial";
    const auto anHourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(abandoned, anHourAgo);
    std::filesystem::last_write_time(unrelated, anHourAgo);
    start();
    EXPECT_FALSE(std::filesystem::exists(abandoned));
    EXPECT_TRUE(std::filesystem::exists(recent)) << "may still be written by another instance";
    EXPECT_TRUE(std::filesystem::exists(unrelated));
}

TEST_F(ReviewStoreTest, PresetsLoadAtStartAndAnUnreadableLibraryIsReported) {
    start();
    EXPECT_FALSE(store->deliverySetup().presets().empty());
    EXPECT_FALSE(store->error());
    store.reset();

    std::ofstream(home.path() / "Marrowick" / "delivery-presets.json") << "{ not json";
    start();
    EXPECT_TRUE(store->deliverySetup().presets().empty());
    ASSERT_TRUE(store->error());
    EXPECT_TRUE(store->error()->starts_with("Preset library could not be loaded: ")) << *store->error();
}

TEST_F(ReviewStoreTest, PlayheadFollowsThePlayerAndIsZeroWithoutItem) {
    start();
    player->tick();
    EXPECT_EQ(store->transport().playhead(), 0);
    player->item = "/media/reel1.mov";
    player->time = 3.5;
    player->tick();
    EXPECT_EQ(store->transport().playhead(), 3.5);
    player->item.reset();
    player->tick();
    EXPECT_EQ(store->transport().playhead(), 0);
}

TEST_F(ReviewStoreTest, QuitDuringAnActivityAsksAndKeepsWorkingOrCancelsAndSaves) {
    startWith(makeProject(1, 3));
    beginEndlessActivity();
    int runtimeStops = 0;
    const auto stopRuntime = [&] { ++runtimeStops; };

    dialogs.alertAnswers = {0};
    EXPECT_FALSE(confirmQuit(store.get(), dialogs, stopRuntime));
    EXPECT_EQ(dialogs.alerts.back().message, "An operation is still running");
    EXPECT_EQ(dialogs.alerts.back().buttons, (std::vector<std::string>{"Keep working", "Cancel and quit"}));
    EXPECT_TRUE(store->busy());
    EXPECT_EQ(runtimeStops, 0);

    std::filesystem::remove(home.recoveryFile());
    testing::activities(*store).storeActivityResult([](Project& project) { project.name = "Imported so far"; });
    dialogs.alertAnswers = {1};
    EXPECT_TRUE(confirmQuit(store.get(), dialogs, stopRuntime));
    EXPECT_EQ(ProjectJson::readFileUngated(home.recoveryFile()).name, "Imported so far");
    EXPECT_EQ(runtimeStops, 1);

    EXPECT_TRUE(confirmQuit(nullptr, dialogs, stopRuntime));
}

}  // namespace
}  // namespace marrowick
