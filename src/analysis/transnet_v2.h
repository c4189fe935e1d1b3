// The TransNetV2 shot-transition network: our own forward pass over CBLAS.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "analysis/safetensors.h"
#include "analysis/shot_scorer.h"

namespace marrowick {

// Reads the tensors of the published PyTorch state dict (names and shapes in
// docs/transnetv2-weights.md) and returns the two heads' sigmoid scores for each window frame.
class TransNetV2 final : public ShotScorer {
public:
    static constexpr const char* kName = "TransNetV2";

    // Throws ReviewError when the file cannot be read, or lacks a tensor or has one misshaped.
    explicit TransNetV2(const std::filesystem::path& weights);
    explicit TransNetV2(const TensorMap& tensors);
    ~TransNetV2() override;

    std::string name() const override { return kName; }
    WindowScores score(const WindowInputs& inputs) override;

    // Every tensor the network reads, with its shape, in state-dict order.
    static std::vector<std::pair<std::string, std::vector<std::int64_t>>> tensorShapes();

private:
    struct Weights;
    struct Buffers;
    std::unique_ptr<Weights> weights_;
    std::unique_ptr<Buffers> buffers_;  // activations and working space, reused window after window
};

}  // namespace marrowick
