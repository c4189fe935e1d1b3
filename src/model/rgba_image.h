// An 8-bit RGBA picture with straight (not premultiplied) alpha, rows top to bottom; video frames
// are fully opaque.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace marrowick {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 4 bytes: R, G, B, A

    std::size_t byteCount() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4; }
};

}  // namespace marrowick
