// Shortest round-trip decimal text of numbers, always with a fractional part (12.0, not 12).
#pragma once

#include <string>

namespace marrowick {

// Used in history details and messages. Non-finite values read "nan", "inf" or "-inf".
std::string decimalText(double value);

// Shortest text that reads back to the same value, without the forced fraction (JSON numbers).
std::string shortestText(double value);
std::string shortestText(float value);

}  // namespace marrowick
