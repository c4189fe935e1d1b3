// Owning handles for FFmpeg's objects, each freed with its own function.
#pragma once

#include <memory>

#include "analysis/ffmpeg_log.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
}

namespace marrowick {

// Each name is dropped only after the object is gone: a threaded decoder's workers finish (and may
// still log) inside avcodec_free_context.
struct InputFormatCloser {
    void operator()(AVFormatContext* context) const {
        const void* const named = context;
        avformat_close_input(&context);
        FfmpegLog::forget(named);
    }
};
struct CodecFreer {
    void operator()(AVCodecContext* context) const {
        const void* const named = context;
        avcodec_free_context(&context);
        FfmpegLog::forget(named);
    }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

using InputFormatPtr = std::unique_ptr<AVFormatContext, InputFormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;

}  // namespace marrowick
