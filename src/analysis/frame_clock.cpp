// The frame-time rule shared by every decoding path.
#include "analysis/frame_clock.h"

#include <algorithm>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libavutil/mathematics.h>
}

namespace marrowick {
namespace {

constexpr std::int64_t kNone = INT64_MIN;

std::int64_t known(std::int64_t value) { return value == AV_NOPTS_VALUE ? kNone : value; }

AVRational usableRate(const AVStream& stream) {
    for (const AVRational rate : {stream.avg_frame_rate, stream.r_frame_rate})
        if (rate.num > 0 && rate.den > 0) return rate;
    return {0, 1};
}

}  // namespace

FrameClock::FrameClock(const Timing& timing) : timing_(timing), origin_(timing.start) {
    if (timing_.timeBase.num <= 0 || timing_.timeBase.den <= 0) timing_.timeBase = {1, 1};
    timing_.wrapBits = std::clamp(timing_.wrapBits, 1, 64);
}

FrameClock::FrameClock(const AVStream& stream)
    : FrameClock(Timing{stream.time_base, known(stream.start_time), usableRate(stream), stream.pts_wrap_bits}) {}

std::int64_t FrameClock::candidate(const AVFrame& frame) const {
    if (const std::int64_t best = known(frame.best_effort_timestamp); best != kNone) return best;
    if (const std::int64_t pts = known(frame.pts); pts != kNone) return pts;
    return known(frame.pkt_dts);
}

// Adds a whole wrap period each time the raw clock falls back by more than half of one.
std::int64_t FrameClock::unwrapped(std::int64_t raw) {
    if (timing_.wrapBits >= 63) return raw;
    const std::int64_t period = std::int64_t{1} << timing_.wrapBits;
    if (previous_ != kNone && raw + wrapOffset_ < previous_ - period / 2) wrapOffset_ += period;
    return raw + wrapOffset_;
}

// One frame's length in ticks: its own duration, else one frame at the nominal rate, else a tick.
std::int64_t FrameClock::step(const AVFrame& frame) const {
    if (frame.pkt_duration > 0) return frame.pkt_duration;
    if (timing_.frameRate.num > 0 && timing_.frameRate.den > 0) {
        const AVRational period{timing_.frameRate.den, timing_.frameRate.num};
        return std::max<std::int64_t>(1, av_rescale_q(1, period, timing_.timeBase));
    }
    return 1;
}

std::int64_t FrameClock::stamp(const AVFrame& frame) {
    const std::int64_t raw = candidate(frame);
    std::int64_t time = raw == kNone ? kNone : unwrapped(raw);
    if (previous_ == kNone) {
        if (time == kNone) {
            if (restarted_) return kNone;
            if (origin_ == kNone) origin_ = 0;
            time = origin_;
            ++corrected_;
        }
    } else if (time == kNone) {
        time = previous_ + step(frame);
        ++corrected_;
    } else if (time <= previous_) {
        time = previous_ + 1;
        ++corrected_;
    }
    if (origin_ == kNone) origin_ = time;
    previous_ = time;
    return time;
}

double FrameClock::seconds(std::int64_t stamp) const {
    const std::int64_t origin = origin_ == kNone ? 0 : origin_;
    return static_cast<double>(stamp - origin) * av_q2d(timing_.timeBase);
}

std::int64_t FrameClock::ticks(double seconds) const {
    const std::int64_t origin = origin_ == kNone ? 0 : origin_;
    const double ticks = static_cast<double>(origin) + seconds / av_q2d(timing_.timeBase);
    return static_cast<std::int64_t>(std::clamp(ticks, -9.0e18, 9.0e18));
}

void FrameClock::restart() {
    previous_ = kNone;
    wrapOffset_ = 0;
    restarted_ = true;
}

}  // namespace marrowick
