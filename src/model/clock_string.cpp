// Formatting of media times for views and reports.
#include "model/clock_string.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace marrowick {

std::string clockString(double seconds) {
    // A time no film reaches (a damaged file's duration) is held where milliseconds still fit.
    constexpr double kLongest = 1e15;
    if (!std::isfinite(seconds)) return "\u2014";
    const double clamped = std::clamp(seconds, 0.0, kLongest);
    const auto ms = static_cast<std::int64_t>(clamped * 1000 + 0.5);
    const std::int64_t hours = ms / 3'600'000;
    const std::int64_t minutes = ms / 60'000 - hours * 60;
    const std::int64_t secs = ms / 1000 - (ms / 60'000) * 60;
    const std::int64_t millis = ms % 1000;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld.%03lld", static_cast<long long>(hours),
                  static_cast<long long>(minutes), static_cast<long long>(secs), static_cast<long long>(millis));
    return buffer;
}

}  // namespace marrowick
