// What the detector needs of a shot-transition scorer: one window in, one score pair per frame out.
#pragma once

#include <string>

#include "analysis/window_inputs.h"

namespace marrowick {

class ShotScorer {
public:
    virtual ~ShotScorer() = default;
    // The name recorded as the film's detector.
    virtual std::string name() const = 0;
    // Scores of the 100 window frames; a frame's "single" score is high when it is the last frame
    // before a transition's midpoint.
    virtual WindowScores score(const WindowInputs& inputs) = 0;
};

}  // namespace marrowick
