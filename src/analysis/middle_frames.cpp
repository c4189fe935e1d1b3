// Shrinking, keeping and choosing the frames that may be shot middles.
#include "analysis/middle_frames.h"

#include <algorithm>
#include <cmath>
#include <limits>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include "analysis/frame_grabber.h"
#include "analysis/internal/planar_yuv.h"
#include "analysis/shot_detector.h"
#include "analysis/shot_imaging.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

// Frames kept at most: the 75-frame look-ahead of the detection windows and the first half of
// a shot of several seconds, within about 48 MB.
constexpr std::size_t kBudgetBytes = 48u << 20;
constexpr std::size_t kMinimumFrames = 128;
// The middle is rounded to the 1/60000 s grid; frames this much farther still count.
constexpr double kRounding = 1.0 / 60000;

int planeBytes(const AVFrame& frame) {
    std::size_t bytes = 0;
    for (int p = 0; p < AV_NUM_DATA_POINTERS && frame.buf[p]; ++p) bytes += frame.buf[p]->size;
    return static_cast<int>(bytes);
}

}  // namespace

// Makes the kept copy of a decoded frame: planar 8-bit YUV is block-averaged plane by plane to
// the smallest whole fraction of its size that still covers the thumbnail; other formats are
// converted to RGBA at the thumbnail size.
struct MiddleFrames::Shrinker {
    int storedWidth = 0, storedHeight = 0;  // the thumbnail in stored orientation
    SwsContext* context = nullptr;

    explicit Shrinker(const VideoTrackInfo& info) {
        int fitWidth = 0, fitHeight = 0;
        FrameGrabber::fittedSize(std::max(1, info.width), std::max(1, info.height), ShotImaging::kThumbnailWidth,
                                 ShotImaging::kThumbnailHeight, fitWidth, fitHeight);
        const bool sideways = (info.quarterTurns & 1) != 0;
        storedWidth = sideways ? fitHeight : fitWidth;
        storedHeight = sideways ? fitWidth : fitHeight;
    }
    ~Shrinker() { sws_freeContext(context); }

    void shrink(const AVFrame& source, AVFrame& target) {
        const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(source.format));
        if (isPlanarYuv8(desc)) {
            const int factor = std::max(1, std::min(source.width / storedWidth, source.height / storedHeight));
            allocate(target, source.format, std::max(1, source.width / factor), std::max(1, source.height / factor));
            for (int plane = 0; plane < 3; ++plane) {
                const int shiftW = plane ? desc->log2_chroma_w : 0, shiftH = plane ? desc->log2_chroma_h : 0;
                shrinkPlane(source.data[plane], source.linesize[plane], AV_CEIL_RSHIFT(source.width, shiftW),
                            AV_CEIL_RSHIFT(source.height, shiftH), factor, target.data[plane], target.linesize[plane],
                            AV_CEIL_RSHIFT(target.width, shiftW), AV_CEIL_RSHIFT(target.height, shiftH));
            }
        } else {
            allocate(target, AV_PIX_FMT_RGBA, storedWidth, storedHeight);
            context = sws_getCachedContext(context, source.width, source.height,
                                           static_cast<AVPixelFormat>(source.format), storedWidth, storedHeight,
                                           AV_PIX_FMT_RGBA, SWS_BICUBIC, nullptr, nullptr, nullptr);
            if (!context || sws_scale(context, source.data, source.linesize, 0, source.height, target.data,
                                      target.linesize) <= 0)
                throw ReviewError("Cannot decode video.");
        }
        target.colorspace = source.colorspace;
        target.color_range = source.color_range;
    }

    static void allocate(AVFrame& target, int format, int width, int height) {
        if (target.format == format && target.width == width && target.height == height && target.buf[0]) return;
        av_frame_unref(&target);
        target.format = format;
        target.width = width;
        target.height = height;
        if (av_frame_get_buffer(&target, 0) < 0) throw ReviewError("Cannot decode video.");
    }
};

MiddleFrames::MiddleFrames(const VideoTrackInfo& info, double threshold, Sink sink, std::size_t maxFrames)
    : info_(info),
      // The film's duration is known only at the end (ended); every cut lies before it.
      tracker_(threshold, std::numeric_limits<double>::infinity()),
      sink_(std::move(sink)),
      shrinker_(std::make_unique<Shrinker>(info)),
      maxFrames_(maxFrames),
      lostThrough_(-std::numeric_limits<double>::infinity()) {}

MiddleFrames::~MiddleFrames() {
    for (Kept& kept : kept_) av_frame_free(&kept.frame);
    for (AVFrame*& frame : spare_) av_frame_free(&frame);
}

void MiddleFrames::decoded(const AVFrame& frame, double time) {
    AVFrame* copy = nullptr;
    if (!spare_.empty()) {
        copy = spare_.back();
        spare_.pop_back();
    } else if (!(copy = av_frame_alloc())) {
        throw ReviewError("Cannot decode video.");
    }
    kept_.push_back({time, copy});
    shrinker_->shrink(frame, *copy);
    const std::size_t capacity =
        maxFrames_ ? maxFrames_ : std::max(kMinimumFrames, kBudgetBytes / std::max(1, planeBytes(*copy)));
    while (kept_.size() > capacity) {
        lostThrough_ = std::max(lostThrough_, kept_.front().time);
        recycleFront();
    }
}

void MiddleFrames::predicted(const FramePrediction& prediction) {
    const double start = tracker_.openStart();
    if (const std::optional<Boundary> cut = tracker_.add(prediction)) close(start, cut->start);
    // The open shot ends at the next cut at the earliest, so its middle cannot come before
    // halfway there: older frames can no longer be chosen.
    const double floor = (tracker_.openStart() + tracker_.earliestNextCut()) * 0.5 - ShotImaging::kFrameTolerance_s -
                         kRounding;
    while (!kept_.empty() && kept_.front().time < floor) recycleFront();
}

void MiddleFrames::ended(double duration) {
    const double start = tracker_.openStart();
    const std::optional<Boundary> cut = tracker_.finish();
    if (cut) close(start, cut->start);
    close(tracker_.openStart(), duration);
}

void MiddleFrames::close(double start, double end) {
    const double middle = ShotImaging::middleOf(start, end);
    if (middle - ShotImaging::kFrameTolerance_s - kRounding <= lostThrough_) return;
    const Kept* best = nullptr;
    double bestDistance = ShotImaging::kFrameTolerance_s;
    for (const Kept& kept : kept_) {
        const double distance = std::abs(kept.time - middle);
        if (distance <= bestDistance) {
            best = &kept;
            bestDistance = distance;
        }
        if (kept.time > middle) break;
    }
    if (best)
        sink_(start, end, FrameGrabber::upright(*best->frame, info_, ShotImaging::kThumbnailWidth,
                                                ShotImaging::kThumbnailHeight));
}

void MiddleFrames::recycleFront() {
    spare_.push_back(kept_.front().frame);
    kept_.pop_front();
}

}  // namespace marrowick
