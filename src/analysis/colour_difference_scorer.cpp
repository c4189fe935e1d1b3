// Adaptive cut and gradual-transition scores from histogram similarities and pixel differences.
#include "analysis/colour_difference_scorer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace marrowick {

namespace {

constexpr int kReach = 24;                     // largest frame distance measured
constexpr int kMotionRadius = 8;               // frames around a cut that set its motion level
constexpr std::array<int, 5> kHalfSpans{2, 4, 6, 9, 12};  // half-lengths of gradual transitions

// Distances between window frames up to kReach apart: histogram and mean pixel difference, 0..1.
class FrameDistances {
public:
    explicit FrameDistances(const WindowInputs& inputs) : values_(kWindowFrames * (kReach + 1), 0.0f) {
        const int half = kSimilarityWidth / 2;
        for (int a = 0; a < kWindowFrames; ++a) {
            const float* first = inputs.rgb.data() + static_cast<std::size_t>(a) * kTinyValues;
            for (int step = 1; step <= kReach && a + step < kWindowFrames; ++step) {
                const float* second = first + static_cast<std::size_t>(step) * kTinyValues;
                float sum = 0;
                for (int v = 0; v < kTinyValues; ++v) sum += std::abs(first[v] - second[v]);
                const float pixels = std::min(1.0f, 2.5f * sum / (255.0f * kTinyValues));
                const float colours = 1.0f - inputs.histograms[a * kSimilarityWidth + half + step];
                values_[a * (kReach + 1) + step] = 0.5f * pixels + 0.5f * std::clamp(colours, 0.0f, 1.0f);
            }
        }
    }

    // Distance between frames a and b (clamped into the window; |a - b| <= kReach).
    float operator()(int a, int b) const {
        a = std::clamp(a, 0, kWindowFrames - 1);
        b = std::clamp(b, 0, kWindowFrames - 1);
        if (a > b) std::swap(a, b);
        return values_[a * (kReach + 1) + (b - a)];
    }

private:
    std::vector<float> values_;
};

float squash(float value, float centre, float width) {
    return 1.0f / (1.0f + std::exp(-(value - centre) / width));
}

// How far the step from frame i to i + 1 stands out: the smallest distance across it (so a one-
// or two-frame flash, whose far sides match, does not count) above the usual neighbouring step.
float cutStrength(const FrameDistances& distance, int i) {
    float across = 1.0f;
    for (int a = i - 2; a <= i; ++a)
        for (int b = i + 1; b <= i + 3; ++b) across = std::min(across, distance(a, b));
    std::vector<float> steps;
    for (int j = i - kMotionRadius; j <= i + kMotionRadius; ++j)
        if (j != i && j >= 0 && j + 1 < kWindowFrames) steps.push_back(distance(j, j + 1));
    if (steps.empty()) return across;
    const auto upper = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() * 3 / 4);
    std::nth_element(steps.begin(), upper, steps.end());
    return across - 1.5f * *upper;
}

// How much the frames k before and k after the midpoint between i and i + 1 differ, beyond what
// the same span shows inside each side; summed over several spans so that it peaks mid-transition.
float gradualStrength(const FrameDistances& distance, int i) {
    float total = 0;
    for (const int k : kHalfSpans) {
        const int before = i - k + 1;
        const int after = i + k;
        const int span = after - before;
        const float across = distance(before, after);
        const float inside = std::max(distance(before - span, before), distance(after, after + span));
        total += std::max(0.0f, across - 1.5f * inside);
    }
    return total / static_cast<float>(kHalfSpans.size());
}

}  // namespace

WindowScores ColourDifferenceScorer::score(const WindowInputs& inputs) {
    const FrameDistances distance(inputs);
    WindowScores scores{std::vector<float>(kWindowFrames, 0.0f), std::vector<float>(kWindowFrames, 0.0f)};
    for (int i = 0; i + 1 < kWindowFrames; ++i) {
        const float cut = squash(cutStrength(distance, i), 0.12f, 0.025f);
        const float gradual = squash(gradualStrength(distance, i), 0.12f, 0.03f);
        scores.single[i] = std::max(cut, gradual);
        scores.transition[i] = gradual;
    }
    return scores;
}

}  // namespace marrowick
