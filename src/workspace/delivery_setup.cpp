// The delivery presets and choices, the preset library operations with their dialogs and
// messages, and the user's pick of an ffmpeg executable.
#include "workspace/delivery_setup.h"

#include <exception>
#include <utility>

#include "delivery/preset_editing.h"
#include "delivery/preset_library.h"
#include "delivery/preset_operations.h"
#include "workspace/desktop_dialogs.h"
#include "workspace/failure_text.h"
#include "workspace/preferences.h"
#include "workspace/review_document.h"

namespace marrowick {

DeliverySetup::DeliverySetup(ReviewDocument& review, DesktopDialogs& dialogs, std::filesystem::path resourceRoot)
    : review_(review), dialogs_(dialogs), resourceRoot_(std::move(resourceRoot)) {}

std::optional<std::string> DeliverySetup::load() {
    try {
        presets_ = PresetLibrary::load(storage());
        return std::nullopt;
    } catch (...) {
        return "Preset library could not be loaded: " + failureText(std::current_exception());
    }
}

void DeliverySetup::setPresets(std::vector<DeliveryPreset> presets) {
    presets_ = std::move(presets);
    emit presetsChanged();
}

void DeliverySetup::setDelivery(DeliveryChoices delivery) {
    if (delivery == delivery_) return;
    delivery_ = std::move(delivery);
    emit deliveryChanged();
}

PresetStorage DeliverySetup::storage() const { return {PresetLibrary::location(), resourceRoot_}; }

std::optional<std::string> DeliverySetup::savePreset(const DeliveryPreset& edited) {
    try {
        const DeliveryPreset preset = PresetEditing::normalizedForSave(edited, resourceRoot_);
        setPresets(PresetOperations::savePreset(presets_, preset, storage()));
        return std::nullopt;
    } catch (...) {
        return failureText(std::current_exception());
    }
}

void DeliverySetup::archivePreset(const DeliveryPreset& preset) {
    const bool archived =
        review_.attempt([&] { setPresets(PresetOperations::archivePreset(presets_, preset, storage())); });
    if (!archived) return;
    DeliveryChoices choices = delivery_;
    choices.deliveryKeys.erase(preset.key);
    setDelivery(std::move(choices));
}

void DeliverySetup::restorePreset(const DeliveryPreset& preset) {
    review_.attempt([&] { setPresets(PresetOperations::restorePreset(presets_, preset, storage())); });
}

void DeliverySetup::importPresets() {
    const std::optional<std::filesystem::path> file = dialogs_.openFile({"json"});
    if (!file) return;
    review_.attempt([&] { setPresets(PresetOperations::importPresets(presets_, *file, storage())); });
}

void DeliverySetup::exportPresets() {
    const std::optional<std::filesystem::path> destination =
        dialogs_.saveFile(PresetOperations::kExportFileName, {"json"});
    if (!destination) return;
    review_.attempt([&] { PresetOperations::exportPresets(presets_, *destination); });
}

std::optional<FFmpegTools> DeliverySetup::ffmpegTools() const {
    return MasteringExporter::tools(Preferences::ffmpegPath());
}

void DeliverySetup::locateFFmpeg() {
    const std::optional<std::filesystem::path> chosen =
        dialogs_.openFileWithMessage({}, "Select the local ffmpeg executable. ffprobe must be beside it.");
    if (!chosen) return;
    if (chosen->filename() != "ffmpeg" || !MasteringExporter::toolsAt(*chosen)) {
        review_.showError("Choose an executable named ffmpeg with ffprobe in the same directory.");
        return;
    }
    Preferences::setFfmpegPath(chosen->string());
    emit deliveryChanged();
}

}  // namespace marrowick
