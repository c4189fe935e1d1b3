// Peak levels of real sound tracks, films without sound, and the cache file keyed by fingerprint.
#include "analysis/audio_peaks.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "model/review_error.h"
#include "test_films.h"

namespace marrowick {
namespace {

using testing::testFilm;

TEST(AudioPeaks, FollowTheSoundOfEachTrackAndStayEmptyWithoutOne) {
    struct Case {
        const char* film;
        std::size_t buckets;  // seconds of sound times 20, give or take the codec's padding
    };
    // The Matroska film keeps 0.8 s of its sine (FFmpeg decodes as much).
    for (const Case c : {Case{"labels.mp4", 60}, Case{"opus-sound.mkv", 16}, Case{"delivery-three-sounds.mov", 20}}) {
        const AudioPeaks read = AudioPeaks::read(testFilm(c.film));
        EXPECT_NEAR(double(read.peaks.size()), double(c.buckets), 2.0) << c.film;
        // FFmpeg's sine source plays at an eighth of full scale (32); spread over two channels, at
        // about 0.7 of that.
        const std::size_t middle = read.peaks.size() / 2;
        EXPECT_GE(read.peaks.at(middle), 20) << c.film;
        EXPECT_LE(read.peaks.at(middle), 35) << c.film;
    }
    EXPECT_TRUE(AudioPeaks::read(testFilm("step-25.mp4")).peaks.empty());
    EXPECT_THROW(AudioPeaks::read(testFilm("not-media.mp4")), ReviewError);
    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(AudioPeaks::read(testFilm("labels.mp4"), stop.get_token()), Cancelled);
}

TEST(AudioPeaks, TheCacheKeepsPeaksPerFingerprintAndIgnoresWhatItDidNotWrite) {
    testing::TemporaryFolder folder;
    const std::string sha(64, 'a');
    const std::string other(64, 'b');
    const AudioPeaks peaks{{0, 17, 255, 3}};
    peaks.save(folder.path(), sha);
    EXPECT_EQ(AudioPeaks::load(folder.path(), sha), peaks);
    EXPECT_EQ(AudioPeaks::load(folder.path(), other), std::nullopt);

    const auto damage = [&](const std::string& bytes) {
        std::ofstream(folder.path() / (other + ".peaks"), std::ios::binary) << bytes;
        return AudioPeaks::load(folder.path(), other);
    };
    std::ifstream written(folder.path() / (sha + ".peaks"), std::ios::binary);
    const std::string good((std::istreambuf_iterator<char>(written)), {});
    EXPECT_EQ(damage(good), peaks);
    EXPECT_EQ(damage(good.substr(0, good.size() - 1)), std::nullopt) << "cut short";
    EXPECT_EQ(damage(good + "x"), std::nullopt) << "trailing bytes";
    EXPECT_EQ(damage("MWPEAKS2" + good.substr(8)), std::nullopt) << "another format";
    EXPECT_EQ(damage(good.substr(0, 8) + std::string(8, '\xff')), std::nullopt) << "an absurd count";

    for (const std::string& hostile : {std::string("../escape"), std::string(64, 'A'), std::string(63, 'a')}) {
        peaks.save(folder.path(), hostile);
        EXPECT_EQ(AudioPeaks::load(folder.path(), hostile), std::nullopt) << hostile;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path().parent_path() / "escape.peaks"));
}

}  // namespace
}  // namespace marrowick
