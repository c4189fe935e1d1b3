// The display copy's picture encoder: H.264 High at visually lossless quality for 8-bit sources,
// ProRes 422 HQ for deeper ones.
#pragma once

#include "analysis/av_handles.h"

namespace marrowick {

class MovieWriter;
class UprightVideo;

class VideoEncoder {
public:
    // The pixel format the encoder for a source of this pixel format takes.
    static AVPixelFormat pixelFormatFor(AVPixelFormat source);

    // Opens the encoder for the upright frames and adds its stream to the movie. Throws ReviewError
    // "Cannot create a video exporter for this source." when FFmpeg lacks the encoder, "MOV export
    // is unsupported for this source." when the movie cannot carry it, or FFmpeg's text.
    VideoEncoder(const AVStream& source, const UprightVideo& video, MovieWriter& movie);

    // Encodes one frame (times in the source track's time base), or flushes with nothing, and
    // writes every packet ready.
    void encode(const AVFrame* frame);

private:
    CodecPtr encoder_;
    MovieWriter& movie_;
    int streamIndex_ = 0;
    PacketPtr packet_{av_packet_alloc()};
};

}  // namespace marrowick
