// Preset choice and raster of the preview.
#include "workspace/preview_output.h"

#include <algorithm>
#include <iterator>

#include "model/review_error.h"

namespace marrowick::PreviewOutput {

std::vector<DeliveryPreset> choices(const std::vector<DeliveryPreset>& presets) {
    std::vector<DeliveryPreset> offered;
    std::copy_if(presets.begin(), presets.end(), std::back_inserter(offered),
                 [](const DeliveryPreset& preset) { return !preset.hidden && !preset.archivedAt; });
    return offered;
}

std::optional<DeliveryPreset> preset(const std::vector<DeliveryPreset>& presets, const std::string& key) {
    if (key.empty()) return std::nullopt;
    const auto found =
        std::find_if(presets.begin(), presets.end(), [&](const DeliveryPreset& preset) { return preset.key == key; });
    return found == presets.end() ? std::nullopt : std::optional<DeliveryPreset>(*found);
}

std::optional<Raster> size(const std::optional<Film>& film, const std::optional<DeliveryPreset>& preset) {
    if (!film) return std::nullopt;
    if (!preset) {
        if (film->width <= 0 || film->height <= 0) return std::nullopt;
        return Raster{film->width, film->height};
    }
    try {
        return EncodePlan::outputSize(*preset, *film);
    } catch (const ReviewError&) {
        return std::nullopt;
    }
}

}  // namespace marrowick::PreviewOutput
