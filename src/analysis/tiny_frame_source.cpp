// Decoding analysis frames in order.
#include "analysis/tiny_frame_source.h"

#include <cmath>

extern "C" {
#include <libavutil/frame.h>
}

#include "analysis/film_signatures.h"
#include "analysis/middle_frames.h"
#include "model/review_error.h"

namespace marrowick {

std::optional<TinyFrame> TinyFrameSource::next(const std::stop_token& stop) {
    if (stop.stop_requested()) throw Cancelled();
    const AVFrame* frame = media_.nextFrame();
    if (!frame) return std::nullopt;
    if (!frame->data[0]) throw ReviewError("Missing decoded frame.");
    const double time = media_.frameTime();
    if (!std::isfinite(time)) throw ReviewError("Invalid frame timestamp.");
    if (middles_) middles_->decoded(*frame, time);
    if (signatures_) signatures_->add(makeTinyFrame(exact_->shrink(*frame), time));
    return makeTinyFrame(scaler_.shrink(*frame), time);
}

}  // namespace marrowick
