// The controller's preset library operations: dialogs and messages around PresetOperations.
#include <exception>

#include "delivery/preset_operations.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

// Runs an operation that reports its failure in the controller's error; true when it succeeded.
template <class Operation>
bool reportingFailure(ReviewStore& store, Operation&& operation) {
    try {
        operation();
        return true;
    } catch (const std::exception& failure) {
        store.showError(failure.what());
        return false;
    }
}

}  // namespace

PresetStorage ReviewStore::presetStorage() const { return {PresetLibrary::location(), resourceRoot_}; }

void ReviewStore::savePreset(const DeliveryPreset& preset) {
    setPresets(PresetOperations::savePreset(presets_, preset, presetStorage()));
}

void ReviewStore::archivePreset(const DeliveryPreset& preset) {
    const bool archived = reportingFailure(
        *this, [&] { setPresets(PresetOperations::archivePreset(presets_, preset, presetStorage())); });
    if (!archived) return;
    DeliveryChoices choices = delivery_;
    choices.deliveryKeys.erase(preset.key);
    setDelivery(std::move(choices));
}

void ReviewStore::restorePreset(const DeliveryPreset& preset) {
    reportingFailure(*this, [&] { setPresets(PresetOperations::restorePreset(presets_, preset, presetStorage())); });
}

void ReviewStore::importPresets() {
    const std::optional<std::filesystem::path> file = dialogs_.openFile({"json"});
    if (!file) return;
    reportingFailure(*this, [&] { setPresets(PresetOperations::importPresets(presets_, *file, presetStorage())); });
}

void ReviewStore::exportPresets() {
    const std::optional<std::filesystem::path> destination =
        dialogs_.saveFile(PresetOperations::kExportFileName, {"json"});
    if (!destination) return;
    reportingFailure(*this, [&] { PresetOperations::exportPresets(presets_, *destination); });
}

}  // namespace marrowick
