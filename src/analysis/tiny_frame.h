// One 48 x 27 analysis frame: its RGB values, unit-length colour histogram and time.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace marrowick {

inline constexpr int kTinyWidth = 48;
inline constexpr int kTinyHeight = 27;
inline constexpr int kTinyPixels = kTinyWidth * kTinyHeight;   // 1296
inline constexpr int kTinyValues = kTinyPixels * 3;            // 3888
inline constexpr int kHistogramBins = 512;

struct TinyFrame {
    std::array<float, kTinyValues> rgb{};            // row by row, top row first, R G B, 0..255
    std::array<float, kHistogramBins> histogram{};   // unit Euclidean length
    double time = 0;                                 // seconds
};

// Builds the frame from 1296 upright RGB pixels: bin (R/32)*64 + (G/32)*8 + B/32, then scaled to
// unit length so that the dot product of two histograms is their cosine similarity.
TinyFrame makeTinyFrame(std::span<const std::uint8_t, kTinyValues> rgb, double time);

}  // namespace marrowick
