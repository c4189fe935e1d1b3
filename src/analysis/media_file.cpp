// Demuxing and decoding of the first video track with libavformat and libavcodec.
#include "analysis/media_file.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <limits>
#include <sstream>
#include <optional>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
}

#include "analysis/av_error.h"
#include "analysis/input_file.h"
#include "analysis/av_handles.h"
#include "analysis/ffmpeg_log.h"
#include "analysis/frame_clock.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

double seconds(std::int64_t value, AVRational base) {
    return static_cast<double>(value) * av_q2d(base);
}

double trackDuration(const AVFormatContext* format, const AVStream* stream) {
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) return seconds(stream->duration, stream->time_base);
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        return static_cast<double>(format->duration) / AV_TIME_BASE;
    return 0;
}

const char* timecodeOf(const AVDictionary* tags) {
    const AVDictionaryEntry* entry = av_dict_get(tags, "timecode", nullptr, 0);  // any case: Matroska writes TIMECODE
    return entry ? entry->value : nullptr;
}

// The video stream's own tag first (MOV and MP4 copy the timecode track's there), then the
// file's (MXF, Matroska), then any other stream's (a timecode data track).
std::string timecodeTag(const AVFormatContext* format, const AVStream* video) {
    if (const char* tag = timecodeOf(video->metadata)) return tag;
    if (const char* tag = timecodeOf(format->metadata)) return tag;
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (const char* tag = timecodeOf(format->streams[i]->metadata)) return tag;
    return {};
}

}  // namespace

int quarterTurnsOf(const AVStream* stream) {
    const auto* matrix = reinterpret_cast<const std::int32_t*>(
        av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!matrix) return 0;
    const double angle = av_display_rotation_get(matrix);  // counter-clockwise degrees
    if (!std::isfinite(angle)) return 0;
    const long turns = std::lround(-angle / 90.0);
    return static_cast<int>(((turns % 4) + 4) % 4);
}

struct MediaFile::State {
    InputFormatPtr format;
    CodecPtr codec;
    FramePtr frame{av_frame_alloc()};
    PacketPtr packet{av_packet_alloc()};
    AVStream* stream = nullptr;
    VideoTrackInfo info;
    std::optional<FrameClock> clock;
    double time = 0;
    std::int64_t damaged = 0;
    bool lastCorrupt = false;  // the last packet of the track read was damaged or partial
    bool draining = false;

    std::filesystem::path path;

    void open(Options options);
    int check(int code) const { return AvError::check(code, path); }
    void openDecoder(Options options);
    bool receive();
    void feed();
    [[noreturn]] void brokenOff(const std::string& reason) const;
};

void MediaFile::State::open(Options options) {
    if (!frame || !packet) throw ReviewError::about(path, AvError::text(AVERROR(ENOMEM)));
    format = InputFile::open(path);
    stream = InputFile::pictureStream(*format);
    if (!stream) throw ReviewError("No video track in " + path.filename().string() + ".");
    InputFile::discardAllBut(*format, *stream);
    check(av_image_check_size2(stream->codecpar->width, stream->codecpar->height, kMaxVideoPixels, AV_PIX_FMT_NONE, 0,
                               nullptr));
    openDecoder(options);
    info.duration = trackDuration(format.get(), stream);
    info.fps = av_q2d(nominalFrameRate(*stream));
    info.quarterTurns = quarterTurnsOf(stream);
    info.timecode = timecodeTag(format.get(), stream);
    const bool sideways = info.quarterTurns % 2 == 1;
    info.width = sideways ? stream->codecpar->height : stream->codecpar->width;
    info.height = sideways ? stream->codecpar->width : stream->codecpar->height;
    clock.emplace(*stream);
}

void MediaFile::State::openDecoder(Options options) {
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!decoder) throw ReviewError::about(path, AvError::text(AVERROR_DECODER_NOT_FOUND));
    codec.reset(avcodec_alloc_context3(decoder));
    if (!codec) throw ReviewError::about(path, AvError::text(AVERROR(ENOMEM)));
    FfmpegLog::nameDecoder(*codec, path);
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
        if (result == AVERROR_INVALIDDATA) {  // a damaged picture is skipped, as players do
            ++damaged;
            continue;
        }
        check(result);
        if (frame->decode_error_flags) ++damaged;
        const std::int64_t stamp = clock->stamp(*frame);
        time = stamp == INT64_MIN ? std::numeric_limits<double>::quiet_NaN() : clock->seconds(stamp);
        return true;
    }
}

// A read that fails before the end: the file breaks off (truncated) or its container is damaged.
void MediaFile::State::brokenOff(const std::string& reason) const {
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << "reading stopped at " << (std::isfinite(time) ? time : 0.0)
         << " s";
    if (info.duration > 0) text << " of " << info.duration << " s";
    text << " (" << reason << ").";
    throw ReviewError::about(path, text.str());
}

// Sends the next packet of the track to the decoder, or the end-of-stream signal.
void MediaFile::State::feed() {
    for (;;) {
        const int result = InputFile::readPacket(*format, *packet);
        if (result == AVERROR_EOF) {
            // A file cut off mid-sample ends on a partial packet: the film breaks off there.
            if (lastCorrupt) brokenOff("the file ends early");
            avcodec_send_packet(codec.get(), nullptr);
            draining = true;
            return;
        }
        if (result < 0) brokenOff(AvError::text(result));
        if (packet->stream_index != stream->index) {
            av_packet_unref(packet.get());
            continue;
        }
        // A damaged packet still goes to the decoder, which conceals what it can, as players do.
        lastCorrupt = packet->flags & AV_PKT_FLAG_CORRUPT;
        if (lastCorrupt) ++damaged;
        const int sent = avcodec_send_packet(codec.get(), packet.get());
        av_packet_unref(packet.get());
        if (sent == AVERROR_INVALIDDATA) ++damaged;
        else check(sent);
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

std::int64_t MediaFile::damagedFrames() const { return state_->damaged; }

std::int64_t MediaFile::retimedFrames() const { return state_->clock->corrected(); }

void MediaFile::seek(double seconds) {
    State& s = *state_;
    s.check(av_seek_frame(s.format.get(), s.stream->index, s.clock->ticks(std::max(0.0, seconds)), AVSEEK_FLAG_BACKWARD));
    avcodec_flush_buffers(s.codec.get());
    s.clock->restart();
    s.draining = false;
}

}  // namespace marrowick
