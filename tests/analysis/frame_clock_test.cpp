// The frame-time rule on hand-made frame sequences: missing, repeated and wrapped times.
#include "analysis/frame_clock.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

extern "C" {
#include <libavutil/frame.h>
}

#include "analysis/av_handles.h"

namespace marrowick {
namespace {

constexpr std::int64_t kNoTimestamp = AV_NOPTS_VALUE;
constexpr std::int64_t kWrap = std::int64_t{1} << 33;

// What the decoder says of one frame; kNoTimestamp where it says nothing.
struct Said {
    std::int64_t bestEffort = kNoTimestamp;
    std::int64_t decodeTime = kNoTimestamp;
    std::int64_t duration = 0;
};

std::vector<std::int64_t> stamps(FrameClock& clock, const std::vector<Said>& frames) {
    FramePtr frame(av_frame_alloc());
    std::vector<std::int64_t> result;
    for (const Said& said : frames) {
        frame->best_effort_timestamp = said.bestEffort;
        frame->pts = kNoTimestamp;
        frame->pkt_dts = said.decodeTime;
        frame->pkt_duration = said.duration;
        result.push_back(clock.stamp(*frame));
    }
    return result;
}

// A 90 kHz MPEG clock at 25 frames per second.
FrameClock::Timing mpeg(std::int64_t start) { return {{1, 90000}, start, {25, 1}, 33}; }

struct Case {
    const char* what;
    FrameClock::Timing timing;
    std::vector<Said> frames;
    std::vector<std::int64_t> expected;
    std::int64_t corrected;
};

TEST(FrameClock, GivesEveryFrameOneStrictlyIncreasingTime) {
    const std::int64_t late = kWrap - 3600;
    const Case cases[] = {
        {"times as stamped", mpeg(900), {{900}, {4500}, {8100}}, {900, 4500, 8100}, 0},
        {"the decode time stands in for a missing presentation time",
         mpeg(900),
         {{900}, {kNoTimestamp, 4500}, {8100}},
         {900, 4500, 8100},
         0},
        {"no time at all: the previous time plus the frame's duration",
         mpeg(900),
         {{900}, {kNoTimestamp, kNoTimestamp, 3000}, {kNoTimestamp}},
         {900, 3900, 7500},
         2},
        {"a first frame without a time starts the stream", mpeg(900), {{kNoTimestamp}, {4500}}, {900, 4500}, 1},
        {"a repeated time moves one tick after the previous",
         mpeg(0),
         {{0}, {3600}, {3600}, {7200}},
         {0, 3600, 3601, 7200},
         1},
        {"a backwards time moves one tick after the previous",
         mpeg(0),
         {{0}, {7200}, {3600}, {10800}},
         {0, 7200, 7201, 10800},
         1},
        {"the 33-bit clock wraps and is unwrapped",
         mpeg(late - 3600),
         {{late - 3600}, {late}, {0}, {3600}},
         {late - 3600, late, kWrap, kWrap + 3600},
         0},
        {"a negative start stays on the source's timeline",
         {{1, 25}, -2, {25, 1}, 64},
         {{-2}, {-1}, {0}, {1}},
         {-2, -1, 0, 1},
         0},
        {"without a duration, one frame at the nominal rate",
         {{1, 1000}, 0, {30000, 1001}, 64},
         {{0}, {kNoTimestamp}, {kNoTimestamp}},
         {0, 33, 66},
         2},
    };
    for (const Case& c : cases) {
        FrameClock clock(c.timing);
        EXPECT_EQ(stamps(clock, c.frames), c.expected) << c.what;
        EXPECT_EQ(clock.corrected(), c.corrected) << c.what;
    }
}

TEST(FrameClock, SecondsCountFromTheStreamStartAndSeekTargetsInvertThem) {
    FrameClock clock(mpeg(900));
    const std::vector<std::int64_t> times = stamps(clock, {{900}, {kNoTimestamp, kNoTimestamp, 3600}});
    EXPECT_DOUBLE_EQ(clock.seconds(times[0]), 0.0);
    EXPECT_DOUBLE_EQ(clock.seconds(times[1]), 0.04);
    EXPECT_EQ(clock.ticks(0.04), 4500);

    FrameClock unstarted({{1, 25}, INT64_MIN, {25, 1}, 64});  // no stream start: the first frame's time
    stamps(unstarted, {{50}});
    EXPECT_DOUBLE_EQ(unstarted.seconds(75), 1.0);
}

TEST(FrameClock, AfterASeekAFrameWithoutATimeHasNone) {
    FrameClock clock(mpeg(0));
    stamps(clock, {{0}, {3600}, {7200}});
    clock.restart();
    // Back at the start: an earlier time is taken as it is, not moved after the last one seen.
    EXPECT_EQ(stamps(clock, {{kNoTimestamp}, {0}, {kNoTimestamp, kNoTimestamp, 3600}}),
              (std::vector<std::int64_t>{INT64_MIN, 0, 3600}));
}

}  // namespace
}  // namespace marrowick
