// The controller's preset operations: start-up failure, save, archive and restore, import, export.
#include <gtest/gtest.h>

#include <algorithm>

#include "delivery/delivery_preset_json.h"
#include "delivery/preset_library.h"
#include "delivery/preset_operations.h"
#include "model/review_error.h"
#include "store_harness.h"

namespace marrowick {
namespace {

class DeliverySetupPresetsTest : public testing::StoreHarness {
protected:
    const DeliveryPreset* find(const std::string& key) const {
        const auto& presets = store->deliverySetup().presets();
        const auto found = std::find_if(presets.begin(), presets.end(), [&](const auto& p) { return p.key == key; });
        return found == presets.end() ? nullptr : &*found;
    }

    std::vector<std::string> customNames() const {
        std::vector<std::string> names;
        for (const DeliveryPreset& preset : store->deliverySetup().presets())
            if (preset.isCustom()) names.push_back(preset.name);
        return names;
    }

    // Saves a new mastering preset under `name` and returns it as stored.
    DeliveryPreset saveNew(const std::string& name) {
        DeliveryPreset preset = PresetOperations::newMasteringPreset();
        preset.name = name;
        store->deliverySetup().savePreset(preset);
        return preset;
    }
};

TEST_F(DeliverySetupPresetsTest, CustomPresetRepeatingACatalogueKeyLeavesNoPresetsAndSaysWhy) {
    start();
    ASSERT_FALSE(store->deliverySetup().presets().empty());
    DeliveryPreset clash = store->deliverySetup().presets().front();
    clash.kind = clash.group = "custom";
    clash.name = "My own";
    writeFileAtomically(libraryFile(), DeliveryPresetJson::encodeArray({clash}));

    start();
    EXPECT_TRUE(store->deliverySetup().presets().empty());
    ASSERT_TRUE(store->error());
    EXPECT_EQ(*store->error(), "Preset library could not be loaded: Duplicate preset IDs or too many presets.");
}

TEST_F(DeliverySetupPresetsTest, RefusedSaveLeavesFileAndListAsTheyWere) {
    start();
    const DeliveryPreset saved = saveNew("House master");
    const std::string file = readText(libraryFile());
    const std::vector<DeliveryPreset> before = store->deliverySetup().presets();

    DeliveryPreset renamed = saved;
    renamed.name = store->deliverySetup().presets().front().name;
    std::transform(renamed.name.begin(), renamed.name.end(), renamed.name.begin(), ::toupper);
    EXPECT_EQ(store->deliverySetup().savePreset(renamed), "A preset with that name already exists.");
    EXPECT_EQ(store->deliverySetup().savePreset(store->deliverySetup().presets().front()), "Duplicate a bundled preset to edit it.");
    EXPECT_EQ(readText(libraryFile()), file);
    EXPECT_EQ(store->deliverySetup().presets(), before);

    EXPECT_EQ(store->deliverySetup().savePreset(saved), std::nullopt);  // its own name again
    EXPECT_EQ(store->deliverySetup().presets(), before);
}

TEST_F(DeliverySetupPresetsTest, ArchiveDropsTheSelectionAndRestoreBringsThePresetBackUnselected) {
    start();
    const DeliveryPreset saved = saveNew("House master");
    DeliveryChoices choices = store->deliverySetup().delivery();
    choices.deliveryKeys.insert(saved.key);
    store->deliverySetup().setDelivery(choices);

    store->deliverySetup().archivePreset(saved);
    ASSERT_FALSE(store->error()) << *store->error();
    ASSERT_TRUE(find(saved.key)->archivedAt);
    EXPECT_EQ(store->deliverySetup().delivery().deliveryKeys, std::set<std::string>{"master:prores_422hq"});
    const auto reloaded = PresetLibrary::load({libraryFile(), MARROWICK_RESOURCE_DIR});
    EXPECT_EQ(reloaded, store->deliverySetup().presets()) << "the archive is in the file";

    store->deliverySetup().restorePreset(*find(saved.key));
    EXPECT_EQ(*find(saved.key), saved);
    EXPECT_EQ(store->deliverySetup().delivery().deliveryKeys, std::set<std::string>{"master:prores_422hq"});
    EXPECT_EQ(PresetLibrary::load({libraryFile(), MARROWICK_RESOURCE_DIR}), store->deliverySetup().presets());
}

TEST_F(DeliverySetupPresetsTest, ArchivingACataloguePresetShowsTheMessageAndKeepsTheSelection) {
    start();
    const DeliveryPreset* master = find("master:prores_422hq");
    ASSERT_TRUE(master);
    store->deliverySetup().archivePreset(*master);
    ASSERT_TRUE(store->error());
    EXPECT_EQ(*store->error(), "Duplicate a bundled preset to edit it.");
    EXPECT_EQ(store->deliverySetup().delivery().deliveryKeys, std::set<std::string>{"master:prores_422hq"});
    EXPECT_FALSE(find("master:prores_422hq")->archivedAt);
}

TEST_F(DeliverySetupPresetsTest, ImportingTheSameNameThreeTimesNumbersTheCopies) {
    start();
    DeliveryPreset broadcast = PresetOperations::newMasteringPreset();
    broadcast.name = "Broadcast";
    const auto file = home.path() / "broadcast.json";
    writeFileAtomically(file, DeliveryPresetJson::encodeArray({broadcast}));
    for (int i = 0; i < 3; ++i) dialogs.openAnswers.push_back(file);
    for (int i = 0; i < 3; ++i) store->deliverySetup().importPresets();
    ASSERT_FALSE(store->error()) << *store->error();
    const std::vector<std::string> expected{"Broadcast imported", "Broadcast imported 2", "Broadcast imported 3"};
    EXPECT_EQ(customNames(), expected);
    EXPECT_EQ(PresetLibrary::load({libraryFile(), MARROWICK_RESOURCE_DIR}), store->deliverySetup().presets());

    store->deliverySetup().importPresets();  // cancelled: nothing happens
    EXPECT_EQ(customNames(), expected);
    EXPECT_EQ(dialogs.openCalls, 4);
}

TEST_F(DeliverySetupPresetsTest, FailedImportShowsTheReasonAndChangesNothing) {
    start();
    const std::vector<DeliveryPreset> before = store->deliverySetup().presets();
    const auto file = home.path() / "huge.json";
    writeFileAtomically(file, std::string(PresetOperations::kImportSizeLimit, ' '));
    dialogs.openAnswers.push_back(file);
    store->deliverySetup().importPresets();
    ASSERT_TRUE(store->error());
    EXPECT_EQ(*store->error(), "Preset import exceeds 4 MB.");
    EXPECT_EQ(store->deliverySetup().presets(), before);
    EXPECT_FALSE(std::filesystem::exists(libraryFile()));
}

TEST_F(DeliverySetupPresetsTest, ExportWritesTheWholeListUnderTheProposedName) {
    start();
    saveNew("House master");
    const auto destination = home.path() / "exported.json";
    dialogs.saveAnswers.push_back(destination);
    store->deliverySetup().exportPresets();
    ASSERT_FALSE(store->error()) << *store->error();
    EXPECT_EQ(dialogs.proposedNames, std::vector<std::string>{"marrowick-presets.json"});
    EXPECT_EQ(DeliveryPresetJson::decodeArray(readText(destination)), store->deliverySetup().presets());

    dialogs.saveAnswers.push_back(home.path() / "missing-folder" / "exported.json");
    store->deliverySetup().exportPresets();
    EXPECT_TRUE(store->error());
}

}  // namespace
}  // namespace marrowick
