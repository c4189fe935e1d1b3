// Enrichment of one shot from its middle picture, and grouping by feature-print distance.
#include "analysis/shot_imaging.h"

#include <cmath>
#include <limits>
#include <optional>

#include "analysis/feature_print.h"
#include "analysis/frame_grabber.h"
#include "analysis/jpeg_encoder.h"
#include "model/review_error.h"

namespace marrowick::ShotImaging {

namespace {

// The group of the nearest exemplar within the threshold (earliest on ties), if any.
std::optional<std::size_t> nearestGroup(const std::vector<FeaturePrint>& exemplars, const FeaturePrint& print,
                                        float threshold) {
    std::optional<std::size_t> best;
    float bestDistance = std::numeric_limits<float>::infinity();
    for (std::size_t g = 0; g < exemplars.size(); ++g) {
        const float distance = FeaturePrint::distanceWithin(print, exemplars[g], std::min(threshold, bestDistance));
        if (distance <= threshold && distance < bestDistance) {
            best = g;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

double middleOf(double start, double end) { return std::round((start + end) * 0.5 * kTimescale) / kTimescale; }

Shot enrich(Shot shot, const Film& film) {
    MediaFile source(film.path);
    return enrich(std::move(shot), source);
}

Shot enrich(Shot shot, MediaFile& source) {
    const RgbaImage picture =
        FrameGrabber::picture(source, middleOf(shot.start, shot.end), kFrameTolerance_s, kThumbnailWidth, kThumbnailHeight);
    return describe(std::move(shot), picture);
}

Shot describe(Shot shot, const RgbaImage& picture) {
    std::optional<std::vector<std::uint8_t>> jpeg = JpegEncoder::encode(picture, kJpegQuality);
    shot.thumbnail = jpeg ? makeBlob(std::move(*jpeg)) : nullptr;
    shot.feature = makeBlob(FeaturePrint::of(picture).encode());
    shot.category = categoryText(SceneTagger::labels(picture));
    return shot;
}

std::string categoryText(const std::vector<SceneLabel>& labels) {
    std::string text;
    std::size_t kept = 0;
    for (const SceneLabel& label : labels) {
        if (kept == kMaxLabels) break;
        if (!(label.confidence >= kLabelConfidence)) continue;
        std::string words = label.identifier;
        for (char& c : words)
            if (c == '_') c = ' ';
        text += (kept++ ? ", " : "") + words;
    }
    return text;
}

SharedVector<Shot> group(SharedVector<Shot> shots, float threshold, std::stop_token stop) {
    std::vector<FeaturePrint> exemplars;
    for (std::size_t i = 0; i < shots.size(); ++i) {
        if (stop.stop_requested()) throw Cancelled();
        const Blob& feature = shots[i].feature;
        std::int64_t number = 0;
        if (feature) {
            const FeaturePrint print = FeaturePrint::decode(*feature);
            const std::optional<std::size_t> nearest = nearestGroup(exemplars, print, threshold);
            if (!nearest) exemplars.push_back(print);
            number = static_cast<std::int64_t>(nearest.value_or(exemplars.size() - 1)) + 1;
        }
        if (shots[i].group != number) shots.mut(i).group = number;
    }
    return shots;
}

}  // namespace marrowick::ShotImaging
