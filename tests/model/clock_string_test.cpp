#include "model/clock_string.h"

#include <gtest/gtest.h>

#include <limits>

namespace marrowick {

TEST(ClockString, RoundsHalfMillisecondsUpAndClampsNegatives) {
    EXPECT_EQ(clockString(3723.4567), "01:02:03.457");
    EXPECT_EQ(clockString(-2), "00:00:00.000");
    EXPECT_EQ(clockString(0.0005), "00:00:00.001");
    EXPECT_EQ(clockString(0.0004), "00:00:00.000");
}

TEST(ClockString, DoesNotWrapHoursAndDashesNonFinite) {
    EXPECT_EQ(clockString(100 * 3600.0), "100:00:00.000");
    EXPECT_EQ(clockString(std::numeric_limits<double>::infinity()), "\u2014");
    EXPECT_EQ(clockString(std::numeric_limits<double>::quiet_NaN()), "\u2014");
    EXPECT_EQ(clockString(1e34), "277777777777:46:40.000") << "held at the longest time that still counts";
}

}  // namespace marrowick
