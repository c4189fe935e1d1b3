// Shot middles taken while a film is decoded for detection, so import need not decode again.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/boundary_tracker.h"
#include "analysis/media_file.h"
#include "model/rgba_image.h"

struct AVFrame;

namespace marrowick {

struct FramePrediction;

// Keeps small copies (thumbnail size, the decoder's own planes) of the decoded frames that may
// still turn out to lie within 0.1 s of a shot's middle, and hands out each shot's middle picture
// as soon as the cut that ends the shot is known: the frame nearest the middle (the later of two
// equally near), upright, within 480 x 300, as ShotImaging::enrich takes it. Memory is bounded:
// when a shot is too long for the frames kept, its picture is not handed out and the caller
// takes it the slow way.
class MiddleFrames {
public:
    using Sink = std::function<void(double start, double end, const RgbaImage& picture)>;

    // threshold is the detection's; the peak rule runs here as well to learn the cuts early.
    // maxFrames bounds the frames kept (0: as many as fit in about 48 MB, at least 128).
    MiddleFrames(const VideoTrackInfo& info, double threshold, Sink sink, std::size_t maxFrames = 0);
    ~MiddleFrames();
    MiddleFrames(const MiddleFrames&) = delete;
    MiddleFrames& operator=(const MiddleFrames&) = delete;

    // Every decoded frame, in order, with its time.
    void decoded(const AVFrame& frame, double time);
    // Every prediction, in order.
    void predicted(const FramePrediction& prediction);
    // After the last prediction: hands out the pictures of the shots still open, the last one
    // ending at the film's duration.
    void ended(double duration);

private:
    struct Kept {
        double time = 0;
        AVFrame* frame = nullptr;
    };
    struct Shrinker;

    void close(double start, double end);
    void recycleFront();

    VideoTrackInfo info_;
    BoundaryTracker tracker_;
    Sink sink_;
    std::unique_ptr<Shrinker> shrinker_;
    std::deque<Kept> kept_;
    std::vector<AVFrame*> spare_;
    std::size_t maxFrames_;
    double lostThrough_;  // the latest frame dropped while it could still have been a middle
};

}  // namespace marrowick
