// Decoding a film's first audio track into peak levels, and the peaks' cache file.
#include "analysis/audio_peaks.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

extern "C" {
#include <libavutil/samplefmt.h>
}

#include "analysis/av_error.h"
#include "analysis/input_file.h"
#include "analysis/av_handles.h"
#include "analysis/ffmpeg_log.h"
#include "model/atomic_file.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

constexpr char kPeaksMagic[8] = {'M', 'W', 'P', 'E', 'A', 'K', 'S', '1'};
// Two hours at 20 a second are 144,000 peaks; a cache file claiming far more is damaged.
constexpr std::uint64_t kMaxCachedPeaks = 100ULL * 3600 * AudioPeaks::kBucketsPerSecond;

// Only a SHA-256 digest names a cache file: project text never reaches a path.
bool digest(const std::string& sha256) {
    return sha256.size() == 64 &&
           std::all_of(sha256.begin(), sha256.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// The magnitude of one sample in full scale (1.0), whatever the decoder's sample format.
double magnitude(const std::uint8_t* data, AVSampleFormat format, std::size_t index) {
    switch (av_get_packed_sample_fmt(format)) {
        case AV_SAMPLE_FMT_U8: return std::abs((data[index] - 128) / 128.0);
        case AV_SAMPLE_FMT_S16: {
            std::int16_t value;
            std::memcpy(&value, data + index * 2, 2);
            return std::abs(value / 32768.0);
        }
        case AV_SAMPLE_FMT_S32: {
            std::int32_t value;
            std::memcpy(&value, data + index * 4, 4);
            return std::abs(value / 2147483648.0);
        }
        case AV_SAMPLE_FMT_FLT: {
            float value;
            std::memcpy(&value, data + index * 4, 4);
            return std::isfinite(value) ? std::abs(double(value)) : 0.0;
        }
        case AV_SAMPLE_FMT_DBL: {
            double value;
            std::memcpy(&value, data + index * 8, 8);
            return std::isfinite(value) ? std::abs(value) : 0.0;
        }
        default: return 0;
    }
}

// Folds decoded frames into one peak per bucket of samples.
class PeakFolder {
public:
    explicit PeakFolder(int sampleRate) : bucketSamples_(std::max(1, sampleRate / AudioPeaks::kBucketsPerSecond)) {}

    void add(const AVFrame& frame) {
        const auto format = static_cast<AVSampleFormat>(frame.format);
        const int channels = frame.ch_layout.nb_channels;
        const bool planar = av_sample_fmt_is_planar(format);
        for (int i = 0; i < frame.nb_samples; ++i) {
            double loudest = 0;
            for (int c = 0; c < channels; ++c) {
                const std::uint8_t* plane = planar ? frame.extended_data[c] : frame.extended_data[0];
                const auto index = static_cast<std::size_t>(planar ? i : i * channels + c);
                loudest = std::max(loudest, magnitude(plane, format, index));
            }
            peak_ = std::max(peak_, loudest);
            if (++filled_ == bucketSamples_) flush();
        }
    }

    std::vector<std::uint8_t> finish() {
        if (filled_ > 0) flush();
        return std::move(peaks_);
    }

private:
    void flush() {
        peaks_.push_back(static_cast<std::uint8_t>(std::lround(std::min(1.0, peak_) * 255)));
        peak_ = 0;
        filled_ = 0;
    }

    int bucketSamples_;
    int filled_ = 0;
    double peak_ = 0;
    std::vector<std::uint8_t> peaks_;
};

struct AudioTrack {
    InputFormatPtr format;
    CodecPtr codec;
    int index = -1;
};

// Nothing in `index` when the file has no audio track.
AudioTrack openAudio(const std::filesystem::path& file) {
    AudioTrack track;
    track.format = InputFile::open(file);
    AVFormatContext* raw = track.format.get();
    const AVCodec* decoder = nullptr;
    track.index = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (track.index < 0 || !decoder) {
        track.index = -1;
        return track;
    }
    InputFile::discardAllBut(*raw, *raw->streams[track.index]);
    track.codec.reset(avcodec_alloc_context3(decoder));
    if (!track.codec) throw ReviewError::about(file, AvError::text(AVERROR(ENOMEM)));
    FfmpegLog::nameDecoder(*track.codec, file);
    AvError::check(avcodec_parameters_to_context(track.codec.get(), raw->streams[track.index]->codecpar), file);
    AvError::check(avcodec_open2(track.codec.get(), decoder, nullptr), file);
    return track;
}

void drain(AVCodecContext* codec, AVFrame* frame, PeakFolder& folder) {
    while (avcodec_receive_frame(codec, frame) >= 0) {
        folder.add(*frame);
        av_frame_unref(frame);
    }
}

}  // namespace

AudioPeaks AudioPeaks::read(const std::filesystem::path& file, std::stop_token stop) {
    AudioTrack track = openAudio(file);
    if (track.index < 0 || track.codec->sample_rate <= 0) return {};
    PeakFolder folder(track.codec->sample_rate);
    PacketPtr packet(av_packet_alloc());
    FramePtr frame(av_frame_alloc());
    if (!packet || !frame) throw ReviewError::about(file, AvError::text(AVERROR(ENOMEM)));
    // A read error ends the track where it broke off: the outline of what was read still helps.
    while (InputFile::readPacket(*track.format, *packet) >= 0) {
        if (stop.stop_requested()) throw Cancelled();
        if (packet->stream_index == track.index && avcodec_send_packet(track.codec.get(), packet.get()) >= 0)
            drain(track.codec.get(), frame.get(), folder);
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(track.codec.get(), nullptr);
    drain(track.codec.get(), frame.get(), folder);
    return {folder.finish()};
}

std::optional<AudioPeaks> AudioPeaks::load(const std::filesystem::path& folder, const std::string& sha256) {
    if (!digest(sha256)) return std::nullopt;
    std::ifstream in(folder / (sha256 + ".peaks"), std::ios::binary);
    char magic[sizeof kPeaksMagic];
    std::uint64_t count = 0;
    if (!in.read(magic, sizeof magic) || std::memcmp(magic, kPeaksMagic, sizeof kPeaksMagic) != 0) return std::nullopt;
    if (!in.read(reinterpret_cast<char*>(&count), sizeof count) || count > kMaxCachedPeaks) return std::nullopt;
    AudioPeaks result;
    result.peaks.resize(count);
    if (!in.read(reinterpret_cast<char*>(result.peaks.data()), static_cast<std::streamsize>(count))) return std::nullopt;
    if (in.peek() != std::char_traits<char>::eof()) return std::nullopt;
    return result;
}

void AudioPeaks::save(const std::filesystem::path& folder, const std::string& sha256) const {
    if (!digest(sha256)) return;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::string bytes(kPeaksMagic, sizeof kPeaksMagic);
    const std::uint64_t count = peaks.size();
    bytes.append(reinterpret_cast<const char*>(&count), sizeof count);
    bytes.append(peaks.begin(), peaks.end());
    writeFileAtomically(folder / (sha256 + ".peaks"), bytes);
}

}  // namespace marrowick
