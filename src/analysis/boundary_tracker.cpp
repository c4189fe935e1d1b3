// Streaming peak rule: one open run of scores at or above the threshold at a time.
#include "analysis/boundary_tracker.h"

#include "analysis/shot_detector.h"

namespace marrowick {

namespace {

constexpr double kMinimumShotSeconds = 0.000001;

}  // namespace

BoundaryTracker::BoundaryTracker(double threshold, double duration) : threshold_(threshold), duration_(duration) {}

std::optional<Boundary> BoundaryTracker::add(const FramePrediction& prediction) {
    const std::size_t index = index_++;
    lastTime_ = prediction.time;
    if (open_ && index == peakIndex_ + 1) afterPeak_ = prediction.time;
    if (threshold_ <= prediction.score) {
        if (!open_ || peakScore_ < prediction.score) {
            if (!open_) runStart_ = prediction.time;
            open_ = true;
            peakIndex_ = index;
            peakScore_ = prediction.score;
            afterPeak_.reset();
        }
        return std::nullopt;
    }
    if (!open_) return std::nullopt;
    open_ = false;
    return flush(afterPeak_.value_or(duration_));
}

std::optional<Boundary> BoundaryTracker::finish() {
    if (!open_) return std::nullopt;
    open_ = false;
    return flush(afterPeak_.value_or(duration_));
}

double BoundaryTracker::earliestNextCut() const { return open_ ? runStart_ : lastTime_; }

std::optional<Boundary> BoundaryTracker::flush(double candidate) {
    if (!(lastStart_ + kMinimumShotSeconds < candidate && candidate < duration_)) return std::nullopt;
    lastStart_ = candidate;
    return Boundary{candidate, peakScore_};
}

}  // namespace marrowick
