// The scene labels' measurements on the analysis grid.
#include "analysis/scene_tagger.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/internal/picture_planes.h"

namespace marrowick::SceneTagger {

namespace {

constexpr int kTagSide = PicturePlanes::kSide;

// 0 at `zero`, 1 at `one`, linear between (either direction).
float ramp(float value, float zero, float one) { return std::clamp((value - zero) / (one - zero), 0.0f, 1.0f); }

// Hue angle in degrees, 0...360, of a colour difference pair (0 is along +Cb, blue).
float hueDegrees(float cb, float cr) {
    float degrees = std::atan2(cr, cb) * 180 / std::numbers::pi_v<float>;
    return degrees < 0 ? degrees + 360 : degrees;
}

struct Measures {
    const PicturePlanes& planes;
    std::array<float, PicturePlanes::kCells> gradient{};

    explicit Measures(const PicturePlanes& p) : planes(p) {
        const auto at = [&](int x, int y) {
            return p.y[std::size_t(std::clamp(y, 0, kTagSide - 1)) * kTagSide + std::size_t(std::clamp(x, 0, kTagSide - 1))];
        };
        for (int y = 0; y < kTagSide; ++y)
            for (int x = 0; x < kTagSide; ++x)
                gradient[std::size_t(y) * kTagSide + x] =
                    std::hypot(at(x + 1, y) - at(x - 1, y), at(x, y + 1) - at(x, y - 1)) / 2;
    }

    float colourfulness(std::size_t cell) const { return std::hypot(planes.cb[cell], planes.cr[cell]); }

    // Share of the cells in rows [top, bottom) that satisfy the predicate.
    template <class Predicate>
    float share(int top, int bottom, Predicate predicate) const {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < kTagSide; ++x) count += predicate(std::size_t(y) * kTagSide + x) ? 1 : 0;
        return float(count) / float((bottom - top) * kTagSide);
    }

    float percentileSpread() const {
        std::array<float, PicturePlanes::kCells> sorted = planes.y;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() * 95 / 100] - sorted[sorted.size() * 5 / 100];
    }

    float meanColourfulness() const {
        float sum = 0;
        for (std::size_t i = 0; i < PicturePlanes::kCells; ++i) sum += colourfulness(i);
        return sum / PicturePlanes::kCells;
    }

    // Smooth, fairly light blue to cyan cells in the top third.
    float sky() const {
        return share(0, kTagSide / 3, [&](std::size_t i) {
            const float hue = hueDegrees(planes.cb[i], planes.cr[i]);
            const bool blue = hue >= 300 || hue <= 15;
            return blue && colourfulness(i) > 0.04f && planes.y[i] > 0.3f && gradient[i] < 0.015f;
        });
    }

    // Textured green to yellow-green cells anywhere.
    float vegetation() const {
        return share(0, kTagSide, [&](std::size_t i) {
            const float hue = hueDegrees(planes.cb[i], planes.cr[i]);
            return hue >= 170 && hue <= 250 && colourfulness(i) > 0.05f && gradient[i] > 0.01f;
        });
    }

    // Perfectly flat mid-tone areas (not black bars or clipped whites) and razor-sharp edges.
    float graphics() const {
        const float flat = share(0, kTagSide, [&](std::size_t i) {
            return gradient[i] < 0.0005f && planes.y[i] > 0.06f && planes.y[i] < 0.94f;
        });
        const float sharp = share(0, kTagSide, [&](std::size_t i) { return gradient[i] > 0.12f; });
        return std::min(ramp(flat, 0.3f, 0.6f), ramp(sharp, 0.02f, 0.08f));
    }
};

}  // namespace

std::vector<SceneLabel> labels(const RgbaImage& image) {
    const PicturePlanes planes = PicturePlanes::of(image);
    const Measures measures(planes);
    const float brightness = planes.meanY();
    const float confidences[] = {
        ramp(brightness, 0.22f, 0.10f),                   // dark
        ramp(brightness, 0.68f, 0.83f),                   // bright
        ramp(measures.meanColourfulness(), 0.04f, 0.01f),  // monochrome
        ramp(measures.percentileSpread(), 0.6f, 0.85f),    // high contrast
        ramp(measures.sky(), 0.25f, 0.7f),                // sky
        ramp(measures.vegetation(), 0.15f, 0.5f),         // vegetation
        measures.graphics(),                              // text or graphics
    };
    std::vector<SceneLabel> result;
    for (std::size_t i = 0; i < std::size(kVocabulary); ++i)
        if (confidences[i] > 0) result.push_back({kVocabulary[i], confidences[i]});
    std::stable_sort(result.begin(), result.end(),
                     [](const SceneLabel& a, const SceneLabel& b) { return a.confidence > b.confidence; });
    return result;
}

}  // namespace marrowick::SceneTagger
