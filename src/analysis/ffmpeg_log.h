// FFmpeg's log, routed once for the whole process: only errors and worse are kept, and each line
// names the film it is about when the logging context is one the program opened for that film.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

struct AVCodecContext;

namespace marrowick::FfmpegLog {

// Receives one finished line without its newline: "<file name>: [h264 @ 0x…] <message>", or
// the library's line alone when the context names no file.
using Sink = std::function<void(const std::string& line)>;

// Routes FFmpeg's log through this module; the first call does it, later calls do nothing.
void install();

// Where lines go; an empty sink restores the default, standard error as "<program>: <line>".
void setSink(Sink sink);

// Lines logged by `context` (an AVFormatContext or any other FFmpeg object with a log class) name
// `file` until the context is forgotten.
void name(const void* context, const std::filesystem::path& file);

// As name(), and also for the copies a threaded decoder makes of `codec` for its worker threads:
// the codec's opaque pointer is set to the codec itself, which the copies carry. Call before
// avcodec_open2.
void nameDecoder(AVCodecContext& codec, const std::filesystem::path& file);

// Drops the name of a context once it is freed (a threaded decoder's workers may log until then);
// the address is only a key. Nothing happens for a context never named.
void forget(const void* context);

// While it lives, a line this thread logs from a context without a name of its own takes the name
// of `format`: libavformat's parsers and probing decoders inside a file being read log from
// contexts the program never sees, on the thread that reads.
class Reading {
public:
    explicit Reading(const void* format);
    ~Reading();
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

private:
    const void* previous_;
};

}  // namespace marrowick::FfmpegLog
