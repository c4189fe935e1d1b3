// PNG reading and writing of RGBA pictures through libpng's simplified API.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/rgba_image.h"

namespace marrowick::PngCodec {

// Largest picture decodePng accepts, in pixels per side and in total.
inline constexpr int kMaxSide = 16384;
inline constexpr std::int64_t kMaxPixels = 16LL * 1024 * 1024;

// Decodes any PNG (palette, grey, 16-bit, interlaced) into 8-bit sRGB RGBA. Returns nothing for
// bytes that are not a complete, readable PNG or that describe a picture larger than the limits.
std::optional<RgbaImage> decodePng(std::span<const std::uint8_t> bytes);

// Encodes an RGBA picture as PNG; returns nothing when libpng cannot encode it.
std::optional<std::string> encodePng(const RgbaImage& image);

}  // namespace marrowick::PngCodec
