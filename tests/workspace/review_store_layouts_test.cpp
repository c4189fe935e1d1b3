// The controller's label layout edits for the previewed output: the first edit, validation,
// reset, Fit in guide and the guide warning after an edit.
#include <gtest/gtest.h>

#include "disclosure/label_geometry.h"
#include "store_harness.h"

namespace marrowick {
namespace {

using testing::presetWithRaster;

class ReviewStoreLayoutsTest : public testing::StoreHarness {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startWith(testing::makeProject(1, 2)));  // 1920 x 1080
        store->deliverySetup().setPresets({presetWithRaster("tv", RasterMode::source, 0, 0)});
    }

    void select() { store->focus(store->project().shots[0].id, false); }
    void preview(const std::string& presetKey) {
        PresentationState presentation = store->presentation();
        presentation.previewPresetKey = presetKey;
        store->setPresentation(presentation);
    }
    LabelRect drawn(const std::optional<std::string>& presetKey) const {
        return LabelGeometry::rect(store->project(), presetKey, 1920, 1080, *store->layouts().artworkAspect(Disclosure::modified));
    }
    std::size_t layoutCount() const { return store->project().labelLayouts ? store->project().labelLayouts->size() : 0; }
};

TEST_F(ReviewStoreLayoutsTest, NothingIsEditedWithoutASelectedFilm) {
    store->changeLayout("aspect:16:9", LayoutChange::X{0.5});
    store->fitInGuide("aspect:16:9", "Top left");
    EXPECT_EQ(layoutCount(), 0u);
    EXPECT_FALSE(store->canUndo());
    EXPECT_FALSE(store->layouts().layoutKey(true));
}

TEST_F(ReviewStoreLayoutsTest, FirstEditKeepsTheLabelWhereTheCornerRuleDrewItAndUndoesInOneStep) {
    select();
    const LabelRect before = drawn(std::nullopt);
    EXPECT_EQ(store->layouts().layoutKey(true), "aspect:16:9") << "without a preview preset only the aspect key is edited";
    store->changeLayout("aspect:16:9", LayoutChange::Guide{"custom"});
    ASSERT_FALSE(store->error()) << *store->error();
    EXPECT_EQ(drawn(std::nullopt), before);
    EXPECT_EQ(store->project().labelLayouts->at("aspect:16:9").customInsets, (SafeInsets{0.1, 0.1, 0.1, 0.1}));
    store->undoEdit();
    EXPECT_EQ(layoutCount(), 0u);
}

TEST_F(ReviewStoreLayoutsTest, OutOfRangeChangesAreRefusedAndLeaveTheProject) {
    select();
    store->changeLayout("aspect:16:9", LayoutChange::WidthFraction{0.4});
    ASSERT_FALSE(store->error());
    const Project accepted = store->project();
    for (double width : {0.41, 0.079}) {
        store->changeLayout("aspect:16:9", LayoutChange::WidthFraction{width});
        EXPECT_EQ(store->error(), "Invalid label position or guide.") << width;
        EXPECT_EQ(store->project().labelLayouts, accepted.labelLayouts);
        store->clearError();
    }
    store->changeLayout("aspect:16:9", LayoutChange::Margin{LayoutChange::Side::left, 0.45});
    store->changeLayout("aspect:16:9", LayoutChange::Margin{LayoutChange::Side::right, 0.5});
    EXPECT_EQ(store->error(), "Safe margins must leave a usable rectangle.");
    EXPECT_EQ(store->project().labelLayouts->at("aspect:16:9").customInsets, (SafeInsets{0.45, 0.1, 0.1, 0.1}));
    store->clearError();
    store->changeLayout("aspect:16:9", LayoutChange::Guide{"no-such-guide"});
    EXPECT_EQ(store->error(), "Invalid label position or guide.");
}

TEST_F(ReviewStoreLayoutsTest, ResettingThePresetLayoutFallsBackToTheAspectLayout) {
    select();
    store->changeLayout("aspect:16:9", LayoutChange::X{0});
    preview("tv");
    ASSERT_EQ(store->layouts().layoutKey(true), "preset:tv|16:9");
    store->changeLayout("preset:tv|16:9", LayoutChange::X{0.5});
    EXPECT_NE(drawn("tv"), drawn(std::nullopt));
    store->resetLayout("preset:tv|16:9");
    EXPECT_EQ(drawn("tv"), drawn(std::nullopt));
    EXPECT_EQ(layoutCount(), 1u);
}

TEST_F(ReviewStoreLayoutsTest, FitInGuideMovesIntoTheCornerOrRefusesTooSmallMargins) {
    select();
    store->fitInGuide("aspect:16:9", "Top left");
    ASSERT_FALSE(store->error()) << *store->error();
    const LabelRect guide = *store->layouts().guideRect("aspect:16:9");
    EXPECT_EQ(drawn(std::nullopt).x, guide.x);
    EXPECT_EQ(drawn(std::nullopt).y, guide.y);

    // A safe width of 105 pixels holds at most 0.055 of the width, below the minimum 0.08.
    store->changeLayout("aspect:16:9", LayoutChange::Margin{LayoutChange::Side::left, 0.47});
    store->changeLayout("aspect:16:9", LayoutChange::Margin{LayoutChange::Side::right, 0.475});
    store->changeLayout("aspect:16:9", LayoutChange::Guide{"custom"});
    ASSERT_FALSE(store->error()) << *store->error();
    const Project before = store->project();
    store->fitInGuide("aspect:16:9", "Bottom right");
    EXPECT_EQ(store->error(), "The label cannot fit these margins at the minimum width. Reduce the margins.");
    EXPECT_EQ(store->project().labelLayouts, before.labelLayouts);
}

TEST_F(ReviewStoreLayoutsTest, GuideWarningFollowsTheLabelAndItsGuide) {
    select();
    store->fitInGuide("aspect:16:9", "Bottom right");
    EXPECT_FALSE(store->layouts().labelOutsideGuide("aspect:16:9"));
    store->changeLayout("aspect:16:9", LayoutChange::Margin{LayoutChange::Side::right, 0.3});
    store->changeLayout("aspect:16:9", LayoutChange::Guide{"custom"});
    EXPECT_TRUE(store->layouts().labelOutsideGuide("aspect:16:9")) << "changing the guide does not move the label";
}

TEST_F(ReviewStoreLayoutsTest, ShippedGuidesGuardOnlyCataloguePresets) {
    start();  // the shipped preset catalogues
    std::set<std::string> keys;
    for (const DeliveryPreset& preset : store->deliverySetup().presets()) keys.insert(preset.key);
    for (const SafeZoneProfile& profile : store->layouts().safeZoneProfiles()) {
        EXPECT_FALSE(profile.checkedAt.empty()) << profile.id;
        for (const std::string& key : profile.catalogueTargetKeys.value_or(std::vector<std::string>{}))
            EXPECT_TRUE(keys.contains(key)) << profile.id << " guards " << key;
    }
}

}  // namespace
}  // namespace marrowick
