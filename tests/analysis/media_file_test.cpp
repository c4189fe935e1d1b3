// The media layer: upright size and pictures of rotated clips, variable frame-rate times, ends.
#include "analysis/media_file.h"

#include <gtest/gtest.h>

#include <vector>

extern "C" {
#include <libavutil/frame.h>
}

#include "analysis/tiny_frame_scaler.h"
#include "model/film_time.h"
#include "model/review_error.h"
#include "test_films.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::testFilm;

TEST(MediaFile, TurnsARotatedClipUpright) {
    MediaFile media(testFilm("portrait.mp4"));
    EXPECT_EQ(media.info().width, 90);
    EXPECT_EQ(media.info().height, 160);
    EXPECT_EQ(media.info().quarterTurns, 1);
    TinyFrameScaler scaler(media.info().quarterTurns);
    const AVFrame* frame = media.nextFrame();
    ASSERT_TRUE(frame);
    const auto rgb = scaler.shrink(*frame);
    // Upright: red on top, blue at the bottom, across the whole width.
    for (const int x : {0, 24, 47}) {
        const auto top = rgb.subspan((2 * kTinyWidth + x) * 3, 3);
        const auto bottom = rgb.subspan((24 * kTinyWidth + x) * 3, 3);
        EXPECT_GT(top[0], 200);
        EXPECT_LT(top[2], 60);
        EXPECT_LT(bottom[0], 60);
        EXPECT_GT(bottom[2], 200);
    }
}

TEST(MediaFile, GivesVariableFrameRateTimesFromTheFirstFrame) {
    MediaFile media(testFilm("vfr.mp4"));
    const auto truth = testing::groundTruth("vfr")["times"];
    std::size_t count = 0;
    while (media.nextFrame()) {
        ASSERT_LT(count, truth.size());
        EXPECT_NEAR(media.frameTime(), truth[count].get<double>(), 0.0015) << "frame " << count;
        ++count;
    }
    EXPECT_EQ(count, truth.size());
    EXPECT_FALSE(media.nextFrame());  // the end stays the end
}

TEST(MediaFile, DecodesEveryFrameAndSeeksBack) {
    MediaFile media(testFilm("frames-75.mp4"));
    EXPECT_DOUBLE_EQ(media.info().duration, 3.0);
    EXPECT_EQ(media.info().fps, 25);
    int frames = 0;
    while (media.nextFrame()) ++frames;
    EXPECT_EQ(frames, 75);
    media.seek(0);
    ASSERT_TRUE(media.nextFrame());
    EXPECT_EQ(media.frameTime(), 0);
}

TEST(MediaFile, EveryFrameOfAProgramStreamGetsOneIncreasingTime) {
    // MPEG-2 in a program stream: the first frame carries no presentation time of its own.
    MediaFile media(testFilm("program-stream.mpg"));
    std::vector<double> times;
    while (media.nextFrame()) times.push_back(media.frameTime());
    ASSERT_EQ(times.size(), 50u);
    EXPECT_EQ(times.front(), 0);
    for (std::size_t i = 1; i < times.size(); ++i) EXPECT_NEAR(times[i] - times[i - 1], 0.04, 1e-6) << "frame " << i;
    EXPECT_EQ(media.damagedFrames(), 0);
}

TEST(MediaFile, ReadsTheStartTimecodeFfmpegWroteInEachContainer) {
    const std::pair<const char*, const char*> films[] = {
        {"timecode-2997df.mov", "01:00:00;00"},
        {"timecode-23976.mp4", "00:59:58:00"},
        {"timecode-25.mkv", "10:00:00:00"},
        {"timecode-5994df.mxf", "00:09:59;56"},
        {"step-25.mp4", "00:00:00:00"},
    };
    for (const auto& [name, start] : films) {
        MediaFile media(testFilm(name));
        Film film;
        film.fps = media.info().fps;
        film.duration = media.info().duration;
        FilmTime::takeTimecodeTag(film, media.info().timecode);
        EXPECT_EQ(film.startTimecode, start) << name;
        EXPECT_EQ(FilmTime::timecode(film, FilmTime::frameTime(film, 0)), start) << name;
    }
}

TEST(MediaFile, RefusesFilesWithoutVideo) {
    EXPECT_EQ(testing::raisedMessage([] { MediaFile media(testFilm("audio-only.m4a")); }),
              "No video track in audio-only.m4a.");
}

}  // namespace
}  // namespace marrowick
