// A picture shrunk to a fixed grid of brightness and colour-difference values, for analysis.
#pragma once

#include <array>
#include <cstddef>

#include "model/rgba_image.h"

namespace marrowick {

// Area averages of the picture over a 64 x 64 grid (aspect not kept), top row first. Y is BT.601
// luma in 0...1 on the picture's own (gamma-encoded) values; Cb and Cr are the colour differences
// in -0.5...0.5, so that a change of saturation scales them and a change of brightness does not.
struct PicturePlanes {
    static constexpr int kSide = 64;
    static constexpr std::size_t kCells = kSide * kSide;

    std::array<float, kCells> y{};
    std::array<float, kCells> cb{};
    std::array<float, kCells> cr{};

    // The picture must have at least one pixel.
    static PicturePlanes of(const RgbaImage& image);

    float meanY() const;
    // Standard deviation of Y over the grid.
    float spreadY() const;
};

}  // namespace marrowick
