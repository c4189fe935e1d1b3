// What a decoded analysis frame looks like, in two sizes: a compact key for finding the same frame
// in another film, and the frame itself at analysis resolution for proving it is the same.
#pragma once

#include <array>
#include <cstdint>

#include "analysis/tiny_frame.h"

namespace marrowick {

// Mean brightness of 8 x 8 areas and the two colour differences of 2 x 2 areas, one byte each.
// Survives re-encoding and rescaling; used only to find candidates, never to decide.
struct FrameKey {
    static constexpr int kColumns = 8;
    static constexpr int kRows = 8;
    static constexpr int kColourCells = 4;
    static constexpr std::size_t kSize = kColumns * kRows + 2 * kColourCells;  // 72
    std::array<std::uint8_t, kSize> values{};

    // The mean of the brightness cells, for sorting frames before comparing keys.
    int brightness() const;
    friend bool operator==(const FrameKey&, const FrameKey&) = default;
};

// The analysis frame's brightness, pixel by pixel, and its colour differences in 4 x 3 blocks.
struct FrameDetail {
    static constexpr int kBlockWidth = 4;
    static constexpr int kBlockHeight = 3;
    static constexpr int kBlockColumns = kTinyWidth / kBlockWidth;   // 12
    static constexpr int kBlockRows = kTinyHeight / kBlockHeight;    // 9
    static constexpr int kBlocks = kBlockColumns * kBlockRows;       // 108
    static constexpr std::size_t kSize = kTinyPixels + 2 * kBlocks;  // 1512
    std::array<std::uint8_t, kSize> values{};
};

FrameKey frameKeyOf(const TinyFrame& frame);
FrameDetail frameDetailOf(const TinyFrame& frame);

// Whether two keys are close enough for the frames to be worth comparing in detail.
bool keysMatch(const FrameKey& a, const FrameKey& b);

// Whether two analysis frames show the same picture: the same overall brightness, every 4 x 3
// block the same in brightness and colour, and no pixel far off, so that a change covering 1 % of
// the picture is never averaged away. Tolerates re-encoding and rescaling.
bool detailsMatch(const FrameDetail& a, const FrameDetail& b);

}  // namespace marrowick
