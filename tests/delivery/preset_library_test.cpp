#include "delivery/preset_library.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "delivery/delivery_preset_json.h"
#include "delivery/preset_catalogue.h"
#include "delivery/preset_fixtures.h"
#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::ScratchFolder;
using testing::webPreset;

class PresetLibraryTest : public ::testing::Test {
protected:
    std::string loadFailure() {
        return testing::raisedMessage([&] { PresetLibrary::load(storage); });
    }

    ScratchFolder folder;
    PresetStorage storage{folder / "delivery-presets.json", testing::resourceRoot()};
};

TEST_F(PresetLibraryTest, LoadsCataloguesThenCustomPresetsInFileOrder) {
    EXPECT_EQ(PresetLibrary::load(storage).size(), 33u);
    testing::writeText(storage.libraryFile, DeliveryPresetJson::encodeArray({webPreset("B"), webPreset("A")}));
    const std::vector<DeliveryPreset> presets = PresetLibrary::load(storage);
    ASSERT_EQ(presets.size(), 35u);
    EXPECT_EQ(presets[33].name, "B");
    EXPECT_EQ(presets[34].name, "A");
}

TEST_F(PresetLibraryTest, LoadRefusesRepeatedKeysAndInvalidPresets) {
    DeliveryPreset clash = webPreset();
    clash.key = kInitialDeliveryKey;
    testing::writeText(storage.libraryFile, DeliveryPresetJson::encodeArray({clash}));
    EXPECT_EQ(loadFailure(), "Duplicate preset IDs or too many presets.");

    DeliveryPreset invalid = webPreset("Broken");
    invalid.encoding.container = "avi";
    testing::writeText(storage.libraryFile, DeliveryPresetJson::encodeArray({invalid}));
    EXPECT_EQ(loadFailure(), "Broken: unsupported container");

    testing::writeText(storage.libraryFile, "{\"targets\": []}");
    EXPECT_EQ(loadFailure(), "Preset data could not be read: the preset list must be an array of presets.");
}

TEST_F(PresetLibraryTest, SaveWritesOnlyCustomPresetsSorted) {
    std::vector<DeliveryPreset> presets = PresetCatalogue::bundled(storage.resourceRoot);
    presets.push_back(webPreset("Mine"));
    PresetLibrary::save(presets, storage);
    const std::string written = testing::readText(storage.libraryFile);
    EXPECT_EQ(DeliveryPresetJson::decodeArray(written), std::vector<DeliveryPreset>{webPreset("Mine")});
    EXPECT_EQ(PresetLibrary::load(storage).size(), 34u);
}

TEST_F(PresetLibraryTest, SaveBeyondCapacityOrWithRepeatedKeysChangesNothing) {
    testing::writeText(storage.libraryFile, "[]\n");
    std::vector<DeliveryPreset> presets = PresetCatalogue::bundled(storage.resourceRoot);
    while (presets.size() < PresetLibrary::kMaximumPresets) presets.push_back(webPreset("P" + std::to_string(presets.size())));
    EXPECT_NO_THROW(PresetLibrary::save(presets, storage));
    const std::string full = testing::readText(storage.libraryFile);

    presets.push_back(webPreset("One too many"));
    EXPECT_EQ(testing::raisedMessage([&] { PresetLibrary::save(presets, storage); }),
              "Preset library capacity exceeded or duplicate preset IDs. Nothing was saved.");
    EXPECT_EQ(testing::readText(storage.libraryFile), full);

    presets.pop_back();
    presets.pop_back();
    presets.push_back(webPreset("P40"));
    EXPECT_THROW(PresetLibrary::save(presets, storage), ReviewError);
    EXPECT_EQ(testing::readText(storage.libraryFile), full);
}

TEST_F(PresetLibraryTest, LocationFollowsXdgDataHome) {
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::string saved = previous ? previous : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", (folder / "home").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
    EXPECT_EQ(PresetLibrary::location(), folder / "data" / "Marrowick" / "delivery-presets.json");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "data" / "Marrowick"));
    ::setenv("XDG_DATA_HOME", "relative/path", 1);
    EXPECT_EQ(PresetLibrary::location(), folder / "home" / ".local" / "share" / "Marrowick" / "delivery-presets.json");
    ::setenv("HOME", home.c_str(), 1);
    if (previous)
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace marrowick
