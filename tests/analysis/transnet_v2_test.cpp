// The C++ TransNetV2 against the PyTorch reference on seeded weights.
#include "analysis/transnet_v2.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "analysis/safetensors.h"
#include "analysis/window_inputs.h"
#include "model/review_error.h"
#include "seeded_weights.h"

namespace marrowick {
namespace {

nlohmann::json reference() {
    std::ifstream file(MARROWICK_SOURCE_DIR "/tests/data/analysis/transnetv2_reference.json");
    return nlohmann::json::parse(file);
}

TEST(TransNetV2, MatchesThePyTorchReferenceOnSeededWeights) {
    const nlohmann::json expected = reference();
    const TensorMap weights = testing::seededTransNetWeights(expected["weightsSeed"].get<std::uint64_t>());
    // Through the file format, as the detector loads it.
    TransNetV2 network(Safetensors::decode(Safetensors::encode(weights)));
    const WindowScores scores = network.score(makeWindowInputs(testing::seededFrames(expected["inputsSeed"].get<std::uint64_t>())));
    ASSERT_EQ(scores.single.size(), 100u);
    ASSERT_EQ(scores.transition.size(), 100u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_NEAR(scores.single[i], expected["single"][i].get<double>(), 1e-4) << "single " << i;
        EXPECT_NEAR(scores.transition[i], expected["transition"][i].get<double>(), 1e-4) << "transition " << i;
    }
}

TEST(TransNetV2, RefusesMissingOrMisshapedTensors) {
    TensorMap weights = testing::seededTransNetWeights(1);
    Tensor bias = weights.at("fc1.bias");
    weights.erase("fc1.bias");
    EXPECT_THROW(TransNetV2{weights}, ReviewError);
    weights.emplace("fc1.bias", std::move(bias));
    weights["SDDCNN.1.DDCNN.0.Conv3D_4.layers.1.weight"].shape = {32, 64, 1, 3, 1};
    EXPECT_THROW(TransNetV2{weights}, ReviewError);
}

}  // namespace
}  // namespace marrowick
