// FFmpeg's log lines: errors and worse reach the sink naming the film whose context logged them,
// warnings do not, and a context the program never named gets no name.
#include "analysis/ffmpeg_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

#include "analysis/av_handles.h"
#include "analysis/media_file.h"
#include "analysis/test_films.h"

namespace marrowick {
namespace {

class FfmpegLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        FfmpegLog::install();
        listen();
    }
    void TearDown() override { FfmpegLog::setSink({}); }

    void listen() {
        FfmpegLog::setSink([this](const std::string& line) { lines_.push_back(line); });
    }

    // The lines since listen(); restoring the default sink takes the log's lock, after which no
    // FFmpeg thread is still adding to them.
    std::vector<std::string> collected() {
        FfmpegLog::setSink({});
        return std::exchange(lines_, {});
    }

private:
    std::vector<std::string> lines_;
};

struct LogCase {
    const char* name;
    int level;
    bool named;
    bool forgotten;
    const char* start;  // of the one line expected; nullptr when nothing is passed on
};

TEST_F(FfmpegLogTest, ErrorsOfNamedContextsCarryTheFileNameAndWarningsAreDropped) {
    const LogCase cases[] = {
        {"error", AV_LOG_ERROR, true, false, "reel3.mov: [NULL @ 0x"},
        {"fatal", AV_LOG_FATAL, true, false, "reel3.mov: [NULL @ 0x"},
        {"panic", AV_LOG_PANIC, true, false, "reel3.mov: [NULL @ 0x"},
        {"warning", AV_LOG_WARNING, true, false, nullptr},
        {"information", AV_LOG_INFO, true, false, nullptr},
        {"error of an unknown context", AV_LOG_ERROR, false, false, "[NULL @ 0x"},
        {"error after the context is forgotten", AV_LOG_ERROR, true, true, "[NULL @ 0x"},
    };
    for (const LogCase& logged : cases) {
        SCOPED_TRACE(logged.name);
        listen();
        const InputFormatPtr context(avformat_alloc_context());
        if (logged.named) FfmpegLog::name(context.get(), "/films/reel3.mov");
        if (logged.forgotten) FfmpegLog::forget(context.get());
        av_log(context.get(), logged.level, "stream %d is broken\n", 1);
        const std::vector<std::string> lines = collected();
        if (!logged.start) {
            EXPECT_TRUE(lines.empty());
            continue;
        }
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_TRUE(lines[0].starts_with(logged.start)) << lines[0];
        EXPECT_TRUE(lines[0].ends_with("] stream 1 is broken")) << lines[0];
    }
}

// A decoder's worker threads log from copies of its context; libavformat's parsers log from
// contexts of their own on the thread that reads the file.
TEST_F(FfmpegLogTest, CopiesOfADecoderAndContextsInsideAFileBeingReadAreNamed) {
    const CodecPtr decoder(avcodec_alloc_context3(nullptr));
    const CodecPtr parser(avcodec_alloc_context3(nullptr));
    const InputFormatPtr format(avformat_alloc_context());
    ASSERT_TRUE(decoder && parser && format);
    FfmpegLog::nameDecoder(*decoder, "/films/reel3.mov");
    FfmpegLog::name(format.get(), "/films/reel4.mxf");
    AVCodecContext copy = *decoder;  // as a frame-threaded decoder copies it for each worker
    av_log(&copy, AV_LOG_ERROR, "damaged\n");
    av_log(parser.get(), AV_LOG_ERROR, "outside\n");
    av_log(nullptr, AV_LOG_ERROR, "no context\n");
    {
        const FfmpegLog::Reading reading(format.get());
        av_log(parser.get(), AV_LOG_ERROR, "inside\n");
        av_log(&copy, AV_LOG_ERROR, "own name first\n");
    }
    const std::vector<std::string> lines = collected();
    ASSERT_EQ(lines.size(), 5u);
    const std::string unnamed = "[NULL @ 0x";
    EXPECT_TRUE(lines[0].starts_with("reel3.mov: " + unnamed) && lines[0].ends_with("] damaged")) << lines[0];
    EXPECT_TRUE(lines[1].starts_with(unnamed) && lines[1].ends_with("] outside")) << lines[1];
    EXPECT_EQ(lines[2], "no context");
    EXPECT_TRUE(lines[3].starts_with("reel4.mxf: " + unnamed) && lines[3].ends_with("] inside")) << lines[3];
    EXPECT_TRUE(lines[4].starts_with("reel3.mov: " + unnamed)) << lines[4];
}

TEST_F(FfmpegLogTest, ADecoderOfADamagedFilmNamesIt) {
    MediaFile media(testing::testFilm("corrupted.mp4"));
    while (media.nextFrame() != nullptr) {
    }
    EXPECT_GT(media.damagedFrames(), 0);
    const std::vector<std::string> lines = collected();
    ASSERT_FALSE(lines.empty());
    const bool fromDecoder = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with("corrupted.mp4: [h264 @ 0x");
    });
    EXPECT_TRUE(fromDecoder) << lines.front();
    for (const std::string& line : lines) EXPECT_TRUE(line.starts_with("corrupted.mp4: ")) << line;
}

}  // namespace
}  // namespace marrowick
