// JPEG encoding of RGBA pictures (libjpeg-turbo).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/rgba_image.h"

namespace marrowick::JpegEncoder {

// Baseline JPEG, 4:2:0, at a quality of 1 to 100; nothing when the encoder fails.
std::optional<std::vector<std::uint8_t>> encode(const RgbaImage& image, int quality);

}  // namespace marrowick::JpegEncoder
