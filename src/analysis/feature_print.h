// The image feature print of a shot's middle picture: what it holds, its byte form and its distance.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/rgba_image.h"

namespace marrowick {

// A compact description of a picture's look that survives re-encoding, regrading (brightness,
// contrast, saturation) and small reframing: where light and dark lie, where colours lie, which
// way edges run, and which hues and tones it holds. See docs/feature-print.md.
struct FeaturePrint {
    static constexpr std::uint8_t kVersion = 1;
    static constexpr std::size_t kLumaLayout = 64;    // 8 x 8 cells, standardised brightness
    static constexpr std::size_t kChromaLayout = 32;  // 4 x 4 cells, two opponent colour axes
    static constexpr std::size_t kEdges = 40;         // 8 orientations, whole picture and 4 quadrants
    static constexpr std::size_t kHues = 12;          // hue histogram weighted by colourfulness
    static constexpr std::size_t kTones = 8;          // histogram of standardised brightness
    static constexpr std::size_t kOverall = 4;        // mean and spread of brightness, mean colour
    static constexpr std::size_t kValues = kLumaLayout + kChromaLayout + kEdges + kHues + kTones + kOverall;
    // "MWFP", the version, three zero bytes, then one byte per value.
    static constexpr std::size_t kHeaderSize = 8;
    static constexpr std::size_t kEncodedSize = kHeaderSize + kValues;

    // Every part quantised to one byte per value (docs/feature-print.md gives the scales), so
    // that the distance is a weighted sum of absolute byte differences.
    std::array<std::uint8_t, kValues> values{};

    // Describes an upright picture of any size (at least one pixel).
    static FeaturePrint of(const RgbaImage& image);

    std::vector<std::uint8_t> encode() const;
    // Throws ReviewError when the bytes are not a feature print of this version.
    static FeaturePrint decode(std::span<const std::uint8_t> bytes);

    // 0 for the same picture, up to 1 for unrelated ones; pictures of one scene stay under the
    // default grouping distance of 0.35.
    static float distance(const FeaturePrint& a, const FeaturePrint& b);
    // The distance when it is at most `limit`; otherwise some value above `limit` (cheaper).
    static float distanceWithin(const FeaturePrint& a, const FeaturePrint& b, float limit);

    friend bool operator==(const FeaturePrint&, const FeaturePrint&) = default;
};

}  // namespace marrowick
