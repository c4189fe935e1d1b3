// Sound outlines arrive in the background, are cached by fingerprint and come back from the cache.
#include "workspace/waveforms.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "workspace_fixtures.h"

namespace marrowick {
namespace {

Film soundFilm(const std::string& name, std::optional<std::string> sha256) {
    Film film;
    film.id = Uuid::random();
    film.path = (std::filesystem::path(MARROWICK_TEST_FILMS_DIR) / name).string();
    film.sourceSHA256 = std::move(sha256);
    return film;
}

const AudioPeaks* waitForPeaks(Waveforms& waveforms, const Film& film) {
    const AudioPeaks* peaks = nullptr;
    testing::waitUntil([&] { return (peaks = waveforms.peaks(film)) != nullptr; });
    return peaks;
}

TEST(Waveforms, ReadInTheBackgroundAndKeptByFingerprint) {
    QTemporaryDir cache;
    const std::filesystem::path folder = cache.path().toStdString();
    const std::string sha(64, 'c');
    std::size_t read = 0;
    {
        Waveforms waveforms(folder);
        const Film film = soundFilm("labels.mp4", sha);
        EXPECT_EQ(waveforms.peaks(film), nullptr) << "never read on the main thread";
        const AudioPeaks* peaks = waitForPeaks(waveforms, film);
        ASSERT_TRUE(peaks);
        read = peaks->peaks.size();
        EXPECT_GT(read, 50u);
        EXPECT_TRUE(std::filesystem::exists(folder / (sha + ".peaks")));
    }
    // The same fingerprint under a path that no longer exists: the cache answers.
    Waveforms again(folder);
    const AudioPeaks* cached = waitForPeaks(again, soundFilm("moved-away.mp4", sha));
    ASSERT_TRUE(cached);
    EXPECT_EQ(cached->peaks.size(), read);

    // Without sound, unreadable, or while another film is read: empty peaks in turn, nothing cached.
    const Film silent = soundFilm("step-25.mp4", std::string(64, 'd'));
    const Film missing = soundFilm("missing.mp4", std::nullopt);
    again.peaks(silent);
    again.peaks(missing);
    const AudioPeaks* none = waitForPeaks(again, silent);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->peaks.empty());
    const AudioPeaks* unreadable = waitForPeaks(again, missing);
    ASSERT_TRUE(unreadable);
    EXPECT_TRUE(unreadable->peaks.empty());
}

TEST(Waveforms, QuittingWhileReadingStopsTheWorker) {
    QTemporaryDir cache;
    auto waveforms = std::make_unique<Waveforms>(std::filesystem::path(cache.path().toStdString()));
    waveforms->peaks(soundFilm("labels.mp4", std::string(64, 'e')));
    waveforms.reset();  // joins; nothing arrives at a destroyed object
    QCoreApplication::processEvents();
}

}  // namespace
}  // namespace marrowick
