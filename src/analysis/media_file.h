// A media file opened for decoding its first video track: timing, upright size, frames in order.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

struct AVFrame;
struct AVStream;

namespace marrowick {

// Pictures above this many pixels are refused before any decoding (hostile headers).
inline constexpr std::int64_t kMaxVideoPixels = 8192LL * 8192LL;

struct VideoTrackInfo {
    double duration = 0;   // seconds; 0 when the file does not say
    double fps = 0;        // nominal (average) frame rate; 0 when unknown
    int width = 0;         // display size after rotation (a portrait phone clip is taller than wide)
    int height = 0;
    int quarterTurns = 0;  // clockwise quarter turns that make the stored picture upright (0..3)
    std::string timecode;  // the "timecode" tag of the video stream, else of the file or a timecode track
};

// Clockwise quarter turns that make a stream's stored picture upright, from its display matrix.
int quarterTurnsOf(const AVStream* stream);

class MediaFile {
public:
    struct Options {
        // Skip the in-loop deblocking filter: a small, invisible change once frames are
        // shrunk to a few dozen pixels, and a large saving on high-resolution sources.
        bool fastDecode = false;
    };

    // Opens the file and its first video track. Throws ReviewError with FFmpeg's text when the
    // file cannot be opened or decoded, or "No video track in <name>." when there is none.
    explicit MediaFile(const std::filesystem::path& path, Options options);
    explicit MediaFile(const std::filesystem::path& path) : MediaFile(path, Options{}) {}
    ~MediaFile();
    MediaFile(const MediaFile&) = delete;
    MediaFile& operator=(const MediaFile&) = delete;

    const VideoTrackInfo& info() const;

    // The next decoded picture in presentation order, stored orientation, in the decoder's own
    // pixel format; valid until the next call. Null at the end of the stream; throws ReviewError
    // on a read failure. frameTime() is its time in seconds from the stream's start (NaN only
    // for a frame without any time right after a seek).
    const AVFrame* nextFrame();
    double frameTime() const;

    // Damaged packets or pictures met so far (concealed by the decoder or skipped), and frames
    // whose time was missing or out of order (see FrameClock). Reading that stops with an error
    // before the end throws "<file>: reading stopped at <t> s of <d> s (<reason>)."
    std::int64_t damagedFrames() const;
    std::int64_t retimedFrames() const;

    // Moves the reader to the key frame at or before the time; nextFrame() continues from there.
    void seek(double seconds);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace marrowick
