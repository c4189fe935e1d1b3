// The preset library's editing operations, as values in and values out: the workspace controller
// wires its dialogs and messages around them and publishes the list each one returns.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "delivery/delivery_preset.h"
#include "delivery/preset_library.h"
#include "model/reference_date.h"

namespace marrowick::PresetOperations {

// An import file of this many bytes or more is refused with "Preset import exceeds 4 MB."
inline constexpr std::uintmax_t kImportSizeLimit = 4'000'000;
inline constexpr const char* kExportFileName = "marrowick-presets.json";

// Validates the preset, refuses catalogue presets and names already used by another key (letter
// case ignored), replaces the entry with the same key or appends it, and saves the library.
// Returns the list to publish; throws ReviewError and writes nothing on failure.
std::vector<DeliveryPreset> savePreset(const std::vector<DeliveryPreset>& presets, const DeliveryPreset& preset,
                                       const PresetStorage& storage);

// Saves a copy with archivedAt set (ISO 8601 UTC, seconds, "Z"). The caller removes the preset's
// key from the delivery selection when this succeeds.
std::vector<DeliveryPreset> archivePreset(const std::vector<DeliveryPreset>& presets, const DeliveryPreset& preset,
                                          const PresetStorage& storage,
                                          const std::string& archivedAt = iso8601Utc(referenceDateNow()));

// Saves a copy with archivedAt cleared; the selection is not changed.
std::vector<DeliveryPreset> restorePreset(const std::vector<DeliveryPreset>& presets, const DeliveryPreset& preset,
                                          const PresetStorage& storage);

// Reads an import file (4 MB gate; an array of presets or an object with a "targets" array; at most
// 1000 presets), validates each, turns each into a custom preset with a fresh key and a unique
// "<name> imported" name, and saves the library. Returns the list to publish.
std::vector<DeliveryPreset> importPresets(const std::vector<DeliveryPreset>& presets, const std::filesystem::path& file,
                                          const PresetStorage& storage);

// Writes the whole list, catalogue and custom presets alike, atomically to the destination.
void exportPresets(const std::vector<DeliveryPreset>& presets, const std::filesystem::path& destination);

// "Duplicate & edit…": a custom copy with a fresh key and " copy" after the name.
DeliveryPreset duplicatePreset(const DeliveryPreset& preset);

// The new-preset action: a ProRes 422 HQ mastering preset ready for the editor.
DeliveryPreset newMasteringPreset();

}  // namespace marrowick::PresetOperations
