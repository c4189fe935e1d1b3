// Winograd convolution against the plain im2col one: edges, odd sizes and both channel counts.
#include "analysis/internal/winograd_convolution.h"

#include <random>

#include <gtest/gtest.h>

namespace marrowick::transnet {
namespace {

Volume randomVolume(int t, int h, int w, int c, std::mt19937& generator) {
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    Volume volume(t, h, w, c);
    for (float& value : volume.values) value = uniform(generator);
    return volume;
}

TEST(WinogradConvolution, MatchesThePlainConvolutionOnEveryPosition) {
    std::mt19937 generator(5);
    std::uniform_real_distribution<float> uniform(-0.3f, 0.3f);
    // Sizes that leave partial tiles on both edges, the network's smallest map, and a reuse of the
    // same buffers for a larger volume after a smaller one.
    WinogradBuffers buffers;
    Volume winograd;
    for (const auto [t, h, w, in, out] : {std::array{2, 6, 12, 16, 8}, std::array{3, 13, 7, 24, 5},
                                          std::array{1, 27, 48, 16, 32}}) {
        const Volume input = randomVolume(t, h, w, in, generator);
        std::vector<float> weights(static_cast<std::size_t>(9) * in * out);
        for (float& value : weights) value = uniform(generator);
        Volume plain;
        std::vector<float> columns;
        spatialConvolution(input, weights, out, plain, columns);
        winogradConvolution(input, winogradKernels(weights, in, out), winograd, buffers);
        ASSERT_EQ(winograd.count(), plain.count());
        float worst = 0;
        for (std::size_t i = 0; i < plain.count(); ++i)
            worst = std::max(worst, std::abs(winograd.values[i] - plain.values[i]));
        EXPECT_LT(worst, 2e-5f) << t << "x" << h << "x" << w;
    }
}

}  // namespace
}  // namespace marrowick::transnet
