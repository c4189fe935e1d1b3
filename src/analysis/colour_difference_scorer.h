// The built-in shot-transition scorer used when no TransNetV2 weights are installed.
#pragma once

#include "analysis/shot_scorer.h"

namespace marrowick {

// Scores cuts and gradual transitions from colour-histogram and pixel differences, each measured
// against the motion level around it, so that fast motion, noise and short flashes stay quiet.
class ColourDifferenceScorer final : public ShotScorer {
public:
    static constexpr const char* kName = "Built-in colour-difference scorer";
    std::string name() const override { return kName; }
    WindowScores score(const WindowInputs& inputs) override;
};

}  // namespace marrowick
