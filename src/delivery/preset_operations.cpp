// Saving, archiving, restoring, importing, exporting and creating presets in the library.
#include "delivery/preset_operations.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <unordered_set>

#include "delivery/delivery_preset_json.h"
#include "delivery/internal/user_text.h"
#include "model/atomic_file.h"
#include "model/review_error.h"
#include "model/uuid.h"

namespace marrowick::PresetOperations {
namespace {

std::string newCustomKey() { return "custom:" + Uuid::random().text(); }

bool nameTakenByAnotherKey(const std::vector<DeliveryPreset>& presets, const DeliveryPreset& preset) {
    const std::string name = UserText::folded(preset.name);
    return std::any_of(presets.begin(), presets.end(), [&](const DeliveryPreset& other) {
        return other.key != preset.key && UserText::folded(other.name) == name;
    });
}

// Reads at most the gate's worth of bytes, so an endless or huge file is refused without reading it.
std::string readImportFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw ReviewError("Could not read \"" + path.filename().string() + "\".");
    std::string bytes(kImportSizeLimit, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) throw ReviewError("Could not read \"" + path.filename().string() + "\".");
    if (file.gcount() >= static_cast<std::streamsize>(kImportSizeLimit)) throw ReviewError("Preset import exceeds 4 MB.");
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

// Keeps the imported record but makes it the user's own, under a name no other preset uses.
DeliveryPreset importedCopy(const DeliveryPreset& imported, std::unordered_set<std::string>& foldedNames) {
    DeliveryPreset copy = imported;
    copy.key = newCustomKey();
    copy.group = kCustomKind;
    copy.kind = kCustomKind;
    copy.hidden = false;
    copy.archivedAt.reset();
    const std::string base = UserText::firstCharacters(imported.name, 100) + " imported";
    copy.name = base;
    for (int counter = 2; foldedNames.contains(UserText::folded(copy.name)); ++counter)
        copy.name = base + " " + std::to_string(counter);
    foldedNames.insert(UserText::folded(copy.name));
    return copy;
}

}  // namespace

std::vector<DeliveryPreset> savePreset(const std::vector<DeliveryPreset>& presets, const DeliveryPreset& preset,
                                       const PresetStorage& storage) {
    preset.validated(storage.resourceRoot);
    if (!preset.isCustom()) throw ReviewError("Duplicate a bundled preset to edit it.");
    if (nameTakenByAnotherKey(presets, preset)) throw ReviewError("A preset with that name already exists.");
    std::vector<DeliveryPreset> updated = presets;
    const auto existing = std::find_if(updated.begin(), updated.end(),
                                       [&](const DeliveryPreset& entry) { return entry.key == preset.key; });
    if (existing == updated.end())
        updated.push_back(preset);
    else
        *existing = preset;
    PresetLibrary::save(updated, storage);
    return updated;
}

std::vector<DeliveryPreset> archivePreset(const std::vector<DeliveryPreset>& presets, const DeliveryPreset& preset,
                                          const PresetStorage& storage, const std::string& archivedAt) {
    DeliveryPreset archived = preset;
    archived.archivedAt = archivedAt;
    return savePreset(presets, archived, storage);
}

std::vector<DeliveryPreset> restorePreset(const std::vector<DeliveryPreset>& presets, const DeliveryPreset& preset,
                                          const PresetStorage& storage) {
    DeliveryPreset restored = preset;
    restored.archivedAt.reset();
    return savePreset(presets, restored, storage);
}

std::vector<DeliveryPreset> importPresets(const std::vector<DeliveryPreset>& presets, const std::filesystem::path& file,
                                          const PresetStorage& storage) {
    const std::vector<DeliveryPreset> imported = DeliveryPresetJson::decodeImport(readImportFile(file));
    if (imported.size() > PresetLibrary::kMaximumPresets) throw ReviewError("Too many presets.");
    std::vector<DeliveryPreset> working = presets;
    std::unordered_set<std::string> foldedNames;
    for (const DeliveryPreset& preset : working) foldedNames.insert(UserText::folded(preset.name));
    for (const DeliveryPreset& preset : imported) {
        preset.validated(storage.resourceRoot);
        working.push_back(importedCopy(preset, foldedNames));
    }
    PresetLibrary::save(working, storage);
    return working;
}

void exportPresets(const std::vector<DeliveryPreset>& presets, const std::filesystem::path& destination) {
    writeFileAtomically(destination, DeliveryPresetJson::encodeArray(presets));
}

DeliveryPreset duplicatePreset(const DeliveryPreset& preset) {
    DeliveryPreset copy = preset;
    copy.key = newCustomKey();
    copy.name = preset.name + " copy";
    copy.group = kCustomKind;
    copy.kind = kCustomKind;
    return copy;
}

DeliveryPreset newMasteringPreset() {
    DeliveryPreset preset;
    preset.version = 1;
    preset.revision = 1;
    preset.key = newCustomKey();
    preset.name = "New mastering preset";
    preset.group = "mastering";
    preset.kind = kCustomKind;
    preset.specificationTitle = "Apple ProRes mastering";
    preset.specificationUrl = "https://www.apple.com/final-cut-pro/docs/Apple_ProRes_White_Paper.pdf";
    preset.applicabilityNotes =
        "Source raster and presentation timing; SDR only. PCM 24-bit audio, all source audio tracks, original channel "
        "layouts. ProRes 4444 profiles support source alpha. No automatic HDR or colour-space conversion.";
    preset.requirements.resolution.mode = RasterMode::source;
    preset.requirements.aspectTolerancePercent = 2.0;
    preset.encoding.container = "mov";
    preset.encoding.videoCodec = "prores_422hq";
    preset.encoding.rateControl.mode = RateMode::quality;
    preset.encoding.videoProfile = "3";
    preset.encoding.pixelFormat = "yuv422p10le";
    preset.encoding.audio.codec = "pcm_s24le";
    preset.encoding.audio.sampleRate = 48000;
    preset.suffix = "_prores_422hq";
    preset.outputPattern = "%filename";
    return preset;
}

}  // namespace marrowick::PresetOperations
