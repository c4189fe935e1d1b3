#include "interchange/edl_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "interchange/cut_list_matchers.h"

namespace marrowick {

using ::testing::ElementsAre;
using testing::EventIs;
using testing::failureOf;

constexpr double kNtsc = 30000.0 / 1001.0;

TEST(EdlReader, ReadsCutsDissolvesAndWipesOfTheVideoTrack) {
    const char* edl =
        "TITLE: REEL ONE\r\n"
        "FCM: NON-DROP FRAME\r\n"
        "\r\n"
        "001  A001     V     C        00:00:10:00 00:00:12:00 01:00:00:00 01:00:02:00\r\n"
        "* FROM CLIP NAME: opening.mov\r\n"
        "002  A001     V     C        00:00:12:00 00:00:12:00 01:00:02:00 01:00:02:00\r\n"
        "002  B002     V     D    012 02:00:00:00 02:00:03:00 01:00:02:00 01:00:05:00\r\n"
        "M2   B002       050.0                02:00:00:00\r\n"
        "003  B002     A     C        02:00:03:00 02:00:04:00 01:00:05:00 01:00:06:00\r\n"
        "004  C003     V     W001 025 03:00:00:00 03:00:04:00 01:00:05:00 01:00:09:00\r\n"
        "005  D004     AA/V  K        03:00:00:00 03:00:01:00 01:00:09:00 01:00:10:00\r\n";
    const CutList list = EdlReader::read(edl, 25);
    EXPECT_EQ(list.frameRate, 0);  // an EDL does not name its rate
    EXPECT_FALSE(list.origin);
    EXPECT_THAT(list.events, ElementsAre(EventIs(3600, 3602, CutKind::clip), EventIs(3602, 3605, CutKind::clip),
                                         EventIs(3602, 3602.48, CutKind::transition), EventIs(3605, 3609, CutKind::clip),
                                         EventIs(3605, 3606, CutKind::transition), EventIs(3609, 3610, CutKind::clip)));
}

TEST(EdlReader, DropFrameTimecodeCrossesTheTenMinuteMark) {
    const char* edl =
        "FCM: DROP FRAME\n"
        "001  AX       V     C        00:00:00;00 00:00:10;00 00:09:50;00 00:10:00;00\n"
        "002  AX       V     C        00:00:10;00 00:00:20;00 00:10:00;00 00:10:10;00\n";
    const CutList list = EdlReader::read(edl, kNtsc);
    EXPECT_EQ(list.frameRateText, "29.97 fps drop frame");
    EXPECT_NEAR(list.frameRate, kNtsc, 1e-9);
    ASSERT_EQ(list.events.size(), 2u);
    EXPECT_NEAR(list.events[0].recordIn * kNtsc, 17682, 1e-6);
    EXPECT_NEAR(list.events[0].recordOut * kNtsc, 17982, 1e-6);  // 300 frames, not 282
    EXPECT_NEAR(list.events[1].recordOut * kNtsc, 18282, 1e-6);
    // Semicolons alone mark drop frame too.
    const CutList marked = EdlReader::read("001  AX  V  C  00:00:00;00 00:00:10;00 00:09:50;00 00:10:00;00\n", kNtsc);
    EXPECT_NEAR(marked.events[0].recordOut - marked.events[0].recordIn, 300 / kNtsc, 1e-9);
}

TEST(EdlReader, CountsEveryCommonRateInItsTimebase) {
    const char* edl = "001  AX  V  C  00:00:00:00 00:00:01:00 00:00:00:00 00:00:01:00\n";
    for (const double rate : {24000.0 / 1001, 24.0, 25.0, kNtsc, 30.0, 50.0, 60000.0 / 1001}) {
        const CutList list = EdlReader::read(edl, rate);
        EXPECT_NEAR(list.events[0].recordOut, std::round(rate) / rate, 1e-9) << rate;
    }
}

TEST(EdlReader, RefusesMalformedEventsAndTimecodeTheFilmCannotCount) {
    EXPECT_EQ(failureOf([] { EdlReader::read("001  AX  V  C  00:00:00:00 00:00:01:27 01:00:00:00 01:00:01:27\n", 25); }),
              "The cut list's timecode 01:00:01:27 on line 1 does not fit the film's frame rate (25 fps).");
    EXPECT_EQ(failureOf([] { EdlReader::read("TITLE: X\n001  AX  V  C  00:00:00:00\n", 25); }),
              "The cut list cannot be read: line 2 is not an edit event.");
    EXPECT_EQ(failureOf([] { EdlReader::read("001  AX  V  D  00:00:00:00 00:00:01:00 01:00:00:00 01:00:01:00\n", 25); }),
              "The cut list cannot be read: the transition on line 1 has no length.");
    EXPECT_TRUE(EdlReader::read("TITLE: only words\n* a comment\n", 25).events.empty());
}

}  // namespace marrowick
