// Demuxing and decoding of the first video track with libavformat and libavcodec.
#include "analysis/media_file.h"

#include <algorithm>
#include <cmath>
#include <limits>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
}

#include "analysis/av_error.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

struct FormatCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct CodecFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

double seconds(std::int64_t value, AVRational base) {
    return static_cast<double>(value) * av_q2d(base);
}

// Clockwise quarter turns that make the stored picture upright, from the display matrix.
int quarterTurns(const AVStream* stream) {
    const auto* matrix = reinterpret_cast<const std::int32_t*>(
        av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!matrix) return 0;
    const double angle = av_display_rotation_get(matrix);  // counter-clockwise degrees
    if (!std::isfinite(angle)) return 0;
    const long turns = std::lround(-angle / 90.0);
    return static_cast<int>(((turns % 4) + 4) % 4);
}

double nominalRate(const AVStream* stream) {
    if (stream->avg_frame_rate.num > 0 && stream->avg_frame_rate.den > 0) return av_q2d(stream->avg_frame_rate);
    if (stream->r_frame_rate.num > 0 && stream->r_frame_rate.den > 0) return av_q2d(stream->r_frame_rate);
    return 0;
}

double trackDuration(const AVFormatContext* format, const AVStream* stream) {
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) return seconds(stream->duration, stream->time_base);
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        return static_cast<double>(format->duration) / AV_TIME_BASE;
    return 0;
}

}  // namespace

struct MediaFile::State {
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    std::unique_ptr<AVCodecContext, CodecFreer> codec;
    std::unique_ptr<AVFrame, FrameFreer> frame{av_frame_alloc()};
    std::unique_ptr<AVPacket, PacketFreer> packet{av_packet_alloc()};
    AVStream* stream = nullptr;
    VideoTrackInfo info;
    std::int64_t origin = AV_NOPTS_VALUE;  // timestamp of the first presented frame
    double time = 0;
    bool draining = false;

    std::filesystem::path path;

    void open(Options options);
    int check(int code) const { return AvError::check(code, path); }
    void openDecoder(Options options);
    bool receive();
    void feed();
};

void MediaFile::State::open(Options options) {
    if (!frame || !packet) throw ReviewError::about(path, AvError::text(AVERROR(ENOMEM)));
    av_log_set_level(AV_LOG_QUIET);  // failures reach the user as messages, not as console noise
    AVFormatContext* raw = nullptr;
    check(avformat_open_input(&raw, path.c_str(), nullptr, nullptr));
    format.reset(raw);
    check(avformat_find_stream_info(format.get(), nullptr));
    for (unsigned i = 0; i < format->nb_streams && !stream; ++i) {
        AVStream* candidate = format->streams[i];
        const bool picture = candidate->disposition & AV_DISPOSITION_ATTACHED_PIC;
        if (candidate->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !picture) stream = candidate;
    }
    if (!stream) throw ReviewError("No video track in " + path.filename().string() + ".");
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (format->streams[i] != stream) format->streams[i]->discard = AVDISCARD_ALL;
    check(av_image_check_size2(stream->codecpar->width, stream->codecpar->height, kMaxVideoPixels, AV_PIX_FMT_NONE, 0,
                               nullptr));
    openDecoder(options);
    info.duration = trackDuration(format.get(), stream);
    info.fps = nominalRate(stream);
    info.quarterTurns = quarterTurns(stream);
    const bool sideways = info.quarterTurns % 2 == 1;
    info.width = sideways ? stream->codecpar->height : stream->codecpar->width;
    info.height = sideways ? stream->codecpar->width : stream->codecpar->height;
    if (stream->start_time != AV_NOPTS_VALUE) origin = stream->start_time;
}

void MediaFile::State::openDecoder(Options options) {
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!decoder) throw ReviewError::about(path, AvError::text(AVERROR_DECODER_NOT_FOUND));
    codec.reset(avcodec_alloc_context3(decoder));
    if (!codec) throw ReviewError::about(path, AvError::text(AVERROR(ENOMEM)));
    check(avcodec_parameters_to_context(codec.get(), stream->codecpar));
    codec->pkt_timebase = stream->time_base;
    codec->max_pixels = kMaxVideoPixels;
    codec->thread_count = 0;  // one per core
    codec->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (options.fastDecode) {
        codec->skip_loop_filter = AVDISCARD_ALL;
        codec->flags2 |= AV_CODEC_FLAG2_FAST;
    }
    check(avcodec_open2(codec.get(), decoder, nullptr));
}

// Takes one decoded picture if the decoder has one ready; false when it needs more input.
bool MediaFile::State::receive() {
    for (;;) {
        const int result = avcodec_receive_frame(codec.get(), frame.get());
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return false;
        if (result == AVERROR_INVALIDDATA) continue;  // a damaged picture is skipped, as players do
        check(result);
        std::int64_t stamp = frame->best_effort_timestamp;
        if (stamp == AV_NOPTS_VALUE) stamp = frame->pts;
        if (stamp == AV_NOPTS_VALUE) {
            time = std::numeric_limits<double>::quiet_NaN();
            return true;
        }
        if (origin == AV_NOPTS_VALUE) origin = stamp;
        time = seconds(stamp - origin, stream->time_base);
        return true;
    }
}

// Sends the next packet of the track to the decoder, or the end-of-stream signal.
void MediaFile::State::feed() {
    for (;;) {
        const int result = av_read_frame(format.get(), packet.get());
        if (result == AVERROR_EOF) {
            avcodec_send_packet(codec.get(), nullptr);
            draining = true;
            return;
        }
        check(result);
        if (packet->stream_index != stream->index) {
            av_packet_unref(packet.get());
            continue;
        }
        if (packet->flags & AV_PKT_FLAG_CORRUPT) {  // a truncated or damaged file
            av_packet_unref(packet.get());
            throw ReviewError("Decode failed.");
        }
        const int sent = avcodec_send_packet(codec.get(), packet.get());
        av_packet_unref(packet.get());
        if (sent != AVERROR_INVALIDDATA) check(sent);
        return;
    }
}

MediaFile::MediaFile(const std::filesystem::path& path, Options options) : state_(std::make_unique<State>()) {
    state_->path = path;
    state_->open(options);
}

MediaFile::~MediaFile() = default;

const VideoTrackInfo& MediaFile::info() const { return state_->info; }

const AVFrame* MediaFile::nextFrame() {
    for (;;) {
        if (state_->receive()) return state_->frame.get();
        if (state_->draining) return nullptr;
        state_->feed();
    }
}

double MediaFile::frameTime() const { return state_->time; }

void MediaFile::seek(double seconds) {
    State& s = *state_;
    const double base = av_q2d(s.stream->time_base);
    const std::int64_t start = s.origin == AV_NOPTS_VALUE ? 0 : s.origin;
    const double ticks = std::max(0.0, seconds) / base;
    const std::int64_t target = start + static_cast<std::int64_t>(std::min(ticks, 9.0e18));
    s.check(av_seek_frame(s.format.get(), s.stream->index, target, AVSEEK_FLAG_BACKWARD));
    avcodec_flush_buffers(s.codec.get());
    s.draining = false;
}

}  // namespace marrowick
