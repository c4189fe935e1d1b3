// One time for every decoded frame of a video stream, on the stream's own timeline.
#pragma once

#include <cstdint>

extern "C" {
#include <libavutil/rational.h>
}

struct AVFrame;
struct AVStream;

namespace marrowick {

// Reads a frame's time the same way for every path that decodes a film (detection, pictures,
// labelled copies): the frame's best-effort timestamp, else the decode time of its packet, else
// the previous frame's time plus its duration (or one frame at the nominal rate). Times wrapped
// by a 33-bit MPEG clock are unwrapped, and a repeated or backwards time is moved one tick after
// the previous frame and counted, so times strictly increase.
class FrameClock {
public:
    struct Timing {
        AVRational timeBase{1, 1};
        std::int64_t start = INT64_MIN;  // the stream's first presented time; INT64_MIN: the first frame's
        AVRational frameRate{0, 1};      // nominal rate, for frames that carry no duration
        int wrapBits = 64;               // width of the stream's timestamps (33 for MPEG)
    };

    explicit FrameClock(const Timing& timing);
    explicit FrameClock(const AVStream& stream);

    // The frame's time in stream ticks, unwrapped and after the previous frame's. After a
    // restart, a frame that carries no time at all has none (INT64_MIN) until one that does.
    std::int64_t stamp(const AVFrame& frame);

    // Seconds from the stream's first presented time to a stamp.
    double seconds(std::int64_t stamp) const;
    // The stamp of a time in seconds from the first presented time (for seeking).
    std::int64_t ticks(double seconds) const;

    // Forgets the previous frame, after a seek.
    void restart();

    // Frames whose time was missing or out of order and was made up or moved.
    std::int64_t corrected() const { return corrected_; }

private:
    std::int64_t candidate(const AVFrame& frame) const;
    std::int64_t unwrapped(std::int64_t raw);
    std::int64_t step(const AVFrame& frame) const;

    Timing timing_;
    std::int64_t origin_;
    std::int64_t previous_ = INT64_MIN;
    std::int64_t wrapOffset_ = 0;
    std::int64_t corrected_ = 0;
    bool restarted_ = false;
};

}  // namespace marrowick
