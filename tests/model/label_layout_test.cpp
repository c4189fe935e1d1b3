#include "model/label_layout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

constexpr const char* kValidLayout = "";

std::string failure(const LabelLayout& layout) {
    return testing::raisedMessage([&] { layout.validate({"youtube-shorts"}); });
}

}  // namespace

TEST(LabelLayout, PositionWidthAndGuideAreChecked) {
    EXPECT_EQ(failure(LabelLayout{0.08, 0, 1, "auto", {}}), kValidLayout);
    EXPECT_EQ(failure(LabelLayout{0.4, 1, 0, "youtube-shorts", {}}), kValidLayout);
    EXPECT_EQ(failure(LabelLayout{0.41, 0, 0, "auto", {}}), "Invalid label position or guide.");
    EXPECT_EQ(failure(LabelLayout{0.2, -0.01, 0, "auto", {}}), "Invalid label position or guide.");
    EXPECT_EQ(failure(LabelLayout{0.2, 0, std::nan(""), "auto", {}}), "Invalid label position or guide.");
    EXPECT_EQ(failure(LabelLayout{0.2, 0, 0, "Auto", {}}), "Invalid label position or guide.");
    EXPECT_EQ(failure(LabelLayout{0.2, 0, 0, "custom", {}}), "Custom safe margins are missing.");
}

TEST(LabelLayout, CustomMarginsMustLeaveAUsableRectangle) {
    const auto withInsets = [](SafeInsets insets) { return failure(LabelLayout{0.2, 0, 0, "custom", insets}); };
    EXPECT_EQ(withInsets({0, 0, 0, 0}), kValidLayout);
    EXPECT_EQ(withInsets({0.9, 0.04, 0.04, 0.9}), kValidLayout);
    EXPECT_EQ(withInsets({0.5, 0, 0.45, 0}), "Safe margins must leave a usable rectangle.");
    EXPECT_EQ(withInsets({0, 0.91, 0, 0}), "Safe margins must leave a usable rectangle.");
    EXPECT_EQ(withInsets({-0.01, 0, 0, 0}), "Safe margins must leave a usable rectangle.");
    // Margins are checked whenever present, even with another guide.
    EXPECT_EQ(failure(LabelLayout{0.2, 0, 0, "auto", SafeInsets{0, 0, 0, 0.96}}),
              "Safe margins must leave a usable rectangle.");
}

}  // namespace marrowick
