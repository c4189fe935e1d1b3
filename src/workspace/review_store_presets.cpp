// The controller's preset library operations: dialogs and messages around PresetOperations.
#include <exception>
#include <optional>
#include <string>

#include "delivery/preset_editing.h"
#include "delivery/preset_operations.h"
#include "workspace/failure_text.h"
#include "workspace/review_store.h"

namespace marrowick {

PresetStorage ReviewStore::presetStorage() const { return {PresetLibrary::location(), resourceRoot_}; }

std::optional<std::string> ReviewStore::savePreset(const DeliveryPreset& edited) {
    try {
        const DeliveryPreset preset = PresetEditing::normalizedForSave(edited, resourceRoot_);
        setPresets(PresetOperations::savePreset(presets_, preset, presetStorage()));
        return std::nullopt;
    } catch (...) {
        return failureText(std::current_exception());
    }
}

void ReviewStore::archivePreset(const DeliveryPreset& preset) {
    const bool archived =
        attempt([&] { setPresets(PresetOperations::archivePreset(presets_, preset, presetStorage())); });
    if (!archived) return;
    DeliveryChoices choices = delivery_;
    choices.deliveryKeys.erase(preset.key);
    setDelivery(std::move(choices));
}

void ReviewStore::restorePreset(const DeliveryPreset& preset) {
    attempt([&] { setPresets(PresetOperations::restorePreset(presets_, preset, presetStorage())); });
}

void ReviewStore::importPresets() {
    const std::optional<std::filesystem::path> file = dialogs_.openFile({"json"});
    if (!file) return;
    attempt([&] { setPresets(PresetOperations::importPresets(presets_, *file, presetStorage())); });
}

void ReviewStore::exportPresets() {
    const std::optional<std::filesystem::path> destination =
        dialogs_.saveFile(PresetOperations::kExportFileName, {"json"});
    if (!destination) return;
    attempt([&] { PresetOperations::exportPresets(presets_, *destination); });
}

}  // namespace marrowick
