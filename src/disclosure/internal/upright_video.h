// The source's first video track decoded and turned upright, in the pixel format the encoder takes.
#pragma once

#include <filesystem>
#include <memory>

#include <optional>

#include "analysis/av_handles.h"
#include "analysis/frame_clock.h"

extern "C" {
#include <libavfilter/avfilter.h>
}

namespace marrowick {

// What every stage of a labelled copy says when it cannot be set up for the source.
inline constexpr const char* kNoExporter = "Cannot create a video exporter for this source.";

class UprightVideo {
public:
    // Opens the track's decoder and a filter chain that applies the display rotation, pads an odd
    // width or height by one black column or row at the right or bottom edge (the encoders take
    // only even rasters), and converts to `pixelFormat`. Throws ReviewError "Cannot create a video exporter for this source." when
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
    const std::filesystem::path& file() const { return file_; }

    // Sends one packet of the track, or nothing at the end of the stream.
    void send(const AVPacket* packet);
    // Takes the next upright frame; false when none is ready. Every frame has a time in the
    // track's time base, strictly after the previous frame's (the shared frame-time rule).
    bool receive(AVFrame& frame);
    // Seconds from the track's first presented time to a frame time of receive().
    double seconds(std::int64_t stamp) const { return clock_.seconds(stamp); }

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
    FrameClock clock_;
    bool decoderDrained_ = false;
};

}  // namespace marrowick
