// Preset choice and raster of the preview.
#include "workspace/preview_output.h"

#include <algorithm>
#include <iterator>

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
    Raster raster{film->width, film->height};
    if (preset) {
        const Resolution& resolution = preset->requirements.resolution;
        if (resolution.mode == "exact" && resolution.width && resolution.height)
            raster = {*resolution.width, *resolution.height};
        if (raster.width % 2 != 0 || raster.height % 2 != 0) return std::nullopt;
    }
    if (raster.width <= 0 || raster.height <= 0) return std::nullopt;
    return raster;
}

}  // namespace marrowick::PreviewOutput
