// Which label a frame time carries: end exclusive, first shot by start, none and gaps unlabelled;
// and the two overlays placed by the geometry in the project's style.
#include "disclosure/label_overlay_set.h"

#include <gtest/gtest.h>

#include <cmath>

#include "disclosure/label_assets.h"
#include "disclosure/label_geometry.h"
#include "disclosure/labelled_film.h"
#include "resource_folder.h"

namespace marrowick {
namespace {

Shot shotOf(double start, double end, Disclosure decision) {
    Shot shot;
    shot.id = Uuid::random();
    shot.start = start;
    shot.end = end;
    shot.disclosure = decision;
    return shot;
}

Disclosure labelAt(const LabelOverlaySet& set, double seconds) {
    const LabelOverlay* overlay = set.at(seconds);
    return overlay ? overlay->decision : Disclosure::none;
}

TEST(LabelOverlaySet, FindsTheFirstShotByStartHoldingTheTime) {
    const Project project = testing::labelsProject();
    // Out of order, with a gap (4 to 5), an overlap (6 to 8 under 5 to 7) and unreviewed and none shots.
    const std::vector<Shot> shots = {shotOf(2, 4, Disclosure::generated), shotOf(0, 1, Disclosure::modified),
                                     shotOf(1, 2, Disclosure::none),      shotOf(6, 8, Disclosure::modified),
                                     shotOf(5, 7, Disclosure::generated), shotOf(8, 9, Disclosure::unreviewed)};
    const LabelOverlaySet set(project, project.films[0], shots, kResources);
    EXPECT_EQ(labelAt(set, 0), Disclosure::modified);
    EXPECT_EQ(labelAt(set, std::nextafter(1.0, 0.0)), Disclosure::modified);
    EXPECT_EQ(labelAt(set, 1), Disclosure::none);  // the end belongs to the next shot
    EXPECT_EQ(labelAt(set, 2), Disclosure::generated);
    EXPECT_EQ(labelAt(set, 4.5), Disclosure::none);
    EXPECT_EQ(labelAt(set, 6.5), Disclosure::generated);  // 5 to 7 starts first
    EXPECT_EQ(labelAt(set, 7.5), Disclosure::modified);
    EXPECT_EQ(labelAt(set, 8.5), Disclosure::none);
    EXPECT_EQ(labelAt(set, -1), Disclosure::none);
    EXPECT_EQ(labelAt(set, 9), Disclosure::none);
    EXPECT_EQ(labelAt(set, std::nan("")), Disclosure::none);
}

TEST(LabelOverlaySet, OverlaysFollowTheGeometryAndStyleWithoutPresetLayouts) {
    Project project = testing::labelsProject();
    project.labelStyle = LabelStyle::black50;
    project.corner = "Top left";
    LabelLayout preset;
    preset.widthFraction = 0.5;
    project.labelLayouts = LabelLayouts{{"preset:web|16:9", preset}};
    const LabelOverlaySet set(project, project.films[0], {}, kResources);
    for (const LabelOverlay* overlay : {&set.modified(), &set.generated()}) {
        const double aspect = LabelAssets::aspect(kResources, overlay->decision, LabelStyle::black50);
        EXPECT_EQ(overlay->rect, LabelGeometry::rect(project, std::nullopt, 640, 360, aspect));
        EXPECT_EQ(overlay->rect.x, 16);
        EXPECT_EQ(overlay->rect.width, 192);  // 0.3 of 640, not the preset layout's half
        EXPECT_EQ(overlay->picture.width, overlay->rect.width);
        EXPECT_EQ(overlay->picture.height, overlay->rect.height);
    }
    EXPECT_EQ(set.modified().decision, Disclosure::modified);
    EXPECT_EQ(set.generated().decision, Disclosure::generated);
}

}  // namespace
}  // namespace marrowick
