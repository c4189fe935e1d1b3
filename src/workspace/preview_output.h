// The output the preview shows: the chosen delivery preset and the raster it produces.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "delivery/delivery_preset.h"
#include "model/film.h"

namespace marrowick::PreviewOutput {

struct Raster {
    std::int64_t width = 0;
    std::int64_t height = 0;
    friend bool operator==(const Raster&, const Raster&) = default;
};

// The presets the "Output" picker offers: neither hidden nor archived, in list order.
std::vector<DeliveryPreset> choices(const std::vector<DeliveryPreset>& presets);

// The preset whose key is `key`; nothing for the empty key (the source) or an unknown one.
std::optional<DeliveryPreset> preset(const std::vector<DeliveryPreset>& presets, const std::string& key);

// The film's raster under the preset: the preset's exact raster when it sets one, else the
// film's own. Nothing without a film or a raster, or when a preset's raster is odd.
std::optional<Raster> size(const std::optional<Film>& film, const std::optional<DeliveryPreset>& preset);

}  // namespace marrowick::PreviewOutput
