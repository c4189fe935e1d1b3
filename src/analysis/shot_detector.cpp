// Decoding, 100-frame windows, the peak rule and the closing checks of shot detection.
#include "analysis/shot_detector.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <system_error>

extern "C" {
#include <libavutil/frame.h>
}

#include "analysis/boundary_tracker.h"
#include "analysis/colour_difference_scorer.h"
#include "analysis/file_fingerprint.h"
#include "analysis/film_signatures.h"
#include "analysis/media_file.h"
#include "analysis/middle_frames.h"
#include "analysis/tiny_frame_source.h"
#include "analysis/transnet_v2.h"
#include "model/film_time.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

constexpr int kContext = 25;    // frames of context before the predicted part of a window
constexpr int kAdvance = 50;    // frames predicted per window

// Size and modification time of a file, to notice a file that changes while it is analysed.
struct FileStamp {
    std::optional<std::uintmax_t> size;
    std::optional<std::filesystem::file_time_type> modified;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

FileStamp stampOf(const std::filesystem::path& path) {
    try {
        return {std::filesystem::file_size(path), std::filesystem::last_write_time(path)};
    } catch (const std::filesystem::filesystem_error& error) {
        throw ReviewError::about(path, error.code().message());
    }
}

// Runs the scorer over windows of 100 frames advancing by 50; every frame gets one prediction.
std::vector<FramePrediction> predictAll(TinyFrameSource& source, ShotScorer& scorer, double duration,
                                        const std::function<void(double)>& progress, const std::stop_token& stop,
                                        MiddleFrames* middles) {
    std::optional<TinyFrame> first = source.next(stop);
    if (!first) throw ReviewError("Video has no readable frames.");
    std::vector<TinyFrame> buffer(kContext, *first);
    buffer.reserve(kWindowFrames);
    buffer.push_back(std::move(*first));
    std::size_t read = 1, emitted = 0;
    bool ended = false;
    std::vector<FramePrediction> predictions;
    for (;;) {
        while (buffer.size() < kWindowFrames && !ended) {
            std::optional<TinyFrame> frame = source.next(stop);
            if (!frame) {
                ended = true;
                break;
            }
            buffer.push_back(std::move(*frame));
            ++read;
        }
        if (ended && emitted >= read) break;
        const std::size_t count = std::min<std::size_t>(kAdvance, read - emitted);
        while (buffer.size() < kWindowFrames) buffer.push_back(buffer.back());
        WindowInputs inputs = makeWindowInputs(buffer);
        if (emitted == 0) inputs.filmStart = kContext;
        if (stop.stop_requested()) throw Cancelled();
        const WindowScores scores = scorer.score(inputs);
        if (scores.single.size() != kWindowFrames || scores.transition.size() != kWindowFrames)
            throw ReviewError("Invalid detector outputs.");
        for (std::size_t j = 0; j < count; ++j) {
            predictions.push_back({buffer[kContext + j].time, scores.single[kContext + j], scores.transition[kContext + j]});
            if (middles) middles->predicted(predictions.back());
        }
        emitted += count;
        if (progress) progress(std::min(0.99, buffer[kContext - 1 + count].time / duration));
        if (ended && emitted >= read) break;
        buffer.erase(buffer.begin(), buffer.begin() + kAdvance);
    }
    return predictions;
}

// The film's duration: the container's, unless frames lie at or past it (containers that guess
// their duration from the bit rate can say far less); then up to the end of the last frame, its
// time plus the previous interval or one frame at the nominal rate.
double durationOf(const std::vector<double>& times, double containerDuration, double fps) {
    if (times.empty() || times.back() < containerDuration) return containerDuration;
    const double interval = times.size() > 1 ? times.back() - times[times.size() - 2] : 1.0 / fps;
    return times.back() + interval;
}

std::unique_ptr<ShotScorer> installedScorer(const std::filesystem::path& resourceRoot) {
    const std::filesystem::path weights = resourceRoot / ShotDetector::kWeightsPath;
    std::error_code error;
    if (!std::filesystem::exists(weights, error)) return std::make_unique<ColourDifferenceScorer>();
    return std::make_unique<TransNetV2>(weights);
}

}  // namespace

std::string DecodeNotes::text() const {
    if (damagedFrames == 0) return {};
    return std::to_string(damagedFrames) + (damagedFrames == 1 ? " damaged frame" : " damaged frames") +
           " skipped or concealed";
}

ShotDetector::ShotDetector(const std::filesystem::path& resourceRoot) : scorer_(installedScorer(resourceRoot)) {}

ShotDetector::ShotDetector(std::unique_ptr<ShotScorer> scorer) : scorer_(std::move(scorer)) {}

std::string ShotDetector::detectorName() const { return scorer_->name(); }

std::pair<Film, std::vector<Shot>> ShotDetector::detect(const std::filesystem::path& url, double threshold,
                                                        const std::function<void(double)>& progress,
                                                        std::stop_token stop,
                                                        const MiddleFrames::Sink& middlePictures, DecodeNotes* notes,
                                                        FilmSignatures* signatures) {
    const FileStamp before = stampOf(url);
    MediaFile media(url, signatureDecoding(signatures && signatures->details));
    const VideoTrackInfo& info = media.info();
    if (!std::isfinite(info.duration) || info.duration <= 0 || !(info.fps > 0))
        throw ReviewError("Unsupported or invalid video timing.");
    Film film;
    film.id = Uuid::random();
    film.path = std::filesystem::absolute(url).string();
    film.duration = info.duration;
    film.fps = info.fps;
    film.width = std::abs(info.width);
    film.height = std::abs(info.height);
    film.detector = scorer_->name();
    FilmTime::takeTimecodeTag(film, info.timecode);

    std::optional<MiddleFrames> middles;
    if (middlePictures) middles.emplace(info, threshold, middlePictures);
    TinyFrameSource source(media, middles ? &*middles : nullptr, signatures);
    const std::vector<FramePrediction> predictions =
        predictAll(source, *scorer_, info.duration, progress, stop, middles ? &*middles : nullptr);
    std::vector<double> times;
    times.reserve(predictions.size());
    for (const FramePrediction& prediction : predictions) times.push_back(prediction.time);
    film.duration = durationOf(times, film.duration, info.fps);
    if (middles) middles->ended(film.duration);

    if (stampOf(url) != before)
        throw ReviewError("The source file changed during analysis. Import it again after the write completes.");
    film.sourceSHA256 = FileFingerprint::sha256(url, stop);
    film.frameTimes = makeFrameTimes(std::move(times));
    if (signatures) signatures->keys.fps = film.fps;
    if (notes) notes->damagedFrames = media.damagedFrames();
    std::vector<Shot> filmShots = shots(film, boundaries(predictions, threshold, film.duration));
    if (progress) progress(1.0);
    return {std::move(film), std::move(filmShots)};
}

std::vector<Boundary> ShotDetector::boundaries(const std::vector<FramePrediction>& predictions, double threshold,
                                               double duration) {
    std::vector<Boundary> result{{0.0, 1.0}};
    BoundaryTracker tracker(threshold, duration);
    for (const FramePrediction& prediction : predictions)
        if (const std::optional<Boundary> cut = tracker.add(prediction)) result.push_back(*cut);
    if (const std::optional<Boundary> cut = tracker.finish()) result.push_back(*cut);
    return result;
}

std::vector<Shot> ShotDetector::shots(const Film& film, const std::vector<Boundary>& boundaries) {
    std::vector<Shot> result;
    for (std::size_t k = 0; k < boundaries.size(); ++k) {
        const double start = boundaries[k].start;
        const double end = k + 1 < boundaries.size() ? boundaries[k + 1].start : film.duration;
        if (!(start < end)) continue;
        Shot shot;
        shot.id = Uuid::random();
        shot.filmID = film.id;
        shot.start = start;
        shot.end = end;
        shot.boundaryScore = boundaries[k].score;
        result.push_back(std::move(shot));
    }
    return result;
}

}  // namespace marrowick
