// Frame details of chosen spans of a film's frames, looked up by the frame's place in the film.
#pragma once

#include <cstddef>
#include <vector>

#include "analysis/film_signatures.h"

namespace marrowick {

// Frames [first, first + count) of a film, in decoding order.
struct FrameSpan {
    std::size_t first = 0;
    std::size_t count = 0;
    friend bool operator==(const FrameSpan&, const FrameSpan&) = default;
};

// The spans that cover every given span, in order, overlapping and touching ones joined.
std::vector<FrameSpan> joinedSpans(std::vector<FrameSpan> spans);

class SpanDetails {
public:
    SpanDetails() = default;
    // Every frame of a whole decode.
    explicit SpanDetails(FrameDetails whole);

    // Adds the detail of a frame after the last one added (a gap starts a new span).
    void add(std::size_t frame, const FrameDetail& detail);
    // Whether frames [first, first + count) are all held.
    bool holds(std::size_t first, std::size_t count) const;
    // The detail of a held frame; throws ReviewError for a frame not held.
    FrameDetail at(std::size_t frame) const;

private:
    struct Stored {
        FrameSpan span;
        std::size_t slot;  // where its first frame lies in details_
    };
    const Stored* storedAt(std::size_t frame) const;

    FrameDetails details_;
    std::vector<Stored> stored_;  // in frame order
};

}  // namespace marrowick
