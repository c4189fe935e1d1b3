// Frame and shot neighbours on a film's own timeline.
#include "workspace/frame_steps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace marrowick::FrameSteps {
namespace {

constexpr double kMaxShuttle = 8;

bool hasFrameTimes(const Film& film) { return film.frameTimes && !film.frameTimes->empty(); }

// Index of the frame shown at `seconds`: the last frame that starts at or before it.
std::size_t frameIndex(const std::vector<double>& times, double seconds) {
    const auto after = std::upper_bound(times.begin(), times.end(), seconds + kPositionSlack_s);
    return after == times.begin() ? 0 : static_cast<std::size_t>(after - times.begin() - 1);
}

// Frames on the 1/fps grid: the index shown at `seconds` and the last index of the film.
double gridIndex(const Film& film, double seconds) {
    return std::floor(std::max(0.0, seconds + kPositionSlack_s) * film.fps);
}

double lastGridIndex(const Film& film) {
    return std::max(0.0, std::ceil(film.duration * film.fps - 1e-6) - 1);
}

}  // namespace

double frameAt(const Film& film, double seconds) {
    if (hasFrameTimes(film)) {
        const std::vector<double>& times = *film.frameTimes;
        return times[frameIndex(times, seconds)];
    }
    if (!(film.fps > 0)) return std::max(0.0, seconds);
    return std::min(gridIndex(film, seconds), lastGridIndex(film)) / film.fps;
}

double neighbour(const Film& film, double seconds, int frames) {
    const int step = frames;
    if (hasFrameTimes(film)) {
        const std::vector<double>& times = *film.frameTimes;
        const auto at = static_cast<std::ptrdiff_t>(frameIndex(times, seconds));
        const auto last = static_cast<std::ptrdiff_t>(times.size()) - 1;
        return times[static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(at + step, 0, last))];
    }
    if (!(film.fps > 0)) return std::max(0.0, seconds);
    const double index = std::min(gridIndex(film, seconds), lastGridIndex(film));
    return std::clamp(index + step, 0.0, lastGridIndex(film)) / film.fps;
}

std::optional<Uuid> neighbouringShot(const Project& project, const Film& film, double seconds, int direction) {
    const double shown = frameAt(film, seconds);
    std::optional<Uuid> best;
    double bestStart = direction > 0 ? std::numeric_limits<double>::infinity() : -1;
    for (const Shot& shot : project.shots) {
        if (shot.filmID != film.id) continue;
        const double start = frameAt(film, shot.start);
        const bool candidate = direction > 0 ? start > shown && start < bestStart : start < shown && start > bestStart;
        if (candidate) {
            best = shot.id;
            bestStart = start;
        }
    }
    return best;
}

double shuttleRate(double current, int direction) {
    if (direction > 0) return current > 0 ? std::min(current * 2, kMaxShuttle) : 1;
    return current < 0 ? std::max(current * 2, -kMaxShuttle) : -1;
}

}  // namespace marrowick::FrameSteps
