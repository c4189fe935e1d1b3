// Checks before the encode, the overlay set, and the per-frame label drawing.
#include "disclosure/labelled_video.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cmath>
#include <memory>
#include <optional>
#include <system_error>

#include "analysis/av_error.h"
#include "analysis/file_fingerprint.h"
#include "disclosure/disclosure_metadata.h"
#include "disclosure/internal/frame_label_blender.h"
#include "disclosure/internal/movie_transcoder.h"
#include "disclosure/label_overlay_set.h"
#include "disclosure/xmp_file.h"
#include "disclosure/xmp_packet.h"
#include "model/film_name.h"
#include "model/review_error.h"

namespace marrowick::Exporter {
namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(250);

void checkReviewed(const std::vector<Shot>& shots) {
    for (const Shot& shot : shots)
        if (shot.disclosure == Disclosure::unreviewed)
            throw ReviewError("Review every shot in this film before video export.");
}

void checkSameSource(const Film& film, std::stop_token stop) {
    if (!film.sourceSHA256) return;
    if (FileFingerprint::sha256(film.path, std::move(stop)) != *film.sourceSHA256)
        throw ReviewError("Source changed since review: " + fileName(film) +
                          ". Reimport and review the new edit before export.");
}

// Draws the label a frame's time calls for; the blenders are made for the frames' format when the
// first labelled frame arrives, then reused.
class LabelPainter {
public:
    LabelPainter(const LabelOverlaySet& overlays, std::filesystem::path source)
        : overlays_(overlays), source_(std::move(source)) {}

    void paint(AVFrame& frame, double seconds) {
        const LabelOverlay* overlay = overlays_.at(seconds);
        if (!overlay) return;
        if (!modified_) {
            assert(FrameLabelBlender::supports(frame.format) && "the encoders take planar Y'CbCr");
            modified_.emplace(overlays_.modified(), frame);
            generated_.emplace(overlays_.generated(), frame);
        }
        AvError::check(av_frame_make_writable(&frame), source_);
        (overlay->decision == Disclosure::modified ? *modified_ : *generated_).blend(frame);
    }

private:
    const LabelOverlaySet& overlays_;
    std::filesystem::path source_;
    std::optional<FrameLabelBlender> modified_;
    std::optional<FrameLabelBlender> generated_;
};

// Passes the film's progress on at most four times a second.
class ProgressPacer {
public:
    ProgressPacer(const VideoProgress& progress, double duration) : progress_(progress), duration_(duration) {}

    void at(double seconds) {
        const auto now = std::chrono::steady_clock::now();
        if (!progress_ || now - last_ < kProgressInterval) return;
        last_ = now;
        const double fraction = duration_ > 0 ? seconds / duration_ : 0;
        progress_(std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0);
    }

private:
    const VideoProgress& progress_;
    double duration_;
    std::chrono::steady_clock::time_point last_{};
};

// Writes the film's disclosure packet into the finished movie (which keeps its fast-start layout)
// and reads it back; a movie whose packet fails is removed.
void recordDisclosure(const Film& film, const std::vector<Shot>& shots, const Project& project,
                      const std::filesystem::path& movie) {
    try {
        const DisclosureMetadata disclosure = disclosureMetadata(film, shots, project);
        XmpFile::embed(movie, XmpPacket::write(disclosure), XmpFile::Layout::indexFirst);
        XmpPacket::requireMatch(XmpFile::embeddedPacket(movie), disclosure);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(movie, ignored);
        throw;
    }
}

}  // namespace

std::string labelledVideoName(std::size_t position, const Film& film) {
    return std::to_string(position) + "-" + std::filesystem::path(film.path).stem().string() + "-labelled.mov";
}

void labelledVideo(const Film& film, const std::vector<Shot>& shots, const Project& project,
                   const std::filesystem::path& to, const std::filesystem::path& resourceRoot,
                   const VideoProgress& progress, std::stop_token stop) {
    checkReviewed(shots);
    checkSameSource(film, stop);
    MovieTranscoder transcoder(film.path);
    const LabelOverlaySet overlays(project, film, shots, resourceRoot);
    if (transcoder.width() != film.width || transcoder.height() != film.height)
        throw ReviewError("Source display raster changed. Reimport the film before exporting.");
    LabelPainter painter(overlays, film.path);
    ProgressPacer pacer(progress, film.duration);
    transcoder.run(
        to,
        [&](AVFrame& frame, double seconds) {
            painter.paint(frame, seconds);
            pacer.at(seconds);
        },
        std::move(stop));
    recordDisclosure(film, shots, project, to);
    if (progress) progress(1.0);
}

}  // namespace marrowick::Exporter
