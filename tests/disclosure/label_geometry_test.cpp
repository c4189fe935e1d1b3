// The label rectangle's rounding, caps and layout preference, and the aspect and key strings.
#include "disclosure/label_geometry.h"

#include <gtest/gtest.h>

#include "disclosure/layout_fixtures.h"

namespace marrowick {
namespace {

using testing::kWideArtwork;
using testing::layoutAt;

TEST(LabelGeometry, AspectReducesByTheGreatestCommonDivisor) {
    EXPECT_EQ(LabelGeometry::aspect(1920, 1080), "16:9");
    EXPECT_EQ(LabelGeometry::aspect(3840, 2160), "16:9");
    EXPECT_EQ(LabelGeometry::aspect(720, 576), "5:4");
    EXPECT_EQ(LabelGeometry::aspect(1998, 1080), "37:20");
    EXPECT_EQ(LabelGeometry::aspect(0, 1080), "invalid");
    EXPECT_EQ(LabelGeometry::aspect(1920, -1), "invalid");
}

TEST(LabelGeometry, KeyIsPresetFormOnlyWithAPresetKey) {
    EXPECT_EQ(LabelGeometry::key("youtube_upload_16x9", 1920, 1080), "preset:youtube_upload_16x9|16:9");
    EXPECT_EQ(LabelGeometry::key(std::nullopt, 1080, 1920), "aspect:9:16");
}

TEST(LabelGeometry, DefaultCornerRectanglesMatchTheWorkedFrames) {
    const Project project;  // labelWidth 0.18, "Bottom right", no layouts
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork), (LabelRect{1526, 955, 346, 77}));
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 640, 360, kWideArtwork), (LabelRect{509, 318, 115, 26}));
}

TEST(LabelGeometry, CornersUseTheMarginButNeverLeaveTheFrame) {
    Project project;
    project.corner = "Top left";
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork), (LabelRect{48, 48, 346, 77}));
    project.corner = "Top right";
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork), (LabelRect{1526, 48, 346, 77}));
    project.corner = "Bottom left";
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork), (LabelRect{48, 955, 346, 77}));

    // 60 x 20 frame: margin 16, label 11 x 2, free space 49 x 18.
    project.corner = "Top left";
    project.labelWidth = 0.18;
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 60, 20, kWideArtwork), (LabelRect{16, 16, 11, 2}));
    // A label wider than the frame minus the margin sits at the free space, never at a negative x.
    project.labelWidth = 0.9;
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 20, 20, kWideArtwork), (LabelRect{2, 16, 18, 4}));
    project.corner = "Bottom right";
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 20, 20, kWideArtwork), (LabelRect{0, 0, 18, 4}));
}

TEST(LabelGeometry, TallArtworkIsCappedSoItsHeightFitsTheFrame) {
    const Project project;
    // Artwork 0.25 wide per unit of height on a 1920 x 200 frame: floor(0.25 * 200) = 50 wins over 346.
    const LabelRect rect = LabelGeometry::rect(project, std::nullopt, 1920, 200, 0.25);
    EXPECT_EQ(rect.width, 50);
    EXPECT_EQ(rect.height, 200);
    EXPECT_EQ(rect.y, 0);
    // Tiny frames still give a label of at least 1 x 1.
    const LabelRect tiny = LabelGeometry::rect(project, std::nullopt, 1, 1, kWideArtwork);
    EXPECT_EQ(tiny, (LabelRect{0, 0, 1, 1}));
}

TEST(LabelGeometry, LayoutPositionsAreFractionsOfTheFreeSpace) {
    Project project;
    project.labelLayouts = LabelLayouts{{"aspect:16:9", layoutAt(0.2, 0.5, 0.5)}};
    // lw = 384, lh = round(85.33) = 85; free 1536 x 995; centre: 768, round(497.5) = 498.
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork), (LabelRect{768, 498, 384, 85}));
    project.labelLayouts = LabelLayouts{{"aspect:16:9", layoutAt(0.2, 0, 1)}};
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork), (LabelRect{0, 995, 384, 85}));
}

TEST(LabelGeometry, PresetLayoutWinsOverAspectLayoutOnlyWithItsPresetKey) {
    Project project;
    project.labelLayouts = LabelLayouts{
        {"aspect:16:9", layoutAt(0.1, 0, 0)},
        {"preset:web_h264_1080p|16:9", layoutAt(0.3, 1, 1)},
    };
    const LabelRect preset = LabelGeometry::rect(project, "web_h264_1080p", 1920, 1080, kWideArtwork);
    EXPECT_EQ(preset, (LabelRect{1344, 952, 576, 128}));
    // Another preset, or none, falls back to the aspect layout.
    const LabelRect other = LabelGeometry::rect(project, "youtube_upload_16x9", 1920, 1080, kWideArtwork);
    EXPECT_EQ(other, (LabelRect{0, 0, 192, 43}));
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 1920, 1080, kWideArtwork), other);
    // A layout for another aspect ratio does not apply: the project's corner settings do.
    EXPECT_EQ(LabelGeometry::rect(project, std::nullopt, 640, 480, kWideArtwork), (LabelRect{509, 438, 115, 26}));
}

}  // namespace
}  // namespace marrowick
