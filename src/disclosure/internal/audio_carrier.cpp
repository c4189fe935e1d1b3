// Audio packets copied with shifted times, or decoded, converted with libswresample and stored as
// 16- or 24-bit PCM at the source's rate and channel layout.
#include "disclosure/internal/audio_carrier.h"

#include <algorithm>

extern "C" {
#include <libavutil/channel_layout.h>
}

#include "analysis/av_error.h"
#include "analysis/ffmpeg_log.h"
#include "disclosure/internal/movie_writer.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

std::int64_t shifted(std::int64_t time, std::int64_t shift) { return time == AV_NOPTS_VALUE ? time : time - shift; }

// 16-bit PCM for sources of at most 16 bits a sample, 24-bit for deeper and floating-point ones.
const AVCodec* pcmEncoderFor(AVSampleFormat decoded) {
    return avcodec_find_encoder(av_get_bytes_per_sample(decoded) <= 2 ? AV_CODEC_ID_PCM_S16LE : AV_CODEC_ID_PCM_S24LE);
}

}  // namespace

bool AudioCarrier::copies(AVCodecID codec) {
    static constexpr AVCodecID kCarried[] = {
        AV_CODEC_ID_AAC,       AV_CODEC_ID_ALAC,      AV_CODEC_ID_MP3,       AV_CODEC_ID_AC3,
        AV_CODEC_ID_EAC3,      AV_CODEC_ID_PCM_U8,    AV_CODEC_ID_PCM_S16LE, AV_CODEC_ID_PCM_S16BE,
        AV_CODEC_ID_PCM_S24LE, AV_CODEC_ID_PCM_S24BE, AV_CODEC_ID_PCM_S32LE, AV_CODEC_ID_PCM_S32BE,
        AV_CODEC_ID_PCM_F32LE, AV_CODEC_ID_PCM_F32BE, AV_CODEC_ID_PCM_F64LE, AV_CODEC_ID_PCM_F64BE};
    return std::find(std::begin(kCarried), std::end(kCarried), codec) != std::end(kCarried);
}

AudioCarrier::AudioCarrier(const AVStream& source, std::int64_t shift, std::filesystem::path file, MovieWriter& movie)
    : file_(std::move(file)),
      sourceBase_(source.time_base), shift_(shift), movie_(movie) {
    if (!decoded_ || !converted_ || !packet_) throw ReviewError::about(file_, AvError::text(AVERROR(ENOMEM)));
    if (copies(source.codecpar->codec_id) && movie.accepts(source.codecpar->codec_id)) {
        streamIndex_ = movie.addStream(source)->index;
        return;
    }
    openTranscoder(source);
}

AudioCarrier::~AudioCarrier() { swr_free(&resampler_); }

int AudioCarrier::check(int code) const { return AvError::check(code, file_); }

void AudioCarrier::openTranscoder(const AVStream& source) {
    const AVCodec* decoding = avcodec_find_decoder(source.codecpar->codec_id);
    if (!decoding) throw ReviewError::about(file_, AvError::text(AVERROR_DECODER_NOT_FOUND));
    decoder_.reset(avcodec_alloc_context3(decoding));
    if (!decoder_) throw ReviewError::about(file_, AvError::text(AVERROR(ENOMEM)));
    FfmpegLog::nameDecoder(*decoder_, file_);
    check(avcodec_parameters_to_context(decoder_.get(), source.codecpar));
    decoder_->pkt_timebase = source.time_base;
    check(avcodec_open2(decoder_.get(), decoding, nullptr));
    if (decoder_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&decoder_->ch_layout, decoder_->ch_layout.nb_channels);

    const AVCodec* encoding = pcmEncoderFor(decoder_->sample_fmt);
    if (!encoding) throw ReviewError::about(file_, AvError::text(AVERROR_ENCODER_NOT_FOUND));
    encoder_.reset(avcodec_alloc_context3(encoding));
    if (!encoder_) throw ReviewError::about(file_, AvError::text(AVERROR(ENOMEM)));
    encoder_->sample_fmt = encoding->sample_fmts[0];
    encoder_->sample_rate = decoder_->sample_rate;
    encoder_->time_base = {1, decoder_->sample_rate};
    check(av_channel_layout_copy(&encoder_->ch_layout, &decoder_->ch_layout));
    check(avcodec_open2(encoder_.get(), encoding, nullptr));
    check(swr_alloc_set_opts2(&resampler_, &encoder_->ch_layout, encoder_->sample_fmt, encoder_->sample_rate,
                                       &decoder_->ch_layout, decoder_->sample_fmt, decoder_->sample_rate, 0, nullptr));
    check(swr_init(resampler_));
    streamIndex_ = movie_.addStream(*encoder_)->index;
}

void AudioCarrier::carry(AVPacket* packet) {
    if (!decoder_) {
        if (!packet) return;
        packet->pts = shifted(packet->pts, shift_);
        packet->dts = shifted(packet->dts, shift_);
        packet->stream_index = streamIndex_;
        movie_.write(*packet, sourceBase_);
        return;
    }
    // A packet the decoder refuses (damaged, or out of place as in some Ogg files) is a moment of
    // silence, not the end of the copy.
    const int sent = avcodec_send_packet(decoder_.get(), packet);
    if (sent != AVERROR_INVALIDDATA && sent != AVERROR(EINVAL) && sent != AVERROR_EOF) check(sent);
    for (;;) {
        const int result = avcodec_receive_frame(decoder_.get(), decoded_.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) break;
        if (result == AVERROR_INVALIDDATA) continue;
        check(result);
        convertDecoded();
    }
    if (!packet) encode(nullptr);
}

void AudioCarrier::convertDecoded() {
    av_frame_unref(converted_.get());
    converted_->format = encoder_->sample_fmt;
    converted_->sample_rate = encoder_->sample_rate;
    check(av_channel_layout_copy(&converted_->ch_layout, &encoder_->ch_layout));
    check(swr_convert_frame(resampler_, converted_.get(), decoded_.get()));
    const std::int64_t stamp = decoded_->best_effort_timestamp;
    std::int64_t pts = stamp == AV_NOPTS_VALUE ? nextSample_
                                               : av_rescale_q(stamp - shift_, sourceBase_, encoder_->time_base);
    // Samples never overlap: a block stamped before the end of the previous one follows it.
    if (nextSample_ != AV_NOPTS_VALUE && pts < nextSample_) pts = nextSample_;
    converted_->pts = pts;
    if (pts != AV_NOPTS_VALUE) nextSample_ = pts + converted_->nb_samples;
    av_frame_unref(decoded_.get());
    encode(converted_.get());
}

void AudioCarrier::encode(const AVFrame* frame) {
    movie_.encode(*encoder_, frame, streamIndex_, *packet_);
}

}  // namespace marrowick
