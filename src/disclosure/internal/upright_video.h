// The source's first video track decoded and turned upright, in the pixel format the encoder takes.
#pragma once

#include <filesystem>
#include <memory>

#include "analysis/av_handles.h"

extern "C" {
#include <libavfilter/avfilter.h>
}

namespace marrowick {

class UprightVideo {
public:
    // Opens the track's decoder and a filter chain that applies the display rotation and converts
    // to `pixelFormat`. Throws ReviewError "Cannot create a video exporter for this source." when
    // the track cannot be decoded, or FFmpeg's text.
    // Failures name the source file.
    UprightVideo(const AVStream& stream, AVPixelFormat pixelFormat, std::filesystem::path source);
    ~UprightVideo();
    UprightVideo(const UprightVideo&) = delete;
    UprightVideo& operator=(const UprightVideo&) = delete;

    // Upright picture size, sample aspect and colour description of the frames to come.
    int width() const;
    int height() const;
    AVRational sampleAspect() const;
    const AVCodecContext& decoder() const { return *decoder_; }

    // Sends one packet of the track, or nothing at the end of the stream.
    void send(const AVPacket* packet);
    // Takes the next upright frame (times in the track's time base); false when none is ready.
    bool receive(AVFrame& frame);

private:
    void buildFilters(const AVStream& stream, AVPixelFormat pixelFormat);
    bool pullDecoded();

    int check(int code) const;

    std::filesystem::path file_;  // the source, named in failures
    CodecPtr decoder_;
    AVFilterGraph* graph_ = nullptr;
    AVFilterContext* source_ = nullptr;
    AVFilterContext* sink_ = nullptr;
    FramePtr decoded_{av_frame_alloc()};
    bool decoderDrained_ = false;
};

}  // namespace marrowick
