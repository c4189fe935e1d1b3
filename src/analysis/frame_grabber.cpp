// Seek to the key frame before a time, decode to the nearest frame, scale and turn it upright.
#include "analysis/frame_grabber.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include "analysis/av_handles.h"
#include "analysis/internal/quarter_turn.h"
#include "analysis/media_file.h"
#include "model/review_error.h"

namespace marrowick::FrameGrabber {

namespace {

// Decodes forward from the current position and keeps the frame nearest to the time.
FramePtr nearestFrame(MediaFile& media, double seconds, double tolerance) {
    FramePtr best;
    double bestDistance = tolerance;
    while (const AVFrame* frame = media.nextFrame()) {
        const double time = media.frameTime();
        if (!std::isfinite(time)) continue;
        const double distance = std::abs(time - seconds);
        if (distance <= bestDistance) {
            best.reset(av_frame_clone(frame));
            bestDistance = distance;
        }
        if (time > seconds) break;
    }
    return best;
}

}  // namespace

void fittedSize(int width, int height, int maxWidth, int maxHeight, int& fitWidth, int& fitHeight) {
    const double scale = std::min({1.0, static_cast<double>(maxWidth) / width, static_cast<double>(maxHeight) / height});
    fitWidth = std::max(1, static_cast<int>(std::lround(width * scale)));
    fitHeight = std::max(1, static_cast<int>(std::lround(height * scale)));
}

RgbaImage upright(const AVFrame& frame, const VideoTrackInfo& info, int maxWidth, int maxHeight) {
    int fitWidth = 0, fitHeight = 0;
    fittedSize(info.width, info.height, maxWidth, maxHeight, fitWidth, fitHeight);
    const bool sideways = (info.quarterTurns & 1) != 0;
    const int storedWidth = sideways ? fitHeight : fitWidth;
    const int storedHeight = sideways ? fitWidth : fitHeight;
    SwsContext* context = sws_getContext(frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), storedWidth,
                                         storedHeight, AV_PIX_FMT_RGBA, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!context) throw ReviewError("Cannot decode video.");
    // libswscale writes whole vector registers: rows padded to 64 bytes, and 64 bytes past the end,
    // or a picture a few pixels wide is written beyond its buffer.
    const std::size_t rowBytes = static_cast<std::size_t>(storedWidth) * 4;
    const std::size_t paddedRow = (rowBytes + 63) / 64 * 64;
    std::vector<std::uint8_t> scaled(paddedRow * storedHeight + 64);
    std::uint8_t* planes[4] = {scaled.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(paddedRow), 0, 0, 0};
    const int rows = sws_scale(context, frame.data, frame.linesize, 0, frame.height, planes, strides);
    sws_freeContext(context);
    if (rows <= 0) throw ReviewError("Cannot decode video.");
    std::vector<std::uint8_t> stored(rowBytes * storedHeight);
    for (int y = 0; y < storedHeight; ++y)
        std::copy_n(scaled.begin() + static_cast<std::ptrdiff_t>(paddedRow * y), rowBytes,
                    stored.begin() + static_cast<std::ptrdiff_t>(rowBytes * y));
    RgbaImage image{fitWidth, fitHeight, std::vector<std::uint8_t>(stored.size())};
    quarterTurn(stored.data(), storedWidth, storedHeight, 4, info.quarterTurns, image.pixels.data());
    return image;
}

RgbaImage picture(const std::filesystem::path& path, double seconds, double tolerance, int maxWidth, int maxHeight) {
    MediaFile media(path);
    return picture(media, seconds, tolerance, maxWidth, maxHeight);
}

RgbaImage picture(MediaFile& media, double seconds, double tolerance, int maxWidth, int maxHeight) {
    if (maxWidth <= 0 || maxHeight <= 0 || media.info().width <= 0 || media.info().height <= 0)
        throw ReviewError("Cannot decode video.");
    media.seek(seconds);
    FramePtr frame = nearestFrame(media, seconds, tolerance);
    if (!frame) {
        media.seek(0);  // a seek that lands after the time (no key frame index) starts again
        frame = nearestFrame(media, seconds, tolerance);
    }
    if (!frame) throw ReviewError("Cannot decode video.");
    return upright(*frame, media.info(), maxWidth, maxHeight);
}

}  // namespace marrowick::FrameGrabber
