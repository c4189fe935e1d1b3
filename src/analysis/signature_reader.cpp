// Reading a film's frame signatures, whole or in spans.
#include "analysis/signature_reader.h"

#include <cmath>

#include "analysis/media_file.h"
#include "analysis/tiny_frame_scaler.h"
#include "analysis/tiny_frame_source.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

// A span that starts this soon after the last frame read is reached by reading on, not by seeking.
constexpr double kReadOnSeconds = 4;

// Reads the frames of one span into details, skipping the frames before it; false when a frame
// is missing or differs from the one indexed.
bool readSpan(MediaFile& media, TinyFrameScaler& scaler, const FilmKeys& keys, const FrameSpan& span,
              SpanDetails& details, const std::stop_token& stop) {
    for (std::size_t next = span.first; next < span.first + span.count;) {
        if (stop.stop_requested()) throw Cancelled();
        const AVFrame* frame = media.nextFrame();
        if (!frame) return false;
        const double time = media.frameTime();
        if (std::isfinite(time) && time < keys.times[next]) continue;
        if (time != keys.times[next]) return false;
        const TinyFrame tiny = makeTinyFrame(scaler.shrink(*frame), time);
        if (!keysMatch(frameKeyOf(tiny), keys.keys[next])) return false;
        details.add(next++, frameDetailOf(tiny));
    }
    return true;
}

}  // namespace

FilmSignatures readSignatures(const std::filesystem::path& path, bool withDetails, std::stop_token stop) {
    FilmSignatures signatures;
    if (withDetails) signatures.details.emplace();
    MediaFile media(path, signatureDecoding(withDetails));
    signatures.keys.fps = media.info().fps;
    TinyFrameSource source(media, nullptr, &signatures);
    while (source.next(stop)) {
    }
    return signatures;
}

std::optional<SpanDetails> readSpanDetails(const std::filesystem::path& path, const FilmKeys& keys,
                                           const std::vector<FrameSpan>& spans, std::stop_token stop) {
    MediaFile media(path, signatureDecoding(true));
    TinyFrameScaler scaler(media.info().quarterTurns, TinyFrameScaler::kEverySample);
    SpanDetails details;
    double readTo = -1;  // the time of the last frame read; none yet
    for (const FrameSpan& span : joinedSpans(spans)) {
        if (span.first + span.count > keys.times.size()) return std::nullopt;
        const double start = keys.times[span.first];
        if (readTo < 0 || start > readTo + kReadOnSeconds) media.seek(start);
        if (!readSpan(media, scaler, keys, span, details, stop)) return std::nullopt;
        readTo = keys.times[span.first + span.count - 1];
    }
    return details;
}

}  // namespace marrowick
