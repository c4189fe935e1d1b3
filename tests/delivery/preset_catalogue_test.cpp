#include "delivery/preset_catalogue.h"

#include <gtest/gtest.h>

#include <set>

#include <nlohmann/json.hpp>

#include "delivery/delivery_preset_json.h"
#include "delivery/preset_fixtures.h"
#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::resourceRoot;

TEST(PresetCatalogue, ShipsTwentyNineTargetsAndTheFourProResMasters) {
    const std::vector<DeliveryPreset> presets = PresetCatalogue::bundled(resourceRoot());
    ASSERT_EQ(presets.size(), 33u);
    std::set<std::string> keys;
    for (std::size_t index = 0; index < presets.size(); ++index) {
        const DeliveryPreset& preset = presets[index];
        SCOPED_TRACE(preset.key);
        EXPECT_NO_THROW(preset.validated(resourceRoot()));
        EXPECT_TRUE(keys.insert(preset.key).second);
        EXPECT_FALSE(preset.isCustom());
        EXPECT_TRUE(preset.specificationUrl.starts_with("https://"));
        EXPECT_EQ(preset.verifiedAt, "2026-12-09");
        EXPECT_EQ(preset.encoding.videoCodec.starts_with("prores"), index >= 29);
    }
    EXPECT_TRUE(keys.contains(kXdcamPresetKey));
    EXPECT_EQ(presets[30].key, kInitialDeliveryKey);
    EXPECT_EQ(presets[30].summary(), "prores_422hq \u00B7 MOV \u00B7 yuv422p10le \u00B7 pcm_s24le");
}

// Every word and number the reader turns into a value is written back as it was read (the recipe's
// whole numbers come back with a ".0", so the comparison is of JSON values, not bytes).
TEST(PresetCatalogue, CataloguesWriteBackWhatTheyHold) {
    for (const char* name : {"DeliveryTargets.json", "MasterTargets.json"}) {
        const std::string text = DeliveryPresetJson::readFile(resourceRoot() / name);
        const std::string written = DeliveryPresetJson::encodeArray(DeliveryPresetJson::decodeArray(text));
        EXPECT_EQ(nlohmann::json::parse(written), nlohmann::json::parse(text)) << name;
    }
}

TEST(PresetCatalogue, XdcamRecipeCarriesTheIntraMatrix) {
    for (const DeliveryPreset& preset : PresetCatalogue::bundled(resourceRoot())) {
        if (preset.key != kXdcamPresetKey) continue;
        ASSERT_TRUE(preset.encoding.advancedRecipe);
        const JSONValue* video = preset.encoding.advancedRecipe->member("video");
        ASSERT_NE(video, nullptr);
        const auto matrix = video->member("intraMatrix")->integerList();
        ASSERT_TRUE(matrix);
        ASSERT_EQ(matrix->size(), 64u);
        EXPECT_EQ(matrix->front(), 8);
        EXPECT_EQ(matrix->back(), 83);
        return;
    }
    FAIL() << "no XDCAM preset";
}

TEST(PresetCatalogue, MissingFilesHaveTheirOwnMessages) {
    testing::ScratchFolder folder;
    const std::filesystem::path root = testing::copyOfResources(folder);
    std::filesystem::remove(root / "DeliveryTargets.json");
    EXPECT_EQ(testing::raisedMessage([&] { PresetCatalogue::bundled(root); }), "Delivery preset catalogue missing.");
    testing::writeText(root / "DeliveryTargets.json", "[]");
    std::filesystem::remove(root / "MasterTargets.json");
    EXPECT_EQ(testing::raisedMessage([&] { PresetCatalogue::bundled(root); }), "ProRes master catalogue missing.");
}

}  // namespace
}  // namespace marrowick
