// Evidence that a change between two analysis frames is the same shot going on, not a cut.
#pragma once

#include <array>

#include "analysis/tiny_frame.h"

namespace marrowick {

// The grey values of one analysis frame (the mean of its R, G and B).
using GreyFrame = std::array<float, kTinyPixels>;

GreyFrame greyFrame(const float* rgb);

// Of the blocks of the picture that show detail in either frame, the share that stays nearly as
// it was (0..1; 0 when fewer than three blocks show detail): high when something covers only part
// of the picture or jumps across a still background, near 0 across a cut.
float stayingShare(const GreyFrame& a, const GreyFrame& b);

}  // namespace marrowick
