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

// Resamples every row to a new width.
Plane resampleRows(Plane& source, int width) {
    const std::vector<Taps> taps = tapsFor(source.width, width);
    Plane target{width, source.height, {}};
    target.values.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(source.height) * 4, 0.0f);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Taps& tap = taps[static_cast<std::size_t>(x)];
            const float* in = source.pixel(tap.first, y);
            float* out = target.pixel(x, y);
            for (float weight : tap.weights) {
                for (int c = 0; c < 4; ++c) out[c] += weight * in[c];
                in += 4;
            }
        }
    }
    return target;
}

// Resamples every column to a new height, a whole row of weighted source samples at a time.
Plane resampleColumns(Plane& source, int height) {
    const std::vector<Taps> taps = tapsFor(source.height, height);
    Plane target{source.width, height, {}};
    target.values.assign(static_cast<std::size_t>(source.width) * static_cast<std::size_t>(height) * 4, 0.0f);
    const auto rowValues = static_cast<std::size_t>(source.width) * 4;
    for (int y = 0; y < height; ++y) {
        const Taps& tap = taps[static_cast<std::size_t>(y)];
        float* out = target.pixel(0, y);
        for (std::size_t k = 0; k < tap.weights.size(); ++k) {
            const float* in = source.pixel(0, tap.first + static_cast<int>(k));
            const float weight = tap.weights[k];
            for (std::size_t i = 0; i < rowValues; ++i) out[i] += weight * in[i];
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
    Plane rows = resampleRows(plane, width);
    Plane both = resampleColumns(rows, height);
    return straight(both);
}

}  // namespace marrowick
