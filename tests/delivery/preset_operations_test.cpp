#include "delivery/preset_operations.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include <nlohmann/json.hpp>

#include "delivery/delivery_preset_json.h"
#include "delivery/preset_fixtures.h"
#include "model/review_error.h"
#include "model/uuid.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::ScratchFolder;
using testing::webPreset;

class PresetOperationsTest : public ::testing::Test {
protected:
    void SetUp() override { presets = PresetLibrary::load(storage); }

    std::filesystem::path importFile(const std::vector<DeliveryPreset>& imported) {
        const std::filesystem::path file = folder / ("import-" + std::to_string(++imports) + ".json");
        testing::writeText(file, DeliveryPresetJson::encodeArray(imported));
        return file;
    }

    bool libraryFileExists() const { return std::filesystem::exists(storage.libraryFile); }

    ScratchFolder folder;
    PresetStorage storage{folder / "delivery-presets.json", testing::resourceRoot()};
    std::vector<DeliveryPreset> presets;
    int imports = 0;
};

TEST_F(PresetOperationsTest, SaveReplacesByKeyAndRefusesCatalogueNamesInAnyCase) {
    DeliveryPreset mine = webPreset("Mine");
    presets = PresetOperations::savePreset(presets, mine, storage);
    ASSERT_EQ(presets.size(), 34u);
    mine.suffix = "_v2";
    presets = PresetOperations::savePreset(presets, mine, storage);
    ASSERT_EQ(presets.size(), 34u);
    EXPECT_EQ(presets.back().suffix, "_v2");
    EXPECT_EQ(PresetLibrary::load(storage), presets);

    const std::string before = testing::readText(storage.libraryFile);
    DeliveryPreset clash = mine;
    clash.name = "prores 422 HQ MASTER";
    EXPECT_EQ(testing::raisedMessage([&] { PresetOperations::savePreset(presets, clash, storage); }), "A preset with that name already exists.");
    clash.key = "custom:other";
    clash.name = "mine";
    EXPECT_EQ(testing::raisedMessage([&] { PresetOperations::savePreset(presets, clash, storage); }), "A preset with that name already exists.");
    EXPECT_EQ(testing::readText(storage.libraryFile), before);

    EXPECT_EQ(testing::raisedMessage([&] { PresetOperations::savePreset(presets, presets.front(), storage); }),
              "Duplicate a bundled preset to edit it.");
    DeliveryPreset invalid = mine;
    invalid.encoding.audio.channels = 0;
    EXPECT_EQ(testing::raisedMessage([&] { PresetOperations::savePreset(presets, invalid, storage); }), "Mine: invalid audio channels");
    EXPECT_EQ(testing::readText(storage.libraryFile), before);
}

TEST_F(PresetOperationsTest, SavingAtCapacityLeavesTheFileUnchanged) {
    for (std::size_t index = presets.size(); index < PresetLibrary::kMaximumPresets; ++index)
        presets.push_back(webPreset("P" + std::to_string(index)));
    PresetLibrary::save(presets, storage);
    const std::string before = testing::readText(storage.libraryFile);
    EXPECT_EQ(testing::raisedMessage([&] { PresetOperations::savePreset(presets, webPreset("New"), storage); }),
              "Preset library capacity exceeded or duplicate preset IDs. Nothing was saved.");
    EXPECT_EQ(testing::readText(storage.libraryFile), before);
}

TEST_F(PresetOperationsTest, ArchiveAndRestoreKeepThePresetInTheLibrary) {
    presets = PresetOperations::savePreset(presets, webPreset("Mine"), storage);
    presets = PresetOperations::archivePreset(presets, presets.back(), storage, "2026-12-09T06:30:00Z");
    EXPECT_EQ(presets.back().archivedAt, "2026-12-09T06:30:00Z");
    EXPECT_EQ(PresetLibrary::load(storage).back().archivedAt, "2026-12-09T06:30:00Z");
    presets = PresetOperations::restorePreset(presets, presets.back(), storage);
    EXPECT_FALSE(presets.back().archivedAt);
    EXPECT_EQ(presets.size(), 34u);
    presets = PresetOperations::archivePreset(presets, presets.back(), storage);
    EXPECT_TRUE(std::regex_match(*presets.back().archivedAt, std::regex(R"(\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}Z)")))
        << *presets.back().archivedAt;
}

TEST_F(PresetOperationsTest, ImportRenamesAndRekeysEveryPreset) {
    DeliveryPreset broadcast = webPreset("Broadcast");
    broadcast.kind = "delivery";
    broadcast.group = "broadcast";
    broadcast.hidden = true;
    broadcast.archivedAt = "2026-01-01T00:00:00Z";
    for (int round = 0; round < 3; ++round) presets = PresetOperations::importPresets(presets, importFile({broadcast}), storage);
    ASSERT_EQ(presets.size(), 36u);
    EXPECT_EQ(presets[33].name, "Broadcast imported");
    EXPECT_EQ(presets[34].name, "Broadcast imported 2");
    EXPECT_EQ(presets[35].name, "Broadcast imported 3");
    for (std::size_t index = 33; index < 36; ++index) {
        const DeliveryPreset& imported = presets[index];
        EXPECT_TRUE(imported.key.starts_with("custom:"));
        EXPECT_TRUE(Uuid::parse(imported.key.substr(7)));
        EXPECT_EQ(Uuid::parse(imported.key.substr(7))->text(), imported.key.substr(7));
        EXPECT_EQ(imported.group, "custom");
        EXPECT_TRUE(imported.isCustom());
        EXPECT_FALSE(imported.hidden);
        EXPECT_FALSE(imported.archivedAt);
        EXPECT_EQ(imported.normalizedName, "Broadcast");
        EXPECT_EQ(imported.encoding, broadcast.encoding);
    }
    EXPECT_EQ(PresetLibrary::load(storage), presets);

    // Names in another letter case collide too, and names are cut to 100 characters first.
    DeliveryPreset shouting = webPreset("BROADCAST");
    DeliveryPreset longName = webPreset(std::string(110, 'x'));
    presets = PresetOperations::importPresets(presets, importFile({shouting, longName}), storage);
    EXPECT_EQ(presets[36].name, "BROADCAST imported 4");
    EXPECT_EQ(presets[37].name, std::string(100, 'x') + " imported");
}

TEST_F(PresetOperationsTest, ImportOfAnExportMakesCustomCopiesOfCatalogueEntries) {
    const std::filesystem::path exported = folder / PresetOperations::kExportFileName;
    PresetOperations::exportPresets(presets, exported);
    EXPECT_EQ(DeliveryPresetJson::decodeArray(testing::readText(exported)), presets);
    const std::vector<DeliveryPreset> imported = PresetOperations::importPresets(presets, exported, storage);
    ASSERT_EQ(imported.size(), 66u);
    EXPECT_EQ(imported[33].name, presets[0].name + " imported");
    EXPECT_EQ(imported.back().name, presets.back().name + " imported");
    // The imported XDCAM copy keeps the locked recipe and still passes.
    EXPECT_EQ(PresetLibrary::load(storage), imported);
}

TEST_F(PresetOperationsTest, RefusedImportsWriteNothing) {
    const auto importFailure = [&](const std::filesystem::path& file) {
        return testing::raisedMessage([&] { PresetOperations::importPresets(presets, file, storage); });
    };
    const std::filesystem::path big = folder / "big.json";
    {
        std::ofstream out(big, std::ios::binary);
        out << "[";
        out << std::string(PresetOperations::kImportSizeLimit - 2, ' ');
        out << "]";
    }
    EXPECT_EQ(importFailure(big), "Preset import exceeds 4 MB.");
    std::filesystem::resize_file(big, PresetOperations::kImportSizeLimit - 1);
    EXPECT_EQ(importFailure(big).find("Preset data could not be read"), 0u);

    const std::filesystem::path many = folder / "many.json";
    const std::string one = nlohmann::json::parse(DeliveryPresetJson::encode(webPreset())).dump();
    std::string text = "[" + one;
    for (int index = 1; index < 1001; ++index) text += "," + one;
    testing::writeText(many, text + "]");
    EXPECT_EQ(importFailure(many), "Too many presets.");

    DeliveryPreset invalid = webPreset("Second");
    invalid.encoding.videoCodec = "av1";
    EXPECT_EQ(importFailure(importFile({webPreset("First"), invalid})), "Second: unsupported video codec");

    const std::filesystem::path wrongShape = folder / "wrong.json";
    testing::writeText(wrongShape, "{\"presets\": []}");
    EXPECT_EQ(importFailure(wrongShape), "Preset data could not be read: the field \"targets\" is missing in the preset file.");
    EXPECT_NE(importFailure(folder / "absent.json"), "");
    EXPECT_FALSE(libraryFileExists());
}

TEST_F(PresetOperationsTest, DuplicateAndNewMasteringPresetsAreCustomAndValid) {
    DeliveryPreset source = presets.front();
    source.archivedAt = "2026-12-09T06:00:00Z";
    const DeliveryPreset copy = PresetOperations::duplicatePreset(source);
    EXPECT_TRUE(copy.key.starts_with("custom:"));
    EXPECT_NE(copy.key, PresetOperations::duplicatePreset(source).key);
    EXPECT_EQ(copy.name, source.name + " copy");
    EXPECT_EQ(copy.group, "custom");
    EXPECT_EQ(copy.archivedAt, source.archivedAt);
    EXPECT_EQ(copy.encoding, source.encoding);
    presets = PresetOperations::savePreset(presets, copy, storage);

    const DeliveryPreset master = PresetOperations::newMasteringPreset();
    EXPECT_EQ(master.name, "New mastering preset");
    EXPECT_EQ(master.group, "mastering");
    EXPECT_EQ(master.summary(), "prores_422hq \u00B7 MOV \u00B7 yuv422p10le \u00B7 pcm_s24le");
    EXPECT_NO_THROW(master.validated(storage.resourceRoot));
    const nlohmann::json written = nlohmann::json::parse(DeliveryPresetJson::encode(master));
    EXPECT_FALSE(written["encoding"].contains("faststart"));
    EXPECT_FALSE(written.contains("verifiedAt"));
    EXPECT_EQ(written["normalizedName"], "");
}

}  // namespace
}  // namespace marrowick
