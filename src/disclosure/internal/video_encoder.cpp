// libx264 (High profile, CRF 16) or prores_ks (profile HQ) through libavcodec.
#include "disclosure/internal/video_encoder.h"

extern "C" {
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <string>

#include "analysis/av_error.h"
#include "analysis/frame_clock.h"
#include "disclosure/internal/movie_writer.h"
#include "disclosure/internal/upright_video.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

bool deeperThanEightBits(AVPixelFormat format) {
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(format);
    return descriptor && descriptor->comp[0].depth > 8;
}

// The old full-range formats, which the conversion to the encoder's format moves to video range.
bool fullRangeFormat(AVPixelFormat format) {
    return format == AV_PIX_FMT_YUVJ420P || format == AV_PIX_FMT_YUVJ422P || format == AV_PIX_FMT_YUVJ444P ||
           format == AV_PIX_FMT_YUVJ440P || format == AV_PIX_FMT_YUVJ411P;
}

// The encoder's name as editors know it, for messages.
const char* knownName(const AVCodec& codec) { return codec.id == AV_CODEC_ID_PRORES ? "ProRes" : "H.264"; }

// The encoder and its private options; the H.264 settings are the ones the benchmark's plain
// FFmpeg run uses.
const AVCodec* openable(AVPixelFormat source, AVDictionary** options) {
    if (deeperThanEightBits(source)) {
        av_dict_set(options, "profile", "hq", 0);
        av_dict_set(options, "vendor", "apl0", 0);
        return avcodec_find_encoder_by_name("prores_ks");
    }
    av_dict_set(options, "preset", "medium", 0);
    av_dict_set(options, "crf", "16", 0);
    av_dict_set(options, "profile", "high", 0);
    return avcodec_find_encoder_by_name("libx264");
}

}  // namespace

AVPixelFormat VideoEncoder::pixelFormatFor(AVPixelFormat source) {
    return deeperThanEightBits(source) ? AV_PIX_FMT_YUV422P10LE : AV_PIX_FMT_YUV420P;
}

VideoEncoder::VideoEncoder(const AVStream& source, const UprightVideo& video, MovieWriter& movie) : movie_(movie) {
    const AVCodecContext& decoder = video.decoder();
    AVDictionary* options = nullptr;
    const AVCodec* codec = openable(decoder.pix_fmt, &options);
    if (!codec || !packet_) {
        av_dict_free(&options);
        throw ReviewError(kNoExporter);
    }
    if (!movie.accepts(codec->id)) {
        av_dict_free(&options);
        throw ReviewError(kMovUnsupported);
    }
    encoder_.reset(avcodec_alloc_context3(codec));
    if (!encoder_) {
        av_dict_free(&options);
        throw ReviewError::about(movie.target(), AvError::text(AVERROR(ENOMEM)));
    }
    encoder_->width = video.width();
    encoder_->height = video.height();
    encoder_->pix_fmt = pixelFormatFor(decoder.pix_fmt);
    encoder_->sample_aspect_ratio = video.sampleAspect();
    encoder_->time_base = source.time_base;
    encoder_->framerate = nominalFrameRate(source);
    encoder_->color_primaries = decoder.color_primaries;
    encoder_->color_trc = decoder.color_trc;
    encoder_->colorspace = decoder.colorspace;
    encoder_->color_range = fullRangeFormat(decoder.pix_fmt) ? AVCOL_RANGE_MPEG : decoder.color_range;
    encoder_->chroma_sample_location = decoder.chroma_sample_location;
    encoder_->thread_count = 0;
    if (movie.wantsGlobalHeader()) encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const int opened = avcodec_open2(encoder_.get(), codec, &options);
    av_dict_free(&options);
    if (opened < 0)
        throw ReviewError::about(video.file(), std::string("the ") + knownName(*codec) + " encoder refused the " +
                                                   std::to_string(video.width()) + "x" +
                                                   std::to_string(video.height()) + " raster (" +
                                                   AvError::text(opened) + ").");
    streamIndex_ = movie.addStream(*encoder_)->index;
}

void VideoEncoder::encode(const AVFrame* frame) {
    movie_.encode(*encoder_, frame, streamIndex_, *packet_);
}

}  // namespace marrowick
