// Carries one audio track of the source into the display copy: copied when the movie accepts its
// codec, otherwise decoded and stored as PCM, which loses nothing.
#pragma once

#include <cstdint>
#include <filesystem>

#include "analysis/av_handles.h"

extern "C" {
#include <libswresample/swresample.h>
}

namespace marrowick {

class MovieWriter;

class AudioCarrier {
public:
    // Adds the track's stream to the movie. `shift` is subtracted from every time (track's base).
    // Throws ReviewError with FFmpeg's text when the track can neither be copied nor decoded.
    // Failures name the source file.
    AudioCarrier(const AVStream& source, std::int64_t shift, std::filesystem::path file, MovieWriter& movie);
    ~AudioCarrier();
    AudioCarrier(const AudioCarrier&) = delete;
    AudioCarrier& operator=(const AudioCarrier&) = delete;

    // Whether a codec is one a QuickTime movie carries as it is.
    static bool copies(AVCodecID codec);

    // One packet of the track (times in the track's base), or nothing at the end of the stream.
    void carry(AVPacket* packet);

private:
    void openTranscoder(const AVStream& source);
    void convertDecoded();
    void encode(const AVFrame* frame);

    int check(int code) const;

    std::filesystem::path file_;
    AVRational sourceBase_;
    std::int64_t shift_;
    MovieWriter& movie_;
    int streamIndex_ = 0;
    CodecPtr decoder_;  // both null when copying
    CodecPtr encoder_;
    SwrContext* resampler_ = nullptr;
    FramePtr decoded_{av_frame_alloc()};
    FramePtr converted_{av_frame_alloc()};
    PacketPtr packet_{av_packet_alloc()};
    std::int64_t nextSample_ = AV_NOPTS_VALUE;  // in samples, for frames without a time
};

}  // namespace marrowick
