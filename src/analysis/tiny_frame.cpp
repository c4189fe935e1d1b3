// Analysis frames: RGB values and normalised colour histograms.
#include "analysis/tiny_frame.h"

#include <cmath>

namespace marrowick {

TinyFrame makeTinyFrame(std::span<const std::uint8_t, kTinyValues> rgb, double time) {
    TinyFrame frame;
    frame.time = time;
    for (int i = 0; i < kTinyValues; i += 3) {
        const std::uint8_t r = rgb[i], g = rgb[i + 1], b = rgb[i + 2];
        frame.rgb[i] = r;
        frame.rgb[i + 1] = g;
        frame.rgb[i + 2] = b;
        frame.histogram[(r >> 5) * 64 + (g >> 5) * 8 + (b >> 5)] += 1.0f;
    }
    float squares = 0;
    for (const float count : frame.histogram) squares += count * count;
    const float norm = std::sqrt(squares);  // never 0: 1296 pixels always land somewhere
    for (float& bin : frame.histogram) bin /= norm;
    return frame;
}

}  // namespace marrowick
