// The safetensors reader and writer of the TransNetV2 weights file.
#include "analysis/safetensors.h"

#include <gtest/gtest.h>

#include "model/review_error.h"

namespace marrowick {
namespace {

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
