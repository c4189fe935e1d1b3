#include "model/decimal_text.h"

#include <gtest/gtest.h>

namespace marrowick {

TEST(DecimalText, AlwaysHasAFractionAndRoundTrips) {
    EXPECT_EQ(decimalText(12), "12.0");
    EXPECT_EQ(decimalText(0), "0.0");
    EXPECT_EQ(decimalText(1.5), "1.5");
    EXPECT_EQ(decimalText(12.041666666666666), "12.041666666666666");
    EXPECT_EQ(decimalText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(decimalText(1e21), "1e+21");
}

TEST(DecimalText, FloatsUseTheirOwnShortestForm) {
    EXPECT_EQ(shortestText(0.35f), "0.35");
    EXPECT_EQ(shortestText(static_cast<double>(0.35f)), "0.3499999940395355");
}

}  // namespace marrowick
