// The two inputs of a shot-transition scorer for one 100-frame window, and its two outputs.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "analysis/tiny_frame.h"

namespace marrowick {

inline constexpr int kWindowFrames = 100;
inline constexpr int kSimilarityWidth = 101;  // offsets -50 ... +50

struct WindowInputs {
    std::vector<float> rgb;         // "rgb": 100 x 27 x 48 x 3, frame after frame
    std::vector<float> histograms;  // "histograms": 100 x 101; [i * 101 + k + 50] = h(i) . h(i + k), 0 outside
    std::optional<int> filmStart;   // the frame the film begins on, in its first window (earlier frames repeat it)
};

struct WindowScores {
    std::vector<float> single;      // one cut score per window frame, 0..1
    std::vector<float> transition;  // one transition score per window frame, 0..1
};

// Builds both inputs from exactly 100 frames.
WindowInputs makeWindowInputs(std::span<const TinyFrame> frames);

}  // namespace marrowick
