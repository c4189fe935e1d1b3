#include "model/timecode.h"

#include <gtest/gtest.h>

namespace marrowick {

TEST(Timecode, CountsNonDropFramesAtEachTimebase) {
    EXPECT_EQ(Timecode::frames("01:00:00:00", 24, false), 86400);
    EXPECT_EQ(Timecode::frames("00:00:01:24", 25, false), 49);
    EXPECT_EQ(Timecode::frames("00:00:01:49", 50, false), 99);
    EXPECT_EQ(Timecode::frames("00:00:00:24", 24, false), std::nullopt);  // no frame 24 at 24 fps
    EXPECT_EQ(Timecode::frames("00:60:00:00", 24, false), std::nullopt);
    EXPECT_EQ(Timecode::frames("0:00:00:00", 24, false), std::nullopt);
    EXPECT_EQ(Timecode::frames("00:00:0a:00", 24, false), std::nullopt);
}

TEST(Timecode, DropFrameSkipsTwoNumbersAMinuteExceptEachTenth) {
    EXPECT_EQ(Timecode::frames("00:00:59;29", 30, true), 1799);
    EXPECT_EQ(Timecode::frames("00:01:00;02", 30, true), 1800);    // ;00 and ;01 do not exist
    EXPECT_EQ(Timecode::frames("00:01:00;00", 30, true), std::nullopt);
    EXPECT_EQ(Timecode::frames("00:09:59;29", 30, true), 17981);
    EXPECT_EQ(Timecode::frames("00:10:00;00", 30, true), 17982);   // the tenth minute keeps them
    EXPECT_EQ(Timecode::frames("01:00:00;00", 30, true), 107892);
    EXPECT_EQ(Timecode::frames("00:01:00;04", 60, true), 3600);    // 59.94 drops four
    EXPECT_EQ(Timecode::frames("00:01:00;00", 25, true), std::nullopt);
}

TEST(Timecode, TextInvertsTheCount) {
    for (const int base : {24, 25, 30, 50, 60})
        for (const bool drop : {false, true}) {
            if (drop && base % 30 != 0) continue;
            for (std::int64_t frames : {0, 1, 1799, 1800, 17981, 17982, 107891, 107892, 1000003}) {
                const std::string text = Timecode::text(frames, base, drop);
                EXPECT_EQ(Timecode::frames(text, base, drop), frames) << text << " at " << base;
            }
        }
    EXPECT_EQ(Timecode::text(1800, 30, true), "00:01:00;02");
    EXPECT_EQ(Timecode::text(86400, 24, false), "01:00:00:00");
}

TEST(Timecode, TimebaseAndDropFrameRates) {
    EXPECT_EQ(Timecode::timebase(24000.0 / 1001), 24);
    EXPECT_EQ(Timecode::timebase(59.94), 60);
    EXPECT_TRUE(Timecode::dropFrameRate(30000.0 / 1001));
    EXPECT_TRUE(Timecode::dropFrameRate(59.94));
    EXPECT_FALSE(Timecode::dropFrameRate(30));
    EXPECT_FALSE(Timecode::dropFrameRate(24000.0 / 1001));
}

}  // namespace marrowick
