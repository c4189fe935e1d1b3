// The read, decode, draw, encode and write loop over every packet of the source.
#include "disclosure/internal/movie_transcoder.h"

#include <memory>
#include <vector>

extern "C" {
#include <libavutil/imgutils.h>
}

#include "analysis/av_error.h"
#include "analysis/input_file.h"
#include "analysis/media_file.h"
#include "disclosure/internal/audio_carrier.h"
#include "disclosure/internal/movie_writer.h"
#include "disclosure/internal/upright_video.h"
#include "disclosure/internal/video_encoder.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

constexpr const char* kNotFinished = "Video export did not finish.";

bool isSound(const AVStream& stream) { return stream.codecpar->codec_type == AVMEDIA_TYPE_AUDIO; }

// The source's first presented moment, subtracted from every track so the movie starts at zero.
std::int64_t shiftOf(const AVFormatContext& format, const AVStream& stream) {
    if (format.start_time == AV_NOPTS_VALUE) return 0;
    return av_rescale_q(format.start_time, AVRational{1, AV_TIME_BASE}, stream.time_base);
}

// One run: the movie, its encoders and the frame and packet in flight.
class Pass {
public:
    Pass(AVFormatContext& format, AVStream& video, const std::filesystem::path& source,
         const std::filesystem::path& target, const MovieTranscoder::FrameHook& hook)
        : source_(source),
          format_(format),
          video_(video),
          hook_(hook),
          movie_(target),
          upright_(video, VideoEncoder::pixelFormatFor(static_cast<AVPixelFormat>(video.codecpar->format)), source),
          encoder_(video, upright_, movie_),
          shift_(shiftOf(format, video)) {
        if (!frame_ || !packet_) throw ReviewError::about(source, AvError::text(AVERROR(ENOMEM)));
        carriers_.resize(format.nb_streams);
        for (unsigned i = 0; i < format.nb_streams; ++i) {
            AVStream& stream = *format.streams[i];
            if (isSound(stream))
                carriers_[i] = std::make_unique<AudioCarrier>(stream, shiftOf(format, stream), source, movie_);
            else if (&stream != &video)
                stream.discard = AVDISCARD_ALL;
        }
        movie_.start();
    }

    void run(std::stop_token stop) {
        for (;;) {
            if (stop.stop_requested()) throw Cancelled();
            const int read = InputFile::readPacket(format_, *packet_);
            if (read == AVERROR_EOF && lastCorrupt_) throw ReviewError(kNotFinished);  // cut off mid-sample
            if (read == AVERROR_EOF) break;
            AvError::check(read, source_);
            route();
            av_packet_unref(packet_.get());
        }
        upright_.send(nullptr);
        deliverFrames();
        encoder_.encode(nullptr);
        for (const auto& carrier : carriers_)
            if (carrier) carrier->carry(nullptr);
        if (frames_ == 0) throw ReviewError(kNotFinished);
        movie_.finish();
    }

private:
    void route() {
        const int index = packet_->stream_index;
        if (index == video_.index) {
            lastCorrupt_ = packet_->flags & AV_PKT_FLAG_CORRUPT;
            upright_.send(packet_.get());
            deliverFrames();
        } else if (index >= 0 && static_cast<std::size_t>(index) < carriers_.size() && carriers_[index]) {
            carriers_[index]->carry(packet_.get());
        }
    }

    void deliverFrames() {
        while (upright_.receive(*frame_)) {
            hook_(*frame_, upright_.seconds(frame_->pts));
            frame_->pts -= shift_;
            frame_->pict_type = AV_PICTURE_TYPE_NONE;
            encoder_.encode(frame_.get());
            av_frame_unref(frame_.get());
            ++frames_;
        }
    }

    const std::filesystem::path& source_;
    AVFormatContext& format_;
    AVStream& video_;
    const MovieTranscoder::FrameHook& hook_;
    MovieWriter movie_;
    UprightVideo upright_;
    VideoEncoder encoder_;
    std::vector<std::unique_ptr<AudioCarrier>> carriers_;
    std::int64_t shift_;
    FramePtr frame_{av_frame_alloc()};
    PacketPtr packet_{av_packet_alloc()};
    std::int64_t frames_ = 0;
    bool lastCorrupt_ = false;  // the last video packet was damaged or partial
};

}  // namespace

MovieTranscoder::MovieTranscoder(const std::filesystem::path& source) : source_(source) {
    format_ = InputFile::open(source);
    video_ = InputFile::pictureStream(*format_);
    if (!video_ || video_->codecpar->width < 1 || video_->codecpar->height < 1 ||
        av_image_check_size2(video_->codecpar->width, video_->codecpar->height, kMaxVideoPixels, AV_PIX_FMT_NONE, 0,
                             nullptr) < 0)
        throw ReviewError(kNoExporter);
}

int MovieTranscoder::width() const {
    return quarterTurnsOf(video_) % 2 ? video_->codecpar->height : video_->codecpar->width;
}

int MovieTranscoder::height() const {
    return quarterTurnsOf(video_) % 2 ? video_->codecpar->width : video_->codecpar->height;
}

void MovieTranscoder::run(const std::filesystem::path& target, const FrameHook& hook, std::stop_token stop) {
    Pass(*format_, *video_, source_, target, hook).run(std::move(stop));
}

}  // namespace marrowick
