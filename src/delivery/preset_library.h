// The preset library: both catalogues followed by the user's custom presets from one JSON file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "delivery/delivery_preset.h"

namespace marrowick {

// Where the library lives: the custom preset file and the resource root holding the catalogues.
struct PresetStorage {
    std::filesystem::path libraryFile;
    std::filesystem::path resourceRoot;
};

namespace PresetLibrary {

inline constexpr std::size_t kMaximumPresets = 1000;

// "$XDG_DATA_HOME/Marrowick/delivery-presets.json" (default "~/.local/share/Marrowick"). The folder
// is created when asked for; a failure to create it is left to the later read or write to report.
std::filesystem::path location();

// The delivery catalogue, the master catalogue and the custom file, in that order, each in file
// order; every preset validated. Throws ReviewError on the first problem.
std::vector<DeliveryPreset> load(const PresetStorage& storage);

// Writes the custom presets of the whole list atomically, pretty-printed with sorted keys.
// Nothing is written when the list is too long, repeats a key or holds an invalid custom preset.
void save(const std::vector<DeliveryPreset>& presets, const PresetStorage& storage);

}  // namespace PresetLibrary
}  // namespace marrowick
