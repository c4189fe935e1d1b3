// The C++ TransNetV2 against the PyTorch reference on seeded weights, and its weights file.
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
    weights.erase("fc1.bias");
    EXPECT_THROW(TransNetV2{weights}, ReviewError);
    weights = testing::seededTransNetWeights(1);
    weights["SDDCNN.1.DDCNN.0.Conv3D_4.layers.1.weight"].shape = {32, 64, 1, 3, 1};
    EXPECT_THROW(TransNetV2{weights}, ReviewError);
}

TEST(Safetensors, RoundTripsAndRefusesDamagedFiles) {
    TensorMap tensors;
    tensors["a"] = Tensor{{2, 3}, {1, 2, 3, 4, 5, 6}};
    tensors["b"] = Tensor{{}, {7}};
    tensors["empty"] = Tensor{{0, 4}, {}};
    const std::string bytes = Safetensors::encode(tensors);
    const TensorMap decoded = Safetensors::decode(bytes);
    ASSERT_EQ(decoded.size(), 3u);
    EXPECT_EQ(decoded.at("a").shape, tensors["a"].shape);
    EXPECT_EQ(decoded.at("a").values, tensors["a"].values);
    EXPECT_EQ(decoded.at("b").values, tensors["b"].values);

    EXPECT_THROW(Safetensors::decode(bytes.substr(0, bytes.size() - 1)), ReviewError);  // data cut short
    EXPECT_THROW(Safetensors::decode(bytes.substr(0, 5)), ReviewError);                  // no header length
    std::string hugeHeader = bytes;
    hugeHeader[7] = '\x7f';
    EXPECT_THROW(Safetensors::decode(hugeHeader), ReviewError);
    std::string notJson = bytes;
    notJson[8] = '[';
    EXPECT_THROW(Safetensors::decode(notJson), ReviewError);
    const std::string overflow = std::string("\x40\0\0\0\0\0\0\0", 8) +
        R"({"x":{"dtype":"F32","shape":[4294967296,4294967296],"data_offsets":[0,0]}}   )";
    EXPECT_THROW(Safetensors::decode(overflow.substr(0, 8 + 0x40)), ReviewError);
}

}  // namespace
}  // namespace marrowick
