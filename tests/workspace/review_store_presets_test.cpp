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

class ReviewStorePresetsTest : public testing::StoreHarness {
protected:
    const DeliveryPreset* find(const std::string& key) const {
        const auto& presets = store->presets();
        const auto found = std::find_if(presets.begin(), presets.end(), [&](const auto& p) { return p.key == key; });
        return found == presets.end() ? nullptr : &*found;
    }

    std::vector<std::string> customNames() const {
        std::vector<std::string> names;
        for (const DeliveryPreset& preset : store->presets())
            if (preset.isCustom()) names.push_back(preset.name);
        return names;
    }

    // Saves a new mastering preset under `name` and returns it as stored.
    DeliveryPreset saveNew(const std::string& name) {
        DeliveryPreset preset = PresetOperations::newMasteringPreset();
        preset.name = name;
        store->savePreset(preset);
        return preset;
    }
};

TEST_F(ReviewStorePresetsTest, CustomPresetRepeatingACatalogueKeyLeavesNoPresetsAndSaysWhy) {
    start();
    ASSERT_FALSE(store->presets().empty());
    DeliveryPreset clash = store->presets().front();
    clash.kind = clash.group = "custom";
    clash.name = "My own";
    writeFileAtomically(libraryFile(), DeliveryPresetJson::encodeArray({clash}));

    start();
    EXPECT_TRUE(store->presets().empty());
    ASSERT_TRUE(store->error());
    EXPECT_EQ(*store->error(), "Preset library could not be loaded: Duplicate preset IDs or too many presets.");
}

TEST_F(ReviewStorePresetsTest, RefusedSaveLeavesFileAndListAsTheyWere) {
    start();
    const DeliveryPreset saved = saveNew("House master");
    const std::string file = readText(libraryFile());
    const std::vector<DeliveryPreset> before = store->presets();

    DeliveryPreset renamed = saved;
    renamed.name = store->presets().front().name;
    std::transform(renamed.name.begin(), renamed.name.end(), renamed.name.begin(), ::toupper);
    EXPECT_EQ(store->savePreset(renamed), "A preset with that name already exists.");
    EXPECT_EQ(store->savePreset(store->presets().front()), "Duplicate a bundled preset to edit it.");
    EXPECT_EQ(readText(libraryFile()), file);
    EXPECT_EQ(store->presets(), before);

    EXPECT_EQ(store->savePreset(saved), std::nullopt);  // its own name again
    EXPECT_EQ(store->presets(), before);
}

TEST_F(ReviewStorePresetsTest, ArchiveDropsTheSelectionAndRestoreBringsThePresetBackUnselected) {
    start();
    const DeliveryPreset saved = saveNew("House master");
    DeliveryChoices choices = store->delivery();
    choices.deliveryKeys.insert(saved.key);
    store->setDelivery(choices);

    store->archivePreset(saved);
    ASSERT_FALSE(store->error()) << *store->error();
    ASSERT_TRUE(find(saved.key)->archivedAt);
    EXPECT_EQ(store->delivery().deliveryKeys, std::set<std::string>{"master:prores_422hq"});
    const auto reloaded = PresetLibrary::load({libraryFile(), MARROWICK_RESOURCE_DIR});
    EXPECT_EQ(reloaded, store->presets()) << "the archive is in the file";

    store->restorePreset(*find(saved.key));
    EXPECT_EQ(*find(saved.key), saved);
    EXPECT_EQ(store->delivery().deliveryKeys, std::set<std::string>{"master:prores_422hq"});
    EXPECT_EQ(PresetLibrary::load({libraryFile(), MARROWICK_RESOURCE_DIR}), store->presets());
}

TEST_F(ReviewStorePresetsTest, ArchivingACataloguePresetShowsTheMessageAndKeepsTheSelection) {
    start();
    const DeliveryPreset* master = find("master:prores_422hq");
    ASSERT_TRUE(master);
    store->archivePreset(*master);
    ASSERT_TRUE(store->error());
    EXPECT_EQ(*store->error(), "Duplicate a bundled preset to edit it.");
    EXPECT_EQ(store->delivery().deliveryKeys, std::set<std::string>{"master:prores_422hq"});
    EXPECT_FALSE(find("master:prores_422hq")->archivedAt);
}

TEST_F(ReviewStorePresetsTest, ImportingTheSameNameThreeTimesNumbersTheCopies) {
    start();
    DeliveryPreset broadcast = PresetOperations::newMasteringPreset();
    broadcast.name = "Broadcast";
    const auto file = home.path() / "broadcast.json";
    writeFileAtomically(file, DeliveryPresetJson::encodeArray({broadcast}));
    for (int i = 0; i < 3; ++i) dialogs.openAnswers.push_back(file);
    for (int i = 0; i < 3; ++i) store->importPresets();
    ASSERT_FALSE(store->error()) << *store->error();
    const std::vector<std::string> expected{"Broadcast imported", "Broadcast imported 2", "Broadcast imported 3"};
    EXPECT_EQ(customNames(), expected);
    EXPECT_EQ(PresetLibrary::load({libraryFile(), MARROWICK_RESOURCE_DIR}), store->presets());

    store->importPresets();  // cancelled: nothing happens
    EXPECT_EQ(customNames(), expected);
    EXPECT_EQ(dialogs.openCalls, 4);
}

TEST_F(ReviewStorePresetsTest, FailedImportShowsTheReasonAndChangesNothing) {
    start();
    const std::vector<DeliveryPreset> before = store->presets();
    const auto file = home.path() / "huge.json";
    writeFileAtomically(file, std::string(PresetOperations::kImportSizeLimit, ' '));
    dialogs.openAnswers.push_back(file);
    store->importPresets();
    ASSERT_TRUE(store->error());
    EXPECT_EQ(*store->error(), "Preset import exceeds 4 MB.");
    EXPECT_EQ(store->presets(), before);
    EXPECT_FALSE(std::filesystem::exists(libraryFile()));
}

TEST_F(ReviewStorePresetsTest, ExportWritesTheWholeListUnderTheProposedName) {
    start();
    saveNew("House master");
    const auto destination = home.path() / "exported.json";
    dialogs.saveAnswers.push_back(destination);
    store->exportPresets();
    ASSERT_FALSE(store->error()) << *store->error();
    EXPECT_EQ(dialogs.proposedNames, std::vector<std::string>{"marrowick-presets.json"});
    EXPECT_EQ(DeliveryPresetJson::decodeArray(readText(destination)), store->presets());

    dialogs.saveAnswers.push_back(home.path() / "missing-folder" / "exported.json");
    store->exportPresets();
    EXPECT_TRUE(store->error());
}

}  // namespace
}  // namespace marrowick
