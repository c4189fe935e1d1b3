// Loading and saving the preset library with its capacity and unique-key limits.
#include "delivery/preset_library.h"

#include <string>
#include <unordered_set>

#include "delivery/delivery_preset_json.h"
#include "delivery/internal/user_folders.h"
#include "delivery/preset_catalogue.h"
#include "model/atomic_file.h"
#include "model/review_error.h"

namespace marrowick::PresetLibrary {
namespace {

bool fitsLimits(const std::vector<DeliveryPreset>& presets) {
    if (presets.size() > kMaximumPresets) return false;
    std::unordered_set<std::string> keys;
    for (const DeliveryPreset& preset : presets)
        if (!keys.insert(preset.key).second) return false;
    return true;
}

std::vector<DeliveryPreset> readCustomFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return {};
    return DeliveryPresetJson::decodeArray(DeliveryPresetJson::readFile(file));
}

}  // namespace

std::filesystem::path location() {
    const std::filesystem::path folder =
        UserFolders::xdg("XDG_DATA_HOME", std::filesystem::path(".local") / "share") / "Marrowick";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder / "delivery-presets.json";
}

std::vector<DeliveryPreset> load(const PresetStorage& storage) {
    std::vector<DeliveryPreset> presets = PresetCatalogue::bundled(storage.resourceRoot);
    std::vector<DeliveryPreset> custom = readCustomFile(storage.libraryFile);
    presets.insert(presets.end(), std::make_move_iterator(custom.begin()), std::make_move_iterator(custom.end()));
    if (!fitsLimits(presets)) throw ReviewError("Duplicate preset IDs or too many presets.");
    for (const DeliveryPreset& preset : presets) preset.validated(storage.resourceRoot);
    return presets;
}

void save(const std::vector<DeliveryPreset>& presets, const PresetStorage& storage) {
    if (!fitsLimits(presets))
        throw ReviewError("Preset library capacity exceeded or duplicate preset IDs. Nothing was saved.");
    std::vector<DeliveryPreset> custom;
    for (const DeliveryPreset& preset : presets)
        if (preset.isCustom()) custom.push_back(preset.validated(storage.resourceRoot));
    writeFileAtomically(storage.libraryFile, DeliveryPresetJson::encodeArray(custom));
}

}  // namespace marrowick::PresetLibrary
