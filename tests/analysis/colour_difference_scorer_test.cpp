// The built-in scorer on synthetic windows: cuts score, flashes, noise and motion stay quiet.
#include "analysis/colour_difference_scorer.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/window_inputs.h"

namespace marrowick {
namespace {

// 100 frames whose pixel (x, y) channel c of frame t is paint(t, x, y, c).
WindowScores scoreOf(const std::function<int(int, int, int, int)>& paint, std::optional<int> filmStart = std::nullopt) {
    std::vector<TinyFrame> frames;
    for (int t = 0; t < 100; ++t) {
        std::array<std::uint8_t, kTinyValues> rgb{};
        for (int y = 0; y < kTinyHeight; ++y)
            for (int x = 0; x < kTinyWidth; ++x)
                for (int c = 0; c < 3; ++c) rgb[(y * kTinyWidth + x) * 3 + c] = static_cast<std::uint8_t>(std::clamp(paint(t, x, y, c), 0, 255));
        frames.push_back(makeTinyFrame(rgb, t * 0.04));
    }
    WindowInputs inputs = makeWindowInputs(frames);
    inputs.filmStart = filmStart;
    ColourDifferenceScorer scorer;
    return scorer.score(inputs);
}

// A smooth colour picture; each seed gives a different one.
int pattern(int x, int y, int c, int seed) {
    return static_cast<int>(128 + 90 * std::sin(0.25 * x + 1.7 * seed + c) * std::cos(0.35 * y - 0.9 * seed + 0.5 * c));
}

std::vector<int> framesAbove(const WindowScores& scores) {
    std::vector<int> frames;
    for (int i = 25; i < 75; ++i)
        if (scores.single[i] >= 0.5f) frames.push_back(i);
    return frames;
}

TEST(ColourDifferenceScorer, ScoresAHardCutOnTheLastFrameBeforeIt) {
    const WindowScores scores = scoreOf([](int t, int x, int y, int c) { return pattern(x + t / 4, y, c, t < 50 ? 0 : 1); });
    EXPECT_EQ(framesAbove(scores), std::vector<int>{49});
}

TEST(ColourDifferenceScorer, IgnoresFlashesNoiseAndSteadyMotion) {
    // Flashes of one to three frames in a steady picture, brightening it or turning it white.
    for (const int length : {1, 2, 3}) {
        EXPECT_TRUE(framesAbove(scoreOf([length](int t, int x, int y, int c) {
            return pattern(x, y, c, 2) + (t >= 40 && t < 40 + length ? 150 : 0);
        })).empty()) << length;
        EXPECT_TRUE(framesAbove(scoreOf([length](int t, int x, int y, int c) {
            return t >= 40 && t < 40 + length ? 255 : pattern(x, y, c, 2);
        })).empty()) << length;
    }
    // Heavy noise on a flat colour.
    EXPECT_TRUE(framesAbove(scoreOf([](int t, int x, int y, int c) {
        return 120 + c * 20 + static_cast<int>((x * 73856093u ^ y * 19349663u ^ t * 83492791u ^ c * 2654435761u) % 81) - 40;
    })).empty());
    // A fast pan: the pattern moves three pixels a frame.
    EXPECT_TRUE(framesAbove(scoreOf([](int t, int x, int y, int c) { return pattern(x + 3 * t, y, c, 3); })).empty());
}

TEST(ColourDifferenceScorer, IgnoresJumpsAndCoveringsWithinAShot) {
    // A still picture in which a small dark object jumps to a new place at frame 50, the
    // recording having skipped the frames between.
    EXPECT_EQ(framesAbove(scoreOf([](int t, int x, int y, int c) {
        const int left = t < 50 ? 10 : 24;
        return x >= left && x < left + 8 && y >= 10 && y < 18 ? 30 : pattern(x, y, c, 3) / 3 + 120;
    })), std::vector<int>{});
    // A dark edge sliding over the left two thirds of the picture in 6 frames and staying.
    EXPECT_EQ(framesAbove(scoreOf([](int t, int x, int y, int c) {
        return x < std::clamp(t - 44, 0, 6) * 5 ? 20 : pattern(x, y, c, 6);
    })), std::vector<int>{});
}

TEST(ColourDifferenceScorer, GivesNoCutAfterAnOddFirstFrameOfTheFilm) {
    // The film opens on one frame unlike the rest (repeated before it as context), then a real cut.
    const auto paint = [](int t, int x, int y, int c) {
        return t <= 25 ? pattern(x, y, c, 7) : pattern(x + t / 4, y, c, t < 60 ? 0 : 1);
    };
    EXPECT_EQ(framesAbove(scoreOf(paint, 25)), std::vector<int>{59});
    // The same frames in the middle of a film: the opening frames form a shot of their own.
    EXPECT_EQ(framesAbove(scoreOf(paint)), (std::vector<int>{25, 59}));
}

TEST(ColourDifferenceScorer, CutsAfterAStillSlateThatOpensTheFilm) {
    // A table with a textured rim, a striped card and a ruler on it up to frame `last`, then the
    // table from a camera two pixels to the side with a dark puck on it; all of it still.
    const auto slateUntil = [](int last) {
        return [last](int t, int x, int y, int c) {
            if (t > last) x += 2;
            if (x < 3 || x >= 45 || y >= 24) return pattern(x, y, c, 8) / 3 + 90;
            if (t <= last && x >= 10 && x < 26 && y >= 3 && y < 12) return y % 3 == 0 ? 60 : 235;
            if (t <= last && y >= 14 && y < 17) return x % 6 == 0 ? 80 : c == 2 ? 80 : 200;
            return x >= 30 && x < 36 && y >= 12 && y < 18 ? 40 : 190 + 5 * c;
        };
    };
    const struct {
        int last;
        std::optional<int> filmStart;
        std::vector<int> cuts;
    } cases[] = {
        {26, 25, {26}},      // the film opens on the slate held for two frames: a shot of its own
        {25, 25, {}},        // one frame of it is an odd first frame, not a shot
        {50, std::nullopt, {50}},
    };
    for (const auto& c : cases) EXPECT_EQ(framesAbove(scoreOf(slateUntil(c.last), c.filmStart)), c.cuts) << c.last;
}

TEST(ColourDifferenceScorer, MarksTheMiddleOfADissolve) {
    const WindowScores scores = scoreOf([](int t, int x, int y, int c) {
        const double mix = std::clamp((t - 40) / 20.0, 0.0, 1.0);
        return static_cast<int>((1 - mix) * pattern(x, y, c, 4) + mix * pattern(x, y, c, 5));
    });
    const std::vector<int> above = framesAbove(scores);
    ASSERT_FALSE(above.empty());
    const int peak = static_cast<int>(std::max_element(scores.single.begin() + 25, scores.single.begin() + 75) - scores.single.begin());
    EXPECT_NEAR(peak, 49, 2);
}

}  // namespace
}  // namespace marrowick
