// The range check of the validators: a stored number must be finite and within its bounds.
#pragma once

#include <cmath>

namespace marrowick {

inline bool within(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

}  // namespace marrowick
