// Spans of frame details kept in one temporary file, and joining spans.
#include "analysis/span_details.h"

#include <algorithm>

#include "model/review_error.h"

namespace marrowick {

std::vector<FrameSpan> joinedSpans(std::vector<FrameSpan> spans) {
    std::erase_if(spans, [](const FrameSpan& span) { return span.count == 0; });
    std::sort(spans.begin(), spans.end(), [](const FrameSpan& a, const FrameSpan& b) { return a.first < b.first; });
    std::vector<FrameSpan> joined;
    for (const FrameSpan& span : spans) {
        if (!joined.empty() && span.first <= joined.back().first + joined.back().count) {
            FrameSpan& last = joined.back();
            last.count = std::max(last.first + last.count, span.first + span.count) - last.first;
            continue;
        }
        joined.push_back(span);
    }
    return joined;
}

SpanDetails::SpanDetails(FrameDetails whole) : details_(std::move(whole)) {
    if (details_.size() > 0) stored_.push_back({{0, details_.size()}, 0});
}

void SpanDetails::add(std::size_t frame, const FrameDetail& detail) {
    const bool follows = !stored_.empty() && frame == stored_.back().span.first + stored_.back().span.count;
    if (!follows) {
        if (!stored_.empty() && frame < stored_.back().span.first + stored_.back().span.count)
            throw ReviewError("Frame details added out of order.");
        stored_.push_back({{frame, 0}, details_.size()});
    }
    details_.append(detail);
    ++stored_.back().span.count;
}

const SpanDetails::Stored* SpanDetails::storedAt(std::size_t frame) const {
    const auto after = std::upper_bound(stored_.begin(), stored_.end(), frame,
                                        [](std::size_t f, const Stored& stored) { return f < stored.span.first; });
    if (after == stored_.begin()) return nullptr;
    const Stored& stored = *(after - 1);
    return frame < stored.span.first + stored.span.count ? &stored : nullptr;
}

bool SpanDetails::holds(std::size_t first, std::size_t count) const {
    if (count == 0) return true;
    const Stored* stored = storedAt(first);
    return stored && first + count <= stored->span.first + stored->span.count;
}

FrameDetail SpanDetails::at(std::size_t frame) const {
    const Stored* stored = storedAt(frame);
    if (!stored) throw ReviewError("Frame signature out of range.");
    return details_.at(stored->slot + frame - stored->span.first);
}

}  // namespace marrowick
