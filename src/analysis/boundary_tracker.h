// The peak rule of shot detection applied one prediction at a time, so that cuts are known while
// the film is still being decoded.
#pragma once

#include <cstddef>
#include <optional>

namespace marrowick {

struct FramePrediction;
struct Boundary;

class BoundaryTracker {
public:
    BoundaryTracker(double threshold, double duration);

    // The next prediction in time order; returns the cut it confirms, if any. Each run of scores
    // at or above the threshold gives at most one cut, on the frame after the run's highest
    // (earliest of equal) score; a cut not after the previous start plus 1e-6, or not before the
    // duration, is dropped.
    std::optional<Boundary> add(const FramePrediction& prediction);
    // After the last prediction: the cut of a run still open, if any.
    std::optional<Boundary> finish();

    // The start of the shot still open (0 before the first cut).
    double openStart() const { return lastStart_; }
    // No cut confirmed later can start before this time.
    double earliestNextCut() const;

private:
    std::optional<Boundary> flush(double candidate);

    double threshold_;
    double duration_;
    double lastStart_ = 0.0;
    double lastTime_ = 0.0;
    std::size_t index_ = 0;
    // The open run: its first frame's time, its peak, and the time of the frame after the peak.
    bool open_ = false;
    double runStart_ = 0.0;
    std::size_t peakIndex_ = 0;
    double peakScore_ = 0;
    std::optional<double> afterPeak_;
};

}  // namespace marrowick
