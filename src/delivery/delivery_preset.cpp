// The derived texts of a delivery preset and its validation, ending with the locked XDCAM recipe.
#include "delivery/delivery_preset.h"

#include <algorithm>
#include <cctype>

#include "delivery/internal/preset_rules.h"
#include "delivery/preset_catalogue.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

constexpr const char* kXdcamLocked =
    "The XDCAM technical recipe is locked; it must match the bundled Castmere recipe exactly.";

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// A preset that claims the XDCAM recipe must carry exactly the catalogue's encoding and requirements.
void checkLockedXdcamRecipe(const DeliveryPreset& preset, const std::filesystem::path& resourceRoot) {
    if (preset.encoding.videoCodec != "mpeg2video" && !preset.encoding.advancedRecipe) return;
    const std::vector<DeliveryPreset> catalogue = PresetCatalogue::bundled(resourceRoot);
    const auto locked = std::find_if(catalogue.begin(), catalogue.end(),
                                     [](const DeliveryPreset& entry) { return entry.key == kXdcamPresetKey; });
    if (locked == catalogue.end() || locked->encoding != preset.encoding || locked->requirements != preset.requirements)
        throw ReviewError(kXdcamLocked);
}

}  // namespace

std::string DeliveryPreset::encoder() const {
    const std::string& codec = encoding.videoCodec;
    if (codec == "h264") return "libx264";
    if (codec == "hevc") return "libx265";
    if (codec == "vp9") return "libvpx-vp9";
    if (codec == "mpeg2video") return "mpeg2video";
    return "prores_ks";
}

std::string DeliveryPreset::summary() const {
    constexpr const char* separator = " \u00B7 ";
    return encoding.videoCodec + separator + upper(encoding.container) + separator +
           encoding.pixelFormat.value_or("source") + separator + encoding.audio.codec;
}

const DeliveryPreset& DeliveryPreset::validated(const std::filesystem::path& resourceRoot) const {
    if (const PresetRules::Rule* broken = PresetRules::firstBroken(*this))
        throw ReviewError(name + ": " + std::string(broken->text));
    checkLockedXdcamRecipe(*this, resourceRoot);
    return *this;
}

}  // namespace marrowick
