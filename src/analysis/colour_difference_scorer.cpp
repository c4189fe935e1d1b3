// Adaptive cut and gradual-transition scores from histogram similarities and pixel differences.
#include "analysis/colour_difference_scorer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "analysis/internal/continuity.h"

namespace marrowick {

namespace {

constexpr int kReach = 24;                     // largest frame distance measured
constexpr int kMotionRadius = 8;               // frames around a cut that set its motion level
constexpr int kGradualRadius = 12;             // one gradual transition per 25 frames at most
constexpr int kShortestShot = 4;               // frames between two cuts at the least
constexpr int kLongestFlash = 3;               // frames of a flash that returns to the same picture
constexpr float kOutranked = 0.4f;             // weight of gradual evidence beside a stronger frame
constexpr std::array<int, 5> kHalfSpans{2, 4, 6, 9, 12};  // half-lengths of gradual transitions

constexpr float kFlatDeviation = 3.0f;     // a frame this uniform has no pattern to correlate
constexpr float kFullContrast = 12.0f;     // below this deviation, pattern evidence fades out
constexpr float kFullBrightness = 40.0f;   // below this mean, colour evidence fades out
constexpr int kShiftLevels = 64;           // levels of the per-channel value distributions
constexpr float kFullShift = 48.0f;        // colours moved this far on average count as unlike
constexpr float kJumpShift = 2.0f;         // a histogram change counts up to this many times the colour shift
constexpr float kDriftWeight = 0.7f;       // share of the colour drift beside a gradual change that counts
constexpr float kSpread = 0.2f;            // a gradual change whose largest step is at most this share of it...
constexpr float kAbrupt = 0.35f;           // ...counts in full; from this share on, not at all
constexpr float kLeastPatternChange = 0.05f;  // below this pattern distance a change's steps say nothing
constexpr int kFadeReach = 8;              // frames from a gradual peak to the bottom of its fade at most
constexpr float kFadeBottom = 0.3f;        // visibility below which a frame is the dark bottom of a fade...
constexpr float kFadeTop = 0.6f;           // ...between frames at least this visible
constexpr float kWeakCut = 0.05f;          // cut scores below this are not worth checking for a continuing picture
constexpr float kFewStaying = 0.4f;        // a cut may leave this share of the detailed picture as it was...
constexpr float kMostStaying = 0.7f;       // ...but not this share
constexpr float kCutCentre = 0.18f;        // cut strength that scores one half
constexpr float kStillCutCentre = 0.12f;   // the same for a step between still pictures
constexpr int kStillReach = 3;             // one-frame steps either side of a step that must be still...
constexpr float kStillShare = 0.1f;        // ...each at most this share of the step
static_assert(kStillReach >= kShortestShot - 1, "the still test spans every step of a short opening shot");

// Per channel, the share of a frame's pixels at or below each of kShiftLevels value levels.
using ChannelShares = std::array<float, 3 * kShiftLevels>;

ChannelShares channelShares(const float* values) {
    ChannelShares shares{};
    for (int v = 0; v < kTinyValues; ++v) {
        const int level = std::clamp(static_cast<int>(values[v]) * kShiftLevels / 256, 0, kShiftLevels - 1);
        shares[(v % 3) * kShiftLevels + level] += 1.0f / kTinyPixels;
    }
    for (int c = 0; c < 3; ++c)
        for (int level = 1; level < kShiftLevels; ++level) shares[c * kShiftLevels + level] += shares[c * kShiftLevels + level - 1];
    return shares;
}

// How far the colours moved between two frames, 0..1: the earth mover's distance of each channel's
// value distribution, averaged over the channels, relative to kFullShift. Unlike histogram
// similarity, which jumps when a flat area drifts across a bin edge, it grows in proportion to
// the drift.
float colourShift(const ChannelShares& a, const ChannelShares& b) {
    float moved = 0;
    for (std::size_t level = 0; level < a.size(); ++level) moved += std::abs(a[level] - b[level]);
    return std::min(1.0f, moved * (256.0f / kShiftLevels) / 3.0f / kFullShift);
}

// Distances between window frames up to kReach apart, each 0..1: "pattern", one minus the
// correlation of the frames' values (blind to fades and brightness flashes); "colours", one
// minus the cosine similarity of their colour histograms; and "shift", how far their colours
// moved (colourShift). Evidence from dim or low-contrast frames counts less, so that a fade
// through black reads as one gradual change, not as cuts.
class FrameDistances {
public:
    explicit FrameDistances(const WindowInputs& inputs)
        : pattern_(kWindowFrames * (kReach + 1), 0.0f), colours_(kWindowFrames * (kReach + 1), 0.0f),
          shift_(kWindowFrames * (kReach + 1), 0.0f), visible_(kWindowFrames, 0.0f) {
        std::vector<float> normalised(inputs.rgb.size()), means(kWindowFrames), deviations(kWindowFrames);
        std::vector<ChannelShares> shares(kWindowFrames);
        for (int t = 0; t < kWindowFrames; ++t) {
            normalise(inputs.rgb.data() + t * kTinyValues, normalised.data() + t * kTinyValues, means[t], deviations[t]);
            shares[t] = channelShares(inputs.rgb.data() + t * kTinyValues);
            visible_[t] = visibility(means[t], deviations[t]);
        }
        const int half = kSimilarityWidth / 2;
        for (int a = 0; a < kWindowFrames; ++a) {
            for (int step = 1; step <= kReach && a + step < kWindowFrames; ++step) {
                const int b = a + step;
                const std::size_t at = a * (kReach + 1) + step;
                const float brightness = std::min(visible_[a], visible_[b]);
                const float contrast = std::min(1.0f, std::min(deviations[a], deviations[b]) / kFullContrast);
                const float similarity = inputs.histograms[a * kSimilarityWidth + half + step];
                colours_[at] = brightness * std::clamp(1.0f - similarity, 0.0f, 1.0f);
                shift_[at] = brightness * colourShift(shares[a], shares[b]);
                const float* x = normalised.data() + a * kTinyValues;
                const float* y = normalised.data() + b * kTinyValues;
                float dot = 0;
                for (int v = 0; v < kTinyValues; ++v) dot += x[v] * y[v];
                pattern_[at] = contrast * std::clamp((1.0f - dot / kTinyValues) * 0.5f, 0.0f, 1.0f);
            }
        }
    }

    float pattern(int a, int b) const { return pattern_[index(a, b)]; }
    float colours(int a, int b) const { return colours_[index(a, b)]; }
    float shift(int a, int b) const { return shift_[index(a, b)]; }
    // 1 for a frame that shows something, towards 0 for a dim, even one (visibility).
    float visible(int t) const { return visible_[std::clamp(t, 0, kWindowFrames - 1)]; }
    // A histogram change that the colours really moved for, not a small drift across a bin edge.
    float colourJump(int a, int b) const { return std::min(colours(a, b), kJumpShift * shift(a, b)); }

private:
    // 1 for a frame that shows something, falling towards 0 as it fades to a dim, even picture.
    static float visibility(float mean, float deviation) {
        return std::min(1.0f, std::max(mean / kFullBrightness, deviation / (2 * kFullContrast)));
    }

    // Writes the values scaled to mean 0 and deviation 1 (all 0 for a flat frame).
    static void normalise(const float* values, float* out, float& mean, float& deviation) {
        float sum = 0, squares = 0;
        for (int v = 0; v < kTinyValues; ++v) sum += values[v];
        mean = sum / kTinyValues;
        for (int v = 0; v < kTinyValues; ++v) squares += (values[v] - mean) * (values[v] - mean);
        deviation = std::sqrt(squares / kTinyValues);
        for (int v = 0; v < kTinyValues; ++v) out[v] = deviation < kFlatDeviation ? 0.0f : (values[v] - mean) / deviation;
    }

    // Position of the pair (clamped into the window; |a - b| <= kReach).
    static std::size_t index(int a, int b) {
        a = std::clamp(a, 0, kWindowFrames - 1);
        b = std::clamp(b, 0, kWindowFrames - 1);
        if (a > b) std::swap(a, b);
        return a * (kReach + 1) + (b - a);
    }

    std::vector<float> pattern_;
    std::vector<float> colours_;
    std::vector<float> shift_;
    std::vector<float> visible_;
};

using Distance = float (FrameDistances::*)(int, int) const;

float squash(float value, float centre, float width) {
    return 1.0f / (1.0f + std::exp(-(value - centre) / width));
}

// How far the step from frame i to i + 1 stands out: the smallest distance across it (so a flash
// of up to kLongestFlash frames, whose far sides match, does not count) above the usual
// neighbouring step.
float cutStrength(const FrameDistances& distances, Distance measure, int i) {
    const auto distance = [&](int a, int b) { return (distances.*measure)(a, b); };
    float across = 1.0f;
    for (int a = i - kLongestFlash; a <= i; ++a)
        for (int b = i + 1; b <= i + 1 + kLongestFlash; ++b) across = std::min(across, distance(a, b));
    std::vector<float> steps;
    for (int j = i - kMotionRadius; j <= i + kMotionRadius; ++j)
        if (j != i && j >= 0 && j + 1 < kWindowFrames) steps.push_back(distance(j, j + 1));
    if (steps.empty()) return across;
    const auto upper = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() * 3 / 4);
    std::nth_element(steps.begin(), upper, steps.end());
    return across - 1.5f * *upper;
}

// Whether the step from frame i to i + 1 joins two still pictures: no one-frame step within
// kStillReach frames either side is more than kStillShare of it. Between still pictures the
// picture's own noise is low, so a smaller change of pattern already shows a new shot (a slate
// held for a few frames, then the scene); a continuation out of a still picture leaves most of it
// in place (a shape appearing, stayingShare) or returns to it (a flash, bridged by cutStrength).
bool betweenStills(const FrameDistances& distances, int i) {
    const float step = distances.pattern(i, i + 1);
    if (step < kLeastPatternChange) return false;
    for (int j = std::max(0, i - kStillReach); j <= std::min(kWindowFrames - 2, i + kStillReach); ++j)
        if (j != i && distances.pattern(j, j + 1) > kStillShare * step) return false;
    return true;
}

// How sure the share of the picture that stays across a step makes it that the step is not a cut:
// 0 up to kFewStaying, 1 from kMostStaying on.
float continuing(float staying) {
    return std::clamp((staying - kFewStaying) / (kMostStaying - kFewStaying), 0.0f, 1.0f);
}

// How evenly the picture changes from frame `before` to frame `after`: 1 when no one-frame step,
// beyond the usual step of the frames either side, carries more than kSpread of the pattern
// distance between them, falling to 0 at kAbrupt. A dissolve or a fade changes the picture a
// little each frame on top of the shots' own motion; a skip in the recording, something sliding
// over the lens or a fast camera move changes it in a few large steps. Pictures with too little
// pattern to tell count as spread out.
float spreadOf(const FrameDistances& distances, int before, int after) {
    const float across = distances.pattern(before, after);
    if (across < kLeastPatternChange) return 1.0f;
    float steepest = 0;
    for (int j = before; j < after; ++j) steepest = std::max(steepest, distances.pattern(j, j + 1));
    const int span = after - before;
    float usual = 0;
    int steps = 0;
    for (int j = before - span; j < after + span; ++j) {
        if (j >= before && j < after) continue;
        if (j < 0 || j + 1 >= kWindowFrames) continue;
        usual += distances.pattern(j, j + 1);
        ++steps;
    }
    if (steps) usual /= static_cast<float>(steps);
    return std::clamp((kAbrupt - (steepest - usual) / across) / (kAbrupt - kSpread), 0.0f, 1.0f);
}

// How much the frames k before and k after the midpoint between i and i + 1 differ, beyond what
// the same span shows inside each side; summed over several spans so that it peaks mid-transition.
// With a drift measure, the change inside each side is at least kDriftWeight times that drift, so
// that a steady change whose pace varies (a pan across a gradient) is not taken for a transition.
// Each span's evidence counts as far as its change of picture is spread out (spreadOf).
float gradualStrength(const FrameDistances& distances, Distance measure, int i, Distance drift = nullptr) {
    const auto distance = [&](int a, int b) { return (distances.*measure)(a, b); };
    const auto steady = [&](int a, int b) {
        return std::max(distance(a, b), drift ? kDriftWeight * (distances.*drift)(a, b) : 0.0f);
    };
    float total = 0;
    for (const int k : kHalfSpans) {
        const int before = i - k + 1;
        const int after = i + k;
        const int span = after - before;
        const float across = distance(before, after);
        // Sides that reach past the window are left out; with neither side there is no evidence.
        const bool earlier = before - span >= 0, later = after + span < kWindowFrames;
        if (!earlier && !later) continue;
        const float inside = std::max(earlier ? steady(before - span, before) : 0.0f,
                                      later ? steady(after, after + span) : 0.0f);
        const float excess = across - 1.5f * inside;
        if (excess > 0) total += excess * spreadOf(distances, before, after);
    }
    return total / static_cast<float>(kHalfSpans.size());
}

// The darkest frame within kFadeReach of frame i when it is the dim bottom of a fade through black
// (visible frames on both sides within kGradualRadius); otherwise i.
int darkestNear(const FrameDistances& distances, int i) {
    int darkest = i;
    for (int t = std::max(0, i - kFadeReach); t <= std::min(kWindowFrames - 1, i + kFadeReach); ++t)
        if (distances.visible(t) < distances.visible(darkest)) darkest = t;
    if (distances.visible(darkest) >= kFadeBottom) return i;
    float before = 0, after = 0;
    for (int t = darkest - kGradualRadius; t < darkest; ++t) before = std::max(before, distances.visible(t));
    for (int t = darkest + 1; t <= darkest + kGradualRadius; ++t) after = std::max(after, distances.visible(t));
    return std::min(before, after) >= kFadeTop ? darkest : i;
}

}  // namespace

WindowScores ColourDifferenceScorer::score(const WindowInputs& inputs) {
    const FrameDistances distance(inputs);
    WindowScores scores{std::vector<float>(kWindowFrames, 0.0f), std::vector<float>(kWindowFrames, 0.0f)};
    std::vector<float> cuts(kWindowFrames, 0.0f), combined(kWindowFrames, 0.0f);
    std::vector<bool> stills(kWindowFrames, false);
    std::vector<GreyFrame> grey;
    grey.reserve(kWindowFrames);
    for (int t = 0; t < kWindowFrames; ++t) grey.push_back(greyFrame(inputs.rgb.data() + t * kTinyValues));
    for (int i = 0; i + 1 < kWindowFrames; ++i) {
        stills[i] = betweenStills(distance, i);
        const float patternCentre = stills[i] ? kStillCutCentre : kCutCentre;
        cuts[i] = std::max(squash(cutStrength(distance, &FrameDistances::pattern, i), patternCentre, 0.025f),
                           squash(cutStrength(distance, &FrameDistances::colourJump, i), kCutCentre, 0.025f));
        if (cuts[i] > kWeakCut) cuts[i] *= 1.0f - continuing(stayingShare(grey[i], grey[i + 1]));
        scores.transition[i] = squash(std::max(gradualStrength(distance, &FrameDistances::pattern, i),
                                               gradualStrength(distance, &FrameDistances::colourJump, i, &FrameDistances::shift)), 0.16f, 0.03f);
    }
    // A gradual transition gives one peak: only a frame whose gradual score no cut or gradual
    // score within kGradualRadius beats keeps its full value. A cut outranks the gradual evidence
    // around it, so the peak lands on the cut itself.
    std::vector<float> events(kWindowFrames);
    for (int t = 0; t < kWindowFrames; ++t) events[t] = std::max(cuts[t], scores.transition[t]);
    std::vector<bool> gradualPeak(kWindowFrames, false);
    for (int i = 0; i < kWindowFrames; ++i) {
        const int from = std::max(0, i - kGradualRadius), to = std::min(kWindowFrames, i + kGradualRadius + 1);
        const bool strongest = *std::max_element(events.begin() + from, events.begin() + to) <= scores.transition[i];
        const float gradual = strongest ? scores.transition[i] : kOutranked * scores.transition[i];
        combined[i] = std::max(cuts[i], 0.95f * gradual);
        gradualPeak[i] = strongest && cuts[i] < combined[i];
    }
    // A fade through black starts the new shot where the new picture first shows, after the
    // darkest frame; the gradual evidence, spread over the whole fade, peaks nearer its middle.
    for (int i = 0; i < kWindowFrames; ++i) {
        if (!gradualPeak[i]) continue;
        const int darkest = darkestNear(distance, i);
        if (darkest != i && combined[darkest] < combined[i]) std::swap(combined[darkest], combined[i]);
    }
    // Shots shorter than a few frames are not real: of close peaks only the strongest stands. The
    // film's start is a boundary that always stands, so an opening shot of a few frames (an odd
    // first frame of a generated or damaged picture) gives no cut either, unless it holds one
    // still picture for two frames or more before a step to another still picture (a slate).
    for (int i = 0; i < kWindowFrames; ++i) {
        const int from = std::max(0, i - kShortestShot), to = std::min(kWindowFrames, i + kShortestShot + 1);
        const bool strongest = *std::max_element(combined.begin() + from, combined.begin() + to) <= combined[i];
        const bool held = stills[i] && inputs.filmStart && i > *inputs.filmStart;
        const bool opening = inputs.filmStart && i - *inputs.filmStart < kShortestShot && !held;
        scores.single[i] = strongest && !opening ? combined[i] : kOutranked * combined[i];
    }
    return scores;
}

}  // namespace marrowick
