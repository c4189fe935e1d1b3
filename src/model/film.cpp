// Snapping times to a film's real frames.
#include "model/film.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace marrowick {
namespace {

// The nearer of the two frame boundaries around a time inside (0, duration); ties go to the earlier.
double nearestFrameTime(const std::vector<double>& frameTimes, double seconds, double duration) {
    const auto upperIt = std::lower_bound(frameTimes.begin(), frameTimes.end(), seconds);
    const double upper = upperIt == frameTimes.end() ? duration : *upperIt;
    const double lower = upperIt == frameTimes.begin() ? 0 : *(upperIt - 1);
    return upper - seconds < seconds - lower ? upper : lower;
}

bool finiteAndStrictlyIncreasing(const std::vector<double>& times) {
    if (!std::all_of(times.begin(), times.end(), [](double time) { return std::isfinite(time); })) return false;
    return std::adjacent_find(times.begin(), times.end(), std::greater_equal<>()) == times.end();
}

}  // namespace

FrameTimeList::FrameTimeList(std::vector<double> times)
    : std::vector<double>(std::move(times)), finiteAndStrictlyIncreasing_(marrowick::finiteAndStrictlyIncreasing(*this)) {}

double Film::snap(double seconds) const {
    if (!std::isfinite(seconds)) return seconds;
    if (frameTimes && !frameTimes->empty()) {
        if (seconds <= 0) return 0;
        if (seconds >= duration) return duration;
        return nearestFrameTime(*frameTimes, seconds, duration);
    }
    return std::round(seconds * fps) / fps;
}

}  // namespace marrowick
