// Two one-dimensional Lanczos passes (rows, then columns) over premultiplied float RGBA.
#include "disclosure/internal/image_scaler.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace marrowick {
namespace {

constexpr double kLobes = 3;

double lanczos(double t) {
    t = std::abs(t);
    if (t < 1e-9) return 1;
    if (t >= kLobes) return 0;
    const double pt = std::numbers::pi * t;
    return kLobes * std::sin(pt) * std::sin(pt / kLobes) / (pt * pt);
}

// The source samples and normalised weights that make one output sample.
struct Taps {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Taps> tapsFor(int sourceLength, int targetLength) {
    const double scale = static_cast<double>(targetLength) / sourceLength;
    const double stretch = std::max(1.0, 1 / scale);  // widen the filter when shrinking
    const double support = kLobes * stretch;
    std::vector<Taps> all(static_cast<std::size_t>(targetLength));
    for (int target = 0; target < targetLength; ++target) {
        const double centre = (target + 0.5) / scale;
        const int first = std::max(0, static_cast<int>(std::floor(centre - support)));
        const int last = std::min(sourceLength - 1, static_cast<int>(std::ceil(centre + support)));
        Taps& taps = all[static_cast<std::size_t>(target)];
        taps.first = first;
        double total = 0;
        for (int source = first; source <= last; ++source) {
            const double weight = lanczos((source + 0.5 - centre) / stretch);
            taps.weights.push_back(static_cast<float>(weight));
            total += weight;
        }
        // Taps beyond the picture are dropped and the rest renormalised, so edges keep their level.
        if (total != 0)
            for (float& weight : taps.weights) weight = static_cast<float>(weight / total);
    }
    return all;
}

// Premultiplied floats, 4 per pixel, in a width x height grid.
struct Plane {
    int width = 0;
    int height = 0;
    std::vector<float> values;
    float* pixel(int x, int y) {
        const auto index = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
        return &values[index * 4];
    }
};

Plane premultiplied(const RgbaImage& image) {
    Plane plane{image.width, image.height, std::vector<float>(image.byteCount())};
    for (std::size_t i = 0; i < image.byteCount(); i += 4) {
        const float alpha = image.pixels[i + 3] / 255.0f;
        for (std::size_t c = 0; c < 3; ++c) plane.values[i + c] = image.pixels[i + c] / 255.0f * alpha;
        plane.values[i + 3] = alpha;
    }
    return plane;
}

// Resamples along x (horizontal) or y into a plane of the new length on that axis.
Plane resample(Plane& source, int targetLength, bool horizontal) {
    const int sourceLength = horizontal ? source.width : source.height;
    const std::vector<Taps> taps = tapsFor(sourceLength, targetLength);
    Plane target{horizontal ? targetLength : source.width, horizontal ? source.height : targetLength, {}};
    target.values.assign(static_cast<std::size_t>(target.width) * static_cast<std::size_t>(target.height) * 4, 0.0f);
    const int lines = horizontal ? source.height : source.width;
    for (int line = 0; line < lines; ++line) {
        for (int position = 0; position < targetLength; ++position) {
            const Taps& tap = taps[static_cast<std::size_t>(position)];
            float* out = horizontal ? target.pixel(position, line) : target.pixel(line, position);
            for (std::size_t k = 0; k < tap.weights.size(); ++k) {
                const int from = tap.first + static_cast<int>(k);
                const float* in = horizontal ? source.pixel(from, line) : source.pixel(line, from);
                for (int c = 0; c < 4; ++c) out[c] += tap.weights[k] * in[c];
            }
        }
    }
    return target;
}

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

// Lanczos overshoots a little: alpha is clamped to 0...1 and colour to 0...alpha before dividing.
RgbaImage straight(Plane& plane) {
    RgbaImage image{plane.width, plane.height, {}};
    image.pixels.resize(image.byteCount());
    for (std::size_t i = 0; i < image.byteCount(); i += 4) {
        const float alpha = std::clamp(plane.values[i + 3], 0.0f, 1.0f);
        const std::uint8_t alphaByte = toByte(alpha);
        image.pixels[i + 3] = alphaByte;
        if (alphaByte == 0) continue;
        for (std::size_t c = 0; c < 3; ++c)
            image.pixels[i + c] = toByte(std::clamp(plane.values[i + c], 0.0f, alpha) / alpha);
    }
    return image;
}

}  // namespace

RgbaImage scaleImage(const RgbaImage& source, int width, int height) {
    assert(source.width >= 1 && source.height >= 1 && width >= 1 && height >= 1);
    Plane plane = premultiplied(source);
    Plane rows = resample(plane, width, true);
    Plane both = resample(rows, height, false);
    return straight(both);
}

}  // namespace marrowick
