// The network inputs of one window: the frames' RGB values and their histogram similarity band.
#include "analysis/window_inputs.h"

#include <algorithm>
#include <cassert>
#include <numeric>

namespace marrowick {

WindowInputs makeWindowInputs(std::span<const TinyFrame> frames) {
    assert(frames.size() == kWindowFrames && "a window holds 100 frames");
    WindowInputs inputs;
    inputs.rgb.reserve(static_cast<std::size_t>(kWindowFrames) * kTinyValues);
    for (const TinyFrame& frame : frames) inputs.rgb.insert(inputs.rgb.end(), frame.rgb.begin(), frame.rgb.end());
    inputs.histograms.assign(static_cast<std::size_t>(kWindowFrames) * kSimilarityWidth, 0.0f);
    const int half = kSimilarityWidth / 2;
    for (int i = 0; i < kWindowFrames; ++i) {
        for (int j = i; j < std::min(kWindowFrames, i + half + 1); ++j) {
            const auto& a = frames[i].histogram;
            const auto& b = frames[j].histogram;
            const float dot = std::inner_product(a.begin(), a.end(), b.begin(), 0.0f);
            inputs.histograms[i * kSimilarityWidth + (j - i) + half] = dot;
            inputs.histograms[j * kSimilarityWidth + (i - j) + half] = dot;
        }
    }
    return inputs;
}

}  // namespace marrowick
