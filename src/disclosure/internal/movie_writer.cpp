// The QuickTime muxer on a temporary sibling file, with fsync and rename at the end.
#include "disclosure/internal/movie_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

extern "C" {
#include <libavutil/dict.h>
#include <libavutil/mathematics.h>
}

#include "analysis/av_error.h"
#include "model/review_error.h"
#include "model/uuid.h"

namespace marrowick {
namespace {

[[noreturn]] void failSystem(const std::filesystem::path& target, int error) {
    throw ReviewError("Could not write \"" + target.filename().string() + "\": " + std::strerror(error) + ".");
}

// FFmpeg's failures from the file system carry the system's error number; others keep FFmpeg's text.
void check(int code, const std::filesystem::path& target) {
    constexpr int kHighestSystemError = 4095;
    if (code < 0 && -code <= kHighestSystemError) failSystem(target, -code);
    AvError::check(code, target);
}

void flushToDisk(const std::filesystem::path& path, const std::filesystem::path& target) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) failSystem(target, errno);
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0) failSystem(target, error);
}

// One picture at the encoder's nominal rate, for packets the encoder leaves without a duration:
// QuickTime takes the last picture's duration from its packet, and an edit list ending on its
// start would hide that picture.
std::int64_t nominalDuration(const AVCodecContext& encoder) {
    if (encoder.codec_type != AVMEDIA_TYPE_VIDEO || encoder.framerate.num <= 0 || encoder.framerate.den <= 0) return 0;
    return std::max<std::int64_t>(1, av_rescale_q(1, av_inv_q(encoder.framerate), encoder.time_base));
}

}  // namespace

MovieWriter::MovieWriter(std::filesystem::path target)
    : target_(std::move(target)),
      temporary_(target_.parent_path() /
                 ("." + target_.filename().string() + "." + Uuid::random().text().substr(0, 8) + ".tmp")) {
    if (avformat_alloc_output_context2(&format_, nullptr, "mov", temporary_.c_str()) < 0 || !format_)
        throw ReviewError(kMovUnsupported);
}

MovieWriter::~MovieWriter() {
    if (opened_) avio_closep(&format_->pb);
    avformat_free_context(format_);
    if (!finished_) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

bool MovieWriter::accepts(AVCodecID codec) const {
    return avformat_query_codec(format_->oformat, codec, FF_COMPLIANCE_NORMAL) == 1;
}

bool MovieWriter::wantsGlobalHeader() const { return format_->oformat->flags & AVFMT_GLOBALHEADER; }

AVStream* MovieWriter::addStream(const AVCodecContext& encoder) {
    AVStream* stream = avformat_new_stream(format_, nullptr);
    if (!stream) throw ReviewError::about(target_, AvError::text(AVERROR(ENOMEM)));
    check(avcodec_parameters_from_context(stream->codecpar, &encoder), target_);
    stream->time_base = encoder.time_base;
    stream->avg_frame_rate = encoder.framerate;
    stream->sample_aspect_ratio = encoder.sample_aspect_ratio;
    return stream;
}

AVStream* MovieWriter::addStream(const AVStream& source) {
    AVStream* stream = avformat_new_stream(format_, nullptr);
    if (!stream) throw ReviewError::about(target_, AvError::text(AVERROR(ENOMEM)));
    check(avcodec_parameters_copy(stream->codecpar, source.codecpar), target_);
    stream->codecpar->codec_tag = 0;  // the movie's own tag for the codec
    stream->time_base = source.time_base;
    stream->disposition = source.disposition;
    if (const AVDictionaryEntry* language = av_dict_get(source.metadata, "language", nullptr, 0))
        av_dict_set(&stream->metadata, "language", language->value, 0);
    return stream;
}

void MovieWriter::start() {
    check(avio_open(&format_->pb, temporary_.c_str(), AVIO_FLAG_WRITE), target_);
    opened_ = true;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    const int written = avformat_write_header(format_, &options);
    av_dict_free(&options);
    check(written, target_);
}

void MovieWriter::write(AVPacket& packet, AVRational base) {
    av_packet_rescale_ts(&packet, base, format_->streams[packet.stream_index]->time_base);
    packet.pos = -1;
    check(av_interleaved_write_frame(format_, &packet), target_);
    check(format_->pb->error, target_);  // a full disk stops the export at once
}

void MovieWriter::encode(AVCodecContext& encoder, const AVFrame* frame, int streamIndex, AVPacket& packet) {
    const int sent = avcodec_send_frame(&encoder, frame);
    if (sent != AVERROR_EOF) check(sent, target_);
    for (;;) {
        const int result = avcodec_receive_packet(&encoder, &packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
        check(result, target_);
        packet.stream_index = streamIndex;
        if (packet.duration == 0) packet.duration = nominalDuration(encoder);
        write(packet, encoder.time_base);
    }
}

void MovieWriter::finish() {
    check(av_write_trailer(format_), target_);
    check(format_->pb->error, target_);
    opened_ = false;
    check(avio_closep(&format_->pb), target_);
    flushToDisk(temporary_, target_);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) failSystem(target_, errno);
    finished_ = true;
}

}  // namespace marrowick
