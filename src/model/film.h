// One imported source video.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/blob.h"
#include "model/uuid.h"

namespace marrowick {

// Presentation times of every decoded frame, in seconds. Whether they are finite and strictly
// increasing is worked out once when the list is made, so validating a project after each edit
// need not walk millions of frame times again.
class FrameTimeList : public std::vector<double> {
public:
    explicit FrameTimeList(std::vector<double> times);
    bool finiteAndStrictlyIncreasing() const { return finiteAndStrictlyIncreasing_; }

private:
    bool finiteAndStrictlyIncreasing_;
};

// Immutable once made, so project copies share it.
using FrameTimes = std::shared_ptr<const FrameTimeList>;

inline FrameTimes makeFrameTimes(std::vector<double> times) {
    return std::make_shared<const FrameTimeList>(std::move(times));
}

struct Film {
    Uuid id;
    std::string path;
    Blob bookmark;               // null when absent
    double duration = 0;
    double fps = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    FrameTimes frameTimes;       // null when absent
    std::optional<std::string> sourceSHA256;
    std::string detector;
    // The timecode of the first frame as the source tags it (';' before the frames counts drop
    // frame) and the whole-number rate it counts in; absent, 00:00:00:00 at the rate of `fps`.
    std::optional<std::string> startTimecode;
    std::optional<std::int64_t> timecodeRate;

    // The nearest real frame boundary to a time (frame times, 0 and the duration; or the fps grid).
    double snap(double seconds) const;

    friend bool operator==(const Film& a, const Film& b);
};

}  // namespace marrowick
