// A QuickTime movie written under a temporary name beside its target and moved into place only
// when complete, so the target never holds a partial movie.
#pragma once

#include <filesystem>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace marrowick {

// What the writer and the encoder say when the source cannot go into a QuickTime movie.
inline constexpr const char* kMovUnsupported = "MOV export is unsupported for this source.";

class MovieWriter {
public:
    // Prepares the movie (no file yet). Throws ReviewError "MOV export is unsupported for this
    // source." when FFmpeg has no QuickTime muxer.
    explicit MovieWriter(std::filesystem::path target);
    // Removes the temporary file unless finish() succeeded.
    ~MovieWriter();
    MovieWriter(const MovieWriter&) = delete;
    MovieWriter& operator=(const MovieWriter&) = delete;

    const std::filesystem::path& target() const { return target_; }

    // Whether the movie can carry a stream of this codec.
    bool accepts(AVCodecID codec) const;
    // Whether encoders feeding this movie must put their parameter sets in the stream header.
    bool wantsGlobalHeader() const;

    // A new stream taking the encoder's parameters (its time base as the hint), or a copy of a
    // source stream's parameters. Before start() only.
    AVStream* addStream(const AVCodecContext& encoder);
    AVStream* addStream(const AVStream& source);

    // Creates the temporary file and writes the header (the index is moved to the front at the
    // end, for playback while downloading). Throws ReviewError with the system's text.
    void start();
    // Writes one packet whose stream_index is set and whose times are in `base`; takes its data.
    void write(AVPacket& packet, AVRational base);
    // Sends a frame (nothing flushes) to an encoder and writes every packet it has ready to the
    // stream, using `packet` as scratch.
    void encode(AVCodecContext& encoder, const AVFrame* frame, int streamIndex, AVPacket& packet);
    // Writes the index, flushes the file to disk and renames it over the target.
    void finish();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    AVFormatContext* format_ = nullptr;
    bool opened_ = false;
    bool finished_ = false;
};

}  // namespace marrowick
