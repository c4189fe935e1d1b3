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

// Presentation times of every decoded frame; immutable once made, so project copies share it.
using FrameTimes = std::shared_ptr<const std::vector<double>>;

inline FrameTimes makeFrameTimes(std::vector<double> times) {
    return std::make_shared<const std::vector<double>>(std::move(times));
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

    // The nearest real frame boundary to a time (frame times, 0 and the duration; or the fps grid).
    double snap(double seconds) const;

    friend bool operator==(const Film& a, const Film& b);
};

}  // namespace marrowick
