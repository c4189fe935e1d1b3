// Reading and writing float32 tensors in the safetensors format (docs/transnetv2-weights.md).
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace marrowick {

struct Tensor {
    std::vector<std::int64_t> shape;
    std::vector<float> values;  // row-major
};

using TensorMap = std::map<std::string, Tensor>;

namespace Safetensors {

// Decodes a whole safetensors file held in memory. Float32 tensors are returned; tensors of other
// types are skipped. Throws ReviewError "The TransNetV2 weights file is damaged." on malformed input.
TensorMap decode(std::string_view bytes);

// Reads and decodes a file; an unreadable file throws ReviewError with the system's text.
TensorMap read(const std::filesystem::path& path);

// The safetensors encoding of float32 tensors (little-endian, offsets in name order).
std::string encode(const TensorMap& tensors);

}  // namespace Safetensors

}  // namespace marrowick
