// The seeded generator shared with the PyTorch reference (tools/transnetv2_reference.py).
#include "seeded_weights.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/transnet_v2.h"

namespace marrowick::testing {

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

double seededValue(const std::string& name, const std::vector<std::int64_t>& shape, double u) {
    if (endsWith(name, "running_var") || endsWith(name, "bn.weight")) return 1.0 + 0.2 * u;
    if (shape.size() >= 2) {
        double fanIn = 1;
        for (std::size_t i = 1; i < shape.size(); ++i) fanIn *= static_cast<double>(shape[i]);
        return u * std::sqrt((shape.size() == 5 ? 4.0 : 1.0) / fanIn);
    }
    return 0.1 * u;
}

}  // namespace

double seededUniform(std::uint64_t seed, std::uint64_t index) {
    std::uint64_t z = seed + (index + 1) * 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53 * 2.0 - 1.0;
}

TensorMap seededTransNetWeights(std::uint64_t seed) {
    TensorMap tensors;
    std::uint64_t offset = 0;
    for (const auto& [name, shape] : TransNetV2::tensorShapes()) {
        if (endsWith(name, "num_batches_tracked")) continue;
        Tensor tensor{shape, {}};
        std::int64_t count = 1;
        for (const std::int64_t extent : shape) count *= extent;
        tensor.values.resize(count);
        for (std::int64_t i = 0; i < count; ++i)
            tensor.values[i] = static_cast<float>(seededValue(name, shape, seededUniform(seed, offset + i)));
        offset += count;
        tensors.emplace(name, std::move(tensor));
    }
    return tensors;
}

std::vector<TinyFrame> seededFrames(std::uint64_t seed) {
    std::vector<TinyFrame> frames;
    for (int t = 0; t < 100; ++t) {
        std::array<std::uint8_t, kTinyValues> rgb{};
        for (int v = 0; v < kTinyValues; ++v) {
            const double base = std::floor((seededUniform(seed, (t / 20) * 3 + v % 3) + 1.0) * 128.0);
            const double noise = std::floor((seededUniform(seed, 15 + static_cast<std::uint64_t>(t) * kTinyValues + v) + 1.0) * 32.0) - 32.0;
            rgb[v] = static_cast<std::uint8_t>(std::clamp(base + noise, 0.0, 255.0));
        }
        frames.push_back(makeTinyFrame(rgb, t * 0.04));
    }
    return frames;
}

}  // namespace marrowick::testing
