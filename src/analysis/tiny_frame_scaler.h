// Shrinks decoded pictures to upright 48 x 27 RGB, cheaply, in the decoder's own pixel format.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "analysis/tiny_frame.h"

struct AVFrame;

namespace marrowick {

class TinyFrameScaler {
public:
    // Samples per side of each area averaged from planar YUV: a few are enough for cut detection;
    // kEverySample averages every sample of the area (for comparing frames in detail).
    static constexpr int kDetectionSamples = 4;
    static constexpr int kEverySample = 1 << 16;

    explicit TinyFrameScaler(int quarterTurns, int samples = kDetectionSamples);
    ~TinyFrameScaler();
    TinyFrameScaler(const TinyFrameScaler&) = delete;
    TinyFrameScaler& operator=(const TinyFrameScaler&) = delete;

    // The picture averaged over 48 x 27 areas of the upright frame (no crop, aspect not kept),
    // top row first, R G B bytes. Planar 8-bit YUV is averaged straight from its planes; other
    // formats go through libswscale's area filter. Throws ReviewError when conversion fails.
    std::span<const std::uint8_t, kTinyValues> shrink(const AVFrame& frame);

private:
    struct Converter;
    std::unique_ptr<Converter> converter_;
    int quarterTurns_;
    int samples_;
    std::array<std::uint8_t, kTinyValues> stored_{};
    std::array<std::uint8_t, kTinyValues> upright_{};
};

}  // namespace marrowick
