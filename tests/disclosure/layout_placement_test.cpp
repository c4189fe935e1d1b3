// Label layouts: the layout an edit starts from, the fit into a guide, pixel positions, the
// guide warning, and applying single changes.
#include "disclosure/layout_placement.h"

#include <gtest/gtest.h>

#include "raised_message.h"
#include "disclosure/label_geometry.h"
#include "disclosure/label_layout_change.h"
#include "disclosure/safe_zones.h"
#include "disclosure/layout_fixtures.h"

namespace marrowick {
namespace {

using testing::kWideArtwork;
using testing::layoutAt;

const LayoutOutput kHD{std::nullopt, 1920, 1080, kWideArtwork};
const LayoutOutput kPresetHD{"tv", 1920, 1080, kWideArtwork};

TEST(LayoutPlacement, FirstEditStartsWhereTheCornerRuleDrewTheLabel) {
    for (const char* corner : {"Bottom right", "Top left", "Top right", "Bottom left"}) {
        Project project;
        project.corner = corner;
        const LabelRect drawn = LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork);
        const LabelLayout start = LayoutPlacement::shown(project, "aspect:16:9", kHD);
        EXPECT_EQ(start.widthFraction, project.labelWidth);
        EXPECT_EQ(start.guideID, "auto");
        project.labelLayouts = LabelLayouts{{"aspect:16:9", start}};
        EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork), drawn) << corner;
    }
}

TEST(LayoutPlacement, ShownLayoutPrefersTheKeyThenThePresetThenTheAspect) {
    Project project;
    project.labelLayouts = LabelLayouts{{"aspect:16:9", layoutAt(0.2, 0, 0)}, {"preset:tv|16:9", layoutAt(0.3, 1, 1)}};
    EXPECT_EQ(LayoutPlacement::shown(project, "preset:tv|16:9", kPresetHD).widthFraction, 0.3);
    EXPECT_EQ(LayoutPlacement::shown(project, "aspect:16:9", kPresetHD).widthFraction, 0.2);
    // A preset without its own layout inherits the aspect layout, with or without a preset.
    EXPECT_EQ(LayoutPlacement::shown(project, "preset:web|16:9", {"web", 1920, 1080, kWideArtwork}).widthFraction, 0.2);
    project.labelLayouts->erase("aspect:16:9");
    // The aspect key of a previewed preset starts from that preset's layout.
    EXPECT_EQ(LayoutPlacement::shown(project, "aspect:16:9", kPresetHD).widthFraction, 0.3);
    EXPECT_EQ(LayoutPlacement::shown(project, "aspect:16:9", kHD).widthFraction, project.labelWidth);
}

TEST(LayoutPlacement, FitIntoTheBottomRightOfTenPercentMargins) {
    const LabelRect safe = SafeZones::safeRect({0.1, 0.1, 0.1, 0.1}, 1920, 1080);
    const LabelLayout fit = LayoutPlacement::fitted(layoutAt(0.18, 0, 0), "Bottom right", safe, kHD);
    EXPECT_EQ(fit.widthFraction, 0.18);
    EXPECT_DOUBLE_EQ(fit.x, 1382.0 / 1574.0);
    EXPECT_DOUBLE_EQ(fit.y, 895.0 / 1003.0);

    const LabelLayout topLeft = LayoutPlacement::fitted(layoutAt(0.4, 1, 1), "Top left", safe, kHD);
    EXPECT_EQ(topLeft.widthFraction, 0.4) << "0.4 is within the largest fraction 0.8";
    Project project;
    project.labelLayouts = LabelLayouts{{"aspect:16:9", topLeft}};
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork), (LabelRect{192, 108, 768, 171}));
}

TEST(LayoutPlacement, FitNarrowsTheLabelOrRefusesBelowTheMinimumWidth) {
    // A safe height of 60 pixels holds a label at most 270 wide: 270 / 1920 of the width.
    const LabelRect low{192, 500, 1536, 60};
    const LabelLayout narrowed = LayoutPlacement::fitted(layoutAt(0.3, 0, 0), "Top right", low, kHD);
    EXPECT_DOUBLE_EQ(narrowed.widthFraction, 270.0 / 1920.0);
    Project project;
    project.labelLayouts = LabelLayouts{{"aspect:16:9", narrowed}};
    EXPECT_TRUE(contains(low, LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork)));

    const LabelRect twentyHigh{192, 500, 1536, 20};  // 90 / 1920 is below 0.08
    EXPECT_EQ(testing::raisedMessage([&] { LayoutPlacement::fitted(layoutAt(0.18, 0, 0), "Bottom left", twentyHigh, kHD); }),
              "The label cannot fit these margins at the minimum width. Reduce the margins.");
}

TEST(LayoutPlacement, PositionsLandOnTheExactOutputPixelAndStayInTheFrame) {
    const LabelRect label = LabelGeometry::size(0.18, 1920, 1080, kWideArtwork);
    Project project;
    for (const auto& [x, y] : {std::pair<std::int64_t, std::int64_t>{0, 0}, {1, 1}, {787, 501}, {1573, 1002}}) {
        project.labelLayouts = LabelLayouts{{"aspect:16:9", LayoutPlacement::positioned(layoutAt(0.18, 0, 0), label, x, y, kHD)}};
        EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork), (LabelRect{x, y, 346, 77}));
    }
    const LabelLayout beyond = LayoutPlacement::positioned(layoutAt(0.18, 0.5, 0.5), label, -40, 5000, kHD);
    EXPECT_EQ(beyond.x, 0);
    EXPECT_EQ(beyond.y, 1);
}

TEST(LayoutPlacement, GuideWarningWhenAnyLabelLeavesTheSafeRectangle) {
    Project project;  // bottom right, 48-pixel margin: the label ends 48 pixels from the edges
    const LabelRect tenPercent = SafeZones::safeRect({0.1, 0.1, 0.1, 0.1}, 1920, 1080);
    const LabelRect threePercent = SafeZones::safeRect({0.025, 0.025, 0.025, 0.025}, 1920, 1080);
    EXPECT_TRUE(LayoutPlacement::outsideGuide(project, kHD, {kWideArtwork, 3.0}, tenPercent));
    EXPECT_FALSE(LayoutPlacement::outsideGuide(project, kHD, {kWideArtwork, 3.0}, threePercent));
    // The touching edge counts as inside: fit the label exactly into the ten-percent corner.
    project.labelLayouts =
        LabelLayouts{{"aspect:16:9", LayoutPlacement::fitted(layoutAt(0.18, 0, 0), "Bottom right", tenPercent, kHD)}};
    EXPECT_FALSE(LayoutPlacement::outsideGuide(project, kHD, {kWideArtwork}, tenPercent));
}

TEST(LabelLayoutChange, GuideAndMarginChangesFillInMissingMargins) {
    const LabelLayout start = layoutAt(0.18, 1, 1);
    EXPECT_EQ(applied(start, LayoutChange::Guide{"custom"}).customInsets, (SafeInsets{0.1, 0.1, 0.1, 0.1}));
    EXPECT_FALSE(applied(start, LayoutChange::Guide{"wide"}).customInsets);
    const LabelLayout right = applied(start, LayoutChange::Margin{LayoutChange::Side::right, 0.3});
    EXPECT_EQ(right.customInsets, (SafeInsets{0.1, 0.1, 0.3, 0.1}));
    EXPECT_EQ(right.guideID, "auto") << "a margin change does not choose the guide";
    EXPECT_EQ(applied(right, LayoutChange::Margin{LayoutChange::Side::top, 0}).customInsets,
              (SafeInsets{0.1, 0, 0.3, 0.1}));
    // Choosing "custom" again keeps margins already there.
    EXPECT_EQ(applied(right, LayoutChange::Guide{"custom"}).customInsets, (SafeInsets{0.1, 0.1, 0.3, 0.1}));
    const LabelLayout moved = applied(applied(start, LayoutChange::X{0.25}), LayoutChange::WidthFraction{0.3});
    EXPECT_EQ(moved, (LabelLayout{0.3, 0.25, 1, "auto", {}}));
}

}  // namespace
}  // namespace marrowick
