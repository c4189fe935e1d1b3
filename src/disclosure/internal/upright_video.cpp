// libavcodec decoding into a libavfilter chain: transpose or flips for rotation, then format.
#include "disclosure/internal/upright_video.h"

#include <string>

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/pixdesc.h>
}

#include "analysis/av_error.h"
#include "analysis/ffmpeg_log.h"
#include "analysis/media_file.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

// The filters that turn the stored picture upright by clockwise quarter turns, pad it to an even
// raster and convert it.
std::string chain(int quarterTurns, AVPixelFormat pixelFormat) {
    static const char* const turns[] = {"", "transpose=clock,", "hflip,vflip,", "transpose=cclock,"};
    return std::string(turns[quarterTurns]) + "pad=w=ceil(iw/2)*2:h=ceil(ih/2)*2:x=0:y=0:color=black,format=pix_fmts=" +
           av_get_pix_fmt_name(pixelFormat);
}

}  // namespace

UprightVideo::UprightVideo(const AVStream& stream, AVPixelFormat pixelFormat, std::filesystem::path source)
    : file_(std::move(source)), clock_(stream) {
    const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
    if (!codec || !decoded_) throw ReviewError(kNoExporter);
    decoder_.reset(avcodec_alloc_context3(codec));
    if (!decoder_) throw ReviewError::about(file_, AvError::text(AVERROR(ENOMEM)));
    FfmpegLog::nameDecoder(*decoder_, file_);
    check(avcodec_parameters_to_context(decoder_.get(), stream.codecpar));
    decoder_->pkt_timebase = stream.time_base;
    decoder_->max_pixels = kMaxVideoPixels;
    decoder_->thread_count = 0;
    decoder_->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (avcodec_open2(decoder_.get(), codec, nullptr) < 0 || decoder_->pix_fmt == AV_PIX_FMT_NONE ||
        decoder_->width < 1 || decoder_->height < 1)
        throw ReviewError(kNoExporter);
    buildFilters(stream, pixelFormat);
}

UprightVideo::~UprightVideo() { avfilter_graph_free(&graph_); }

int UprightVideo::check(int code) const { return AvError::check(code, file_); }

void UprightVideo::buildFilters(const AVStream& stream, AVPixelFormat pixelFormat) {
    graph_ = avfilter_graph_alloc();
    if (!graph_) throw ReviewError::about(file_, AvError::text(AVERROR(ENOMEM)));
    const AVRational aspect = decoder_->sample_aspect_ratio.num > 0 ? decoder_->sample_aspect_ratio : AVRational{1, 1};
    const std::string arguments = "video_size=" + std::to_string(decoder_->width) + "x" +
                                  std::to_string(decoder_->height) + ":pix_fmt=" + std::to_string(decoder_->pix_fmt) +
                                  ":time_base=" + std::to_string(stream.time_base.num) + "/" +
                                  std::to_string(stream.time_base.den) + ":pixel_aspect=" + std::to_string(aspect.num) +
                                  "/" + std::to_string(aspect.den);
    check(avfilter_graph_create_filter(&source_, avfilter_get_by_name("buffer"), "in", arguments.c_str(),
                                                nullptr, graph_));
    check(avfilter_graph_create_filter(&sink_, avfilter_get_by_name("buffersink"), "out", nullptr, nullptr,
                                                graph_));
    AVFilterInOut* outputs = avfilter_inout_alloc();
    AVFilterInOut* inputs = avfilter_inout_alloc();
    if (!outputs || !inputs) {
        avfilter_inout_free(&outputs);
        avfilter_inout_free(&inputs);
        throw ReviewError::about(file_, AvError::text(AVERROR(ENOMEM)));
    }
    outputs->name = av_strdup("in");
    outputs->filter_ctx = source_;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = sink_;
    const int parsed = avfilter_graph_parse_ptr(graph_, chain(quarterTurnsOf(&stream), pixelFormat).c_str(), &inputs,
                                                &outputs, nullptr);
    avfilter_inout_free(&outputs);
    avfilter_inout_free(&inputs);
    check(parsed);
    check(avfilter_graph_config(graph_, nullptr));
}

int UprightVideo::width() const { return av_buffersink_get_w(sink_); }
int UprightVideo::height() const { return av_buffersink_get_h(sink_); }
AVRational UprightVideo::sampleAspect() const { return av_buffersink_get_sample_aspect_ratio(sink_); }

void UprightVideo::send(const AVPacket* packet) {
    // Every ready frame is taken before the next packet, so the decoder always has room for it.
    // A damaged packet is left to the decoder's concealment, as detection does.
    const int sent = avcodec_send_packet(decoder_.get(), packet);
    if (sent != AVERROR_EOF && sent != AVERROR_INVALIDDATA) check(sent);
}

// Moves one decoded picture into the filter chain; false when the decoder has none ready.
bool UprightVideo::pullDecoded() {
    if (decoderDrained_) return false;
    const int result = avcodec_receive_frame(decoder_.get(), decoded_.get());
    if (result == AVERROR(EAGAIN)) return false;
    if (result == AVERROR_EOF) {
        decoderDrained_ = true;
        check(av_buffersrc_add_frame_flags(source_, nullptr, 0));
        return true;
    }
    if (result == AVERROR_INVALIDDATA) return true;  // a damaged picture is skipped, as detection skips it
    check(result);
    decoded_->pts = clock_.stamp(*decoded_);
    check(av_buffersrc_add_frame_flags(source_, decoded_.get(), AV_BUFFERSRC_FLAG_KEEP_REF));
    av_frame_unref(decoded_.get());
    return true;
}

bool UprightVideo::receive(AVFrame& frame) {
    for (;;) {
        const int result = av_buffersink_get_frame(sink_, &frame);
        if (result >= 0) return true;
        if (result != AVERROR(EAGAIN) && result != AVERROR_EOF) check(result);
        if (!pullDecoded()) return false;
    }
}

}  // namespace marrowick
