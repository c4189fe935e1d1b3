// Decimal text by std::to_chars, which gives the shortest form that reads back exactly.
#include "model/decimal_text.h"

#include <charconv>
#include <cmath>

namespace marrowick {
namespace {

template <class Number>
std::string shortest(Number value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string shortestText(double value) { return shortest(value); }
std::string shortestText(float value) { return shortest(value); }

std::string decimalText(double value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    std::string text = shortest(value);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

}  // namespace marrowick
