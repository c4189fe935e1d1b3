// Relinking a moved source and redetecting a film's shots.
#include "workspace/film_relink.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "analysis/file_fingerprint.h"
#include "analysis/media_file.h"
#include "model/atomic_file.h"
#include "model/project_json.h"
#include "workspace/review_store.h"
#include "workspace/waveforms.h"
#include "workspace_fixtures.h"
#include "film_test_support.h"

namespace marrowick {
namespace {

using testing::waitUntil;

class FilmRelinkTest : public ::testing::Test {
protected:
    testing::PrivateDataHome home;
    testing::FakeDialogs dialogs;
    std::unique_ptr<ReviewStore> store;
    std::filesystem::path original;

    void SetUp() override {
        store = std::make_unique<ReviewStore>(std::make_unique<testing::FakePlayer>(), dialogs, MARROWICK_RESOURCE_DIR);
        store->setDetectorFactory(testing::builtInDetectors());
        original = testing::copyOfCutsFilm(home.path() / "first", "reel.mp4");
        store->importFiles({original});
        waitIdle();
        ASSERT_EQ(store->project().films.size(), 1u);
    }

    void waitIdle() { ASSERT_TRUE(waitUntil([&] { return !store->busy(); }, 60000)); }
    const Film& film() { return store->project().films.front(); }

    // Relinks the film to the file and returns the error shown, if any.
    std::optional<std::string> relinkTo(const std::filesystem::path& file) {
        store->clearError();
        dialogs.openAnswers.push_back(file);
        store->relink(film());
        waitIdle();
        return store->error();
    }

    // Sets the film's timing as if it had been imported with a different frame rate.
    void setTiming(double duration, double fps, bool keepFingerprint) {
        const Film changed = [&] {
            Film f = film();
            f.duration = duration;
            f.fps = fps;
            if (!keepFingerprint) f.sourceSHA256.reset();
            return f;
        }();
        store->changeSettings([&](Project& project) { project.films[0] = changed; });
    }
};

TEST_F(FilmRelinkTest, ACopyRelinksAndKeepsDecisionsAReencodeNeedsTheFingerprintToMatch) {
    store->setSelection({store->project().shots[0].id});
    store->decide(Disclosure::generated);
    const SharedVector<Shot> shots = store->project().shots;

    const auto copy = testing::copyOfCutsFilm(home.path() / "moved", "reel.mp4");
    EXPECT_EQ(relinkTo(copy), std::nullopt);
    EXPECT_EQ(film().path, copy.string());
    EXPECT_EQ(store->project().shots, shots);
    EXPECT_EQ(store->notice(), "Finished. Your review is autosaved locally.");

    const auto reencoded = home.path() / "reencoded.mp4";
    const std::string command = "ffmpeg -nostdin -loglevel error -y -i '" + copy.string() +
                                "' -c:v libx264 -preset ultrafast -crf 35 '" + reencoded.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(relinkTo(reencoded), std::string(FilmRelink::kDifferentSource));
    EXPECT_EQ(film().path, copy.string());

    setTiming(film().duration, film().fps, false);
    EXPECT_EQ(relinkTo(reencoded), std::nullopt);
    EXPECT_EQ(film().path, reencoded.string());
}

TEST_F(FilmRelinkTest, TheSoundOutlineOfAFilmWhoseFileWentMissingIsReadAgainAfterRelinking) {
    const std::filesystem::path sounding = home.path() / "sound.mp4";
    std::filesystem::copy_file(std::filesystem::path(MARROWICK_TEST_FILMS_DIR) / "labels.mp4", sounding);
    store->importFiles({sounding});
    waitIdle();
    ASSERT_EQ(store->project().films.size(), 2u);
    const auto outline = [this]() -> const AudioPeaks* {
        const AudioPeaks* peaks = nullptr;
        waitUntil([&] { return (peaks = store->waveforms().peaks(store->project().films[1])) != nullptr; });
        return peaks;
    };
    const std::filesystem::path moved = home.path() / "moved" / "sound.mp4";
    std::filesystem::create_directories(moved.parent_path());
    std::filesystem::rename(sounding, moved);
    const AudioPeaks* missing = outline();
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->peaks.empty());

    dialogs.openAnswers.push_back(moved);
    store->relink(store->project().films[1]);
    waitIdle();
    ASSERT_EQ(store->error(), std::nullopt);
    const AudioPeaks* relinked = outline();
    ASSERT_TRUE(relinked);
    EXPECT_GT(relinked->peaks.size(), 50u) << "three seconds of sound";
}

TEST_F(FilmRelinkTest, TheDurationMayDifferByLessThanOneFrame) {
    const double duration = MediaFile(original).info().duration;
    setTiming(duration - 0.015625, 32, false);  // half a frame at 32 fps
    EXPECT_EQ(relinkTo(original), std::nullopt);
    setTiming(duration - 0.03125, 32, false);  // exactly one frame
    EXPECT_EQ(relinkTo(original), std::string(FilmRelink::kDurationDiffers));
}

TEST_F(FilmRelinkTest, RelinkAsksWithTheFilmsNameAndACancelledDialogChangesNothing) {
    struct MessageDialogs : testing::FakeDialogs {
        std::string message;
        std::optional<std::filesystem::path> openFileWithMessage(const FileExtensions&, const std::string& text) override {
            message = text;
            return std::nullopt;
        }
    };
    MessageDialogs asking;
    ReviewStore other(std::make_unique<testing::FakePlayer>(), asking, MARROWICK_RESOURCE_DIR);
    other.relink(film());
    EXPECT_EQ(asking.message, "Locate the original file for reel.mp4. Relinking must use the same edit and timing.");
    EXPECT_FALSE(other.busy());
}

TEST_F(FilmRelinkTest, RedetectReplacesTheFilmsShotsAndUndoRestoresDecisionsAndNotes) {
    const Uuid first = store->project().shots[0].id;
    store->setSelection({first});
    store->decide(Disclosure::modified);
    ASSERT_TRUE(store->edit([&](Project& project) { project.setNote(first, "checked"); }));
    const Project before = store->project();

    dialogs.alertAnswers.push_back(1);  // "Cancel"
    store->redetect(film());
    EXPECT_FALSE(store->busy());
    ASSERT_EQ(dialogs.alerts.size(), 1u);
    EXPECT_EQ(dialogs.alerts[0].message, "Redetect shots in reel.mp4?");
    EXPECT_EQ(dialogs.alerts[0].buttons, (std::vector<std::string>{"Redetect", "Cancel"}));

    store->changeSettings([](Project& project) { project.threshold = 0.5; });
    dialogs.alertAnswers.push_back(0);
    store->redetect(film());
    waitIdle();
    ASSERT_FALSE(store->error()) << *store->error();
    const Project& after = store->project();
    ASSERT_EQ(after.shots.size(), 4u);
    EXPECT_NE(after.shots[0].id, first);
    EXPECT_EQ(after.shots[0].disclosure, Disclosure::unreviewed);
    EXPECT_TRUE(after.shots[0].note.empty());
    EXPECT_TRUE(after.shots[0].feature);
    EXPECT_EQ(after.shots[0].group, 1);
    EXPECT_TRUE(store->selection().empty());
    ASSERT_FALSE(after.history.empty());
    EXPECT_EQ(after.history.back().action, "redetect");
    EXPECT_EQ(after.history.back().detail, "reel.mp4; threshold 0.5");
    EXPECT_EQ(after.films, before.films);

    store->undoEdit();
    EXPECT_EQ(store->project(), before);
}

TEST_F(FilmRelinkTest, ACancelledRedetectChangesNothingAndAddsNoUndoStep) {
    const Project before = store->project();
    const bool couldUndo = store->canUndo();
    auto gate = std::make_shared<testing::HeldScorer::Gate>();
    gate->holdAt = 0;
    store->setDetectorFactory(testing::builtInDetectors(gate));
    dialogs.alertAnswers.push_back(0);
    store->redetect(film());
    ASSERT_TRUE(waitUntil([&] { return gate->held.load(); }));
    store->cancelActivity();
    gate->release();
    waitIdle();
    EXPECT_EQ(store->notice(), "Cancelled. Completed work is retained.");
    EXPECT_EQ(store->project(), before);
    EXPECT_EQ(store->canUndo(), couldUndo);
    store->undoEdit();  // takes back the import, not a redetect
    EXPECT_TRUE(store->project().films.empty());
}

}  // namespace
}  // namespace marrowick
