// An upright 8-bit RGBA picture, row by row, top row first.
#pragma once

#include <cstdint>
#include <vector>

namespace marrowick {

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 4 bytes
};

}  // namespace marrowick
