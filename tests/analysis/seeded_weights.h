// Seeded TransNetV2 weights and frames, drawn exactly as tools/transnetv2_reference.py draws them.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/safetensors.h"
#include "analysis/tiny_frame.h"

namespace marrowick::testing {

// Value i of the stream: SplitMix64 of seed + (i + 1) * golden ratio, top 53 bits, in [-1, 1).
double seededUniform(std::uint64_t seed, std::uint64_t index);

// Every float tensor of the network, in state-dict order, filled from one stream.
TensorMap seededTransNetWeights(std::uint64_t seed);

// 100 frames: five 20-frame runs of a base colour with +-32 of noise.
std::vector<TinyFrame> seededFrames(std::uint64_t seed);

}  // namespace marrowick::testing
