// Clockwise quarter turns of interleaved pictures.
#include "analysis/internal/quarter_turn.h"

#include <cstring>

namespace marrowick {

namespace {

// The stored pixel shown at upright position (x, y).
void storedPosition(int turns, int width, int height, int x, int y, int& sx, int& sy) {
    switch (turns & 3) {
    case 1: sx = y; sy = height - 1 - x; return;
    case 2: sx = width - 1 - x; sy = height - 1 - y; return;
    case 3: sx = width - 1 - y; sy = x; return;
    default: sx = x; sy = y; return;
    }
}

}  // namespace

void quarterTurn(const std::uint8_t* stored, int width, int height, int channels, int turns, std::uint8_t* target) {
    const bool sideways = (turns & 1) != 0;
    const int uprightWidth = sideways ? height : width;
    const int uprightHeight = sideways ? width : height;
    for (int y = 0; y < uprightHeight; ++y) {
        for (int x = 0; x < uprightWidth; ++x) {
            int sx = 0;
            int sy = 0;
            storedPosition(turns, width, height, x, y, sx, sy);
            std::memcpy(target + (static_cast<std::size_t>(y) * uprightWidth + x) * channels,
                        stored + (static_cast<std::size_t>(sy) * width + sx) * channels, channels);
        }
    }
}

}  // namespace marrowick
