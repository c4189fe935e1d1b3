// Turning small interleaved pictures upright by clockwise quarter turns.
#pragma once

#include <cstdint>

namespace marrowick {

// Copies a stored picture of width x height pixels (channels bytes each, tightly packed) into
// target, turned clockwise by turns quarter turns; target is height x width when turns is odd.
void quarterTurn(const std::uint8_t* stored, int width, int height, int channels, int turns, std::uint8_t* target);

}  // namespace marrowick
