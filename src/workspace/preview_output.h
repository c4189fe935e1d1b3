// The output the preview shows: the chosen delivery preset and the raster it produces.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "delivery/delivery_preset.h"
#include "delivery/encode_plan.h"
#include "model/film.h"

namespace marrowick::PreviewOutput {

using Raster = RasterSize;

// The presets the "Output" picker offers: neither hidden nor archived, in list order.
std::vector<DeliveryPreset> choices(const std::vector<DeliveryPreset>& presets);

// The preset whose key is `key`; nothing for the empty key (the source) or an unknown one.
std::optional<DeliveryPreset> preset(const std::vector<DeliveryPreset>& presets, const std::string& key);

// The raster the preset makes of the film (as the delivery encode plans it), or the film's own
// raster without a preset. Nothing without a film, or when the preset's raster is odd or empty.
std::optional<Raster> size(const std::optional<Film>& film, const std::optional<DeliveryPreset>& preset);

}  // namespace marrowick::PreviewOutput
