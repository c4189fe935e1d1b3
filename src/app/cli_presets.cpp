// marrowick-cli presets [--json] | presets --check FILE: lists the preset library or checks a preset file.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/cli_command.h"
#include "delivery/delivery_preset_json.h"
#include "delivery/preset_library.h"
#include "model/review_error.h"

namespace marrowick::cli {
namespace {

// $MARROWICK_RESOURCES, else <exe>/../share/marrowick when installed, else the source tree's resources.
std::filesystem::path resourceRoot() {
    if (const char* root = std::getenv("MARROWICK_RESOURCES"); root != nullptr && *root != '\0') return root;
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed = executable.parent_path().parent_path() / "share" / "marrowick";
        if (std::filesystem::is_directory(installed, error)) return installed;
    }
    return MARROWICK_RESOURCE_DIR;
}

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
    try {
        const PresetStorage storage{PresetLibrary::location(), resourceRoot()};
        return checking ? check(arguments[1], storage.resourceRoot) : list(json, storage);
    } catch (const ReviewError& error) {
        std::cerr << error.message() << "\n";
        return 1;
    }
}

}  // namespace marrowick::cli
