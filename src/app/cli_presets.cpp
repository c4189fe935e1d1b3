// marrowick-cli presets [--json] | presets --check FILE: lists the preset library or checks a preset file.
#include <filesystem>
#include <iostream>
#include <string>

#include "app/cli_command.h"
#include "delivery/delivery_preset_json.h"
#include "delivery/preset_library.h"
#include "model/resource_root.h"

namespace marrowick::cli {
namespace {

int list(bool json, const PresetStorage& storage) {
    const std::vector<DeliveryPreset> presets = PresetLibrary::load(storage);
    if (json) {
        std::cout << DeliveryPresetJson::encodeArray(presets);
        return 0;
    }
    for (const DeliveryPreset& preset : presets) std::cout << preset.key << "\t" << preset.name << "\t" << preset.summary() << "\n";
    return 0;
}

int check(const std::filesystem::path& file, const std::filesystem::path& resources) {
    const std::vector<DeliveryPreset> presets = DeliveryPresetJson::decodeImport(DeliveryPresetJson::readFile(file));
    for (const DeliveryPreset& preset : presets) preset.validated(resources);
    std::cout << "ok: " << presets.size() << " presets\n";
    return 0;
}

}  // namespace

int runPresets(std::span<const std::string> arguments) {
    const bool checking = arguments.size() == 2 && arguments[0] == "--check";
    const bool json = arguments.size() == 1 && arguments[0] == "--json";
    if (!checking && !json && !arguments.empty()) {
        std::cerr << "Usage: marrowick-cli presets [--json] | presets --check FILE\n";
        return 64;
    }
    const PresetStorage storage{PresetLibrary::location(), resourceRoot(runningExecutable())};
    return checking ? check(arguments[1], storage.resourceRoot) : list(json, storage);
}

}  // namespace marrowick::cli
