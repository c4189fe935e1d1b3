// One source film re-encoded into a QuickTime movie, frame by frame, with a hook that may draw on
// each upright frame before it is encoded. Audio tracks are carried along; times are kept.
#pragma once

#include <filesystem>
#include <functional>
#include <stop_token>

#include "analysis/av_handles.h"

namespace marrowick {

class MovieTranscoder {
public:
    // Receives each upright frame and its time in seconds from the first presented frame.
    using FrameHook = std::function<void(AVFrame& frame, double seconds)>;

    // Opens the source. Throws ReviewError "<name>: <FFmpeg's text>" when it cannot be opened, or "Cannot create a video exporter for this source." when it holds no video
    // track.
    explicit MovieTranscoder(const std::filesystem::path& source);

    // The upright picture size the movie will have (the stored size turned by the display matrix).
    int width() const;
    int height() const;

    // Writes the movie to `target` (replaced only when complete). Throws Cancelled once a stop is
    // requested, "Video export did not finish." when the source breaks off or gives no picture, or
    // the decoder's, encoder's or file system's error; no partial movie is left in any case.
    void run(const std::filesystem::path& target, const FrameHook& hook, std::stop_token stop);

private:
    std::filesystem::path source_;
    InputFormatPtr format_;
    AVStream* video_ = nullptr;
};

}  // namespace marrowick
