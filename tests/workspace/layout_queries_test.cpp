// The previewed output's raster and keys, the guide rectangle, the guide warning and the
// artwork-aspect fallback, read from the state the queries are given.
#include <gtest/gtest.h>

#include "workspace/layout_queries.h"
#include "workspace_fixtures.h"

namespace marrowick {
namespace {

using testing::presetWithRaster;

class LayoutQueriesTest : public ::testing::Test {
protected:
    Project project = testing::makeProject(1, 2);  // 1920 x 1080
    std::set<Uuid> selection{project.shots[0].id};
    std::vector<DeliveryPreset> presets{presetWithRaster("small", RasterMode::maxLongestEdge, 0, 0, 1280),
                                        presetWithRaster("odd", RasterMode::exact, 1919, 1080)};
    PresentationState presentation;

    LayoutQueries queries(const std::filesystem::path& resourceRoot = MARROWICK_RESOURCE_DIR) {
        return LayoutQueries({project, selection, presets, presentation}, SafeZones::load(MARROWICK_RESOURCE_DIR),
                             resourceRoot);
    }
};

TEST_F(LayoutQueriesTest, NothingIsAnsweredWithoutASelectedFilm) {
    selection.clear();
    const LayoutQueries layouts = queries();
    EXPECT_FALSE(layouts.previewSize());
    EXPECT_FALSE(layouts.layoutOutput());
    EXPECT_FALSE(layouts.layoutKey(true));
    EXPECT_FALSE(layouts.shownLayout("aspect:16:9"));
    EXPECT_FALSE(layouts.guideRect("aspect:16:9"));
    EXPECT_FALSE(layouts.labelOutsideGuide("aspect:16:9"));
}

TEST_F(LayoutQueriesTest, PreviewSizeAndKeysFollowThePreviewedPreset) {
    struct Case {
        std::string presetKey;
        std::optional<RasterSize> size;
        std::optional<std::string> presetScopeKey;
        std::optional<std::string> aspectKey;
    };
    const std::vector<Case> cases{
        {"small", RasterSize{1280, 720}, "preset:small|16:9", "aspect:16:9"},
        {"odd", std::nullopt, std::nullopt, std::nullopt},  // an odd raster makes no usable output
        {"", RasterSize{1920, 1080}, "aspect:16:9", "aspect:16:9"},
        {"gone", RasterSize{1920, 1080}, "aspect:16:9", "aspect:16:9"},  // an unlisted key previews the source
    };
    const LayoutQueries layouts = queries();  // one instance: each answer reads the state as it now stands
    for (const Case& c : cases) {
        presentation.previewPresetKey = c.presetKey;
        EXPECT_EQ(layouts.previewSize(), c.size) << c.presetKey;
        EXPECT_EQ(layouts.layoutKey(true), c.presetScopeKey) << c.presetKey;
        EXPECT_EQ(layouts.layoutKey(false), c.aspectKey) << c.presetKey;
    }
}

TEST_F(LayoutQueriesTest, AnUnstoredLayoutSitsInTheCornerInsideTheTenPercentGuide) {
    const LayoutQueries layouts = queries();
    EXPECT_EQ(layouts.guideRect("aspect:16:9"), (LabelRect{192, 108, 1536, 864}))
        << "the catalogue's ten-percent guide of last resort";
    EXPECT_TRUE(layouts.labelOutsideGuide("aspect:16:9")) << "the corner margin lies inside the ten-percent guide";
}

TEST_F(LayoutQueriesTest, UnreadableArtworkHasNoAspectAndRaisesNoWarning) {
    const LayoutQueries layouts = queries("/nonexistent/marrowick-resources");
    EXPECT_FALSE(layouts.artworkAspect(Disclosure::modified));
    EXPECT_FALSE(layouts.labelOutsideGuide("aspect:16:9"));
    ASSERT_TRUE(layouts.layoutOutput());
    EXPECT_EQ(layouts.layoutOutput()->assetAspect, 4.5) << "sizes fall back to the usual label shape";
}

}  // namespace
}  // namespace marrowick
