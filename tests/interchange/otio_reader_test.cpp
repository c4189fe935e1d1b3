#include "interchange/otio_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "interchange/cut_list_matchers.h"

namespace marrowick {

using ::testing::ElementsAre;
using testing::EventIs;
using testing::failureOf;

namespace {

std::string range(double duration, double rate) {
    return R"({"OTIO_SCHEMA": "TimeRange.1", "start_time": {"OTIO_SCHEMA": "RationalTime.1", "rate": )" +
           std::to_string(rate) + R"(, "value": 0}, "duration": {"OTIO_SCHEMA": "RationalTime.1", "rate": )" +
           std::to_string(rate) + ", \"value\": " + std::to_string(duration) + "}}";
}

std::string timeline(const std::string& videoChildren, const std::string& start = "null") {
    return R"({"OTIO_SCHEMA": "Timeline.1", "name": "cut", "global_start_time": )" + start +
           R"(, "tracks": {"OTIO_SCHEMA": "Stack.1", "children": [
             {"OTIO_SCHEMA": "Track.1", "kind": "Audio", "children": [
               {"OTIO_SCHEMA": "Clip.2", "source_range": )" + range(999, 48000) + R"(}]},
             {"OTIO_SCHEMA": "Track.1", "kind": "Video", "children": [)" + videoChildren + R"(]}]}})";
}

}  // namespace

TEST(OtioReader, ReadsClipsGapsAndTransitionsOfTheFirstVideoTrack) {
    const std::string clips =
        R"({"OTIO_SCHEMA": "Clip.2", "name": "a", "source_range": )" + range(48, 24) + "}," +
        R"({"OTIO_SCHEMA": "Transition.1", "transition_type": "SMPTE_Dissolve",
            "in_offset": {"OTIO_SCHEMA": "RationalTime.1", "rate": 24, "value": 6},
            "out_offset": {"OTIO_SCHEMA": "RationalTime.1", "rate": 24, "value": 6}},)" +
        R"({"OTIO_SCHEMA": "Clip.2", "name": "b", "source_range": )" + range(72, 24) +
        R"(, "effects": [{"OTIO_SCHEMA": "LinearTimeWarp.1", "time_scalar": 2}], "markers": []},)" +
        R"({"OTIO_SCHEMA": "Gap.1", "source_range": )" + range(24, 24) + "}," +
        R"({"OTIO_SCHEMA": "Clip.1", "source_range": null, "media_reference":
            {"OTIO_SCHEMA": "ExternalReference.1", "available_range": )" + range(24, 24) + "}}";
    const CutList list = OtioReader::read(timeline(clips, R"({"OTIO_SCHEMA": "RationalTime.1", "rate": 25, "value": 90000})"));
    EXPECT_EQ(list.frameRate, 25);  // the timeline's start time names the rate
    EXPECT_EQ(list.origin, 0.0);
    EXPECT_THAT(list.events, ElementsAre(EventIs(0, 2, CutKind::clip), EventIs(1.75, 2.25, CutKind::transition),
                                         EventIs(2, 5, CutKind::clip), EventIs(5, 6, CutKind::gap),
                                         EventIs(6, 7, CutKind::clip)));
}

TEST(OtioReader, RationalTimesAt1001Over24000) {
    const double rate = 24000.0 / 1001.0;
    const CutList list = OtioReader::read(timeline(R"({"OTIO_SCHEMA": "Clip.2", "source_range": )" + range(120, rate) +
                                                   R"(}, {"OTIO_SCHEMA": "Clip.2", "source_range": )" + range(1, rate) + "}"));
    EXPECT_NEAR(list.frameRate, rate, 1e-6);  // without a start time, the first clip's rate
    EXPECT_THAT(list.events, ElementsAre(EventIs(0, 5.005, CutKind::clip), EventIs(5.005, 5.005 + 1001.0 / 24000, CutKind::clip)));
}

TEST(OtioReader, RefusesWhatIsNotATimelineWithAVideoTrack) {
    EXPECT_EQ(failureOf([] { OtioReader::read("{\"OTIO_SCHEMA\": \"Clip.2\"}"); }),
              "The cut list cannot be read: it is not an OpenTimelineIO timeline.");
    EXPECT_EQ(failureOf([] { OtioReader::read("[1, 2"); }),
              "The cut list cannot be read: it is not an OpenTimelineIO timeline.");
    EXPECT_EQ(failureOf([] { OtioReader::read(R"({"OTIO_SCHEMA": "Timeline.1", "tracks": {"OTIO_SCHEMA": "Stack.1", "children": []}})"); }),
              "The cut list cannot be read: the timeline has no video track.");
    EXPECT_EQ(failureOf([] { OtioReader::read(timeline(R"({"OTIO_SCHEMA": "Clip.2", "source_range": {"duration": {"rate": 0, "value": 3}}})")); }),
              "The cut list cannot be read: item 1 of the video track has no duration.");
    EXPECT_EQ(failureOf([] { OtioReader::read(timeline(R"({"OTIO_SCHEMA": "Transition.1"})")); }),
              "The cut list cannot be read: transition 1 of the video track has no offsets.");
    EXPECT_TRUE(OtioReader::read(timeline("")).events.empty());
}

}  // namespace marrowick
