// The delivery presets, the delivery choices and the local FFmpeg the exports run.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QObject>

#include "delivery/delivery_preset.h"
#include "delivery/ffmpeg_tools.h"
#include "workspace/workspace_state.h"

namespace marrowick {

class DesktopDialogs;
class ReviewDocument;
struct PresetStorage;

// Owned by the controller; confined to the main thread. Failures of the library operations are
// shown through the controller's `error`.
class DeliverySetup : public QObject {
    Q_OBJECT

public:
    // Loads nothing yet; `review` and `dialogs` must outlive the setup.
    DeliverySetup(ReviewDocument& review, DesktopDialogs& dialogs, std::filesystem::path resourceRoot);

    // Loads the preset library (catalogues under the resource root, then the user's file);
    // returns why it could not be loaded.
    std::optional<std::string> load();

    const std::vector<DeliveryPreset>& presets() const { return presets_; }  // presetsChanged
    const DeliveryChoices& delivery() const { return delivery_; }            // deliveryChanged
    void setPresets(std::vector<DeliveryPreset> presets);
    void setDelivery(DeliveryChoices delivery);

    // Normalizes an edited custom preset, saves it into the library file and publishes the new
    // list. On failure (validation, a catalogue preset, a name another preset uses, a failed
    // write) returns the text for the editor, leaving the file and `presets` as they were.
    std::optional<std::string> savePreset(const DeliveryPreset& edited);
    // Archiving also drops the preset from the delivery selection; restoring leaves the selection.
    // These and the import and export show their failures in `error`.
    void archivePreset(const DeliveryPreset& preset);
    void restorePreset(const DeliveryPreset& preset);
    // Asks for a JSON file and adds its presets as custom copies.
    void importPresets();
    // Asks for a JSON destination and writes the whole list there.
    void exportPresets();

    // The user's ffmpeg and ffprobe: the "ffmpegPath" preference first, then the usual places.
    std::optional<FFmpegTools> ffmpegTools() const;
    // Asks for an executable named ffmpeg with ffprobe beside it and keeps it as the preference
    // (deliveryChanged); anything else shows why in `error`. Cancelling changes nothing.
    void locateFFmpeg();

signals:
    void presetsChanged();
    void deliveryChanged();

private:
    PresetStorage storage() const;

    ReviewDocument& review_;
    DesktopDialogs& dialogs_;
    std::filesystem::path resourceRoot_;
    std::vector<DeliveryPreset> presets_;
    DeliveryChoices delivery_;
};

}  // namespace marrowick
