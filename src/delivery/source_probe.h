// SourceProbe: what FFprobe reports about a media file's audio, video colour and timecode.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace marrowick {

struct SourceProbe {
    // One audio stream.
    struct Audio {
        std::string codec;            // empty when absent
        std::int64_t channels = 0;    // 0 when absent
        std::int64_t sampleRate = 0;  // Hz; 0 when absent or not a decimal integer
        friend bool operator==(const Audio&, const Audio&) = default;
    };

    std::vector<Audio> audio;           // every audio stream, in stream order
    std::string transfer = "unknown";   // of the first video stream, as FFprobe names them
    std::string primaries = "unknown";
    std::string matrix = "unknown";
    std::string range = "unknown";
    std::string pixelFormat;            // empty when absent
    std::optional<std::string> timecode;  // the first video stream's own "timecode" tag
    std::string json;                   // FFprobe's standard output, byte for byte

    // Runs `ffprobe -v error -show_streams -show_format -of json FILE` and reads its report.
    // Runner failures (cancellation, launch, non-zero exit) pass through unchanged.
    static SourceProbe read(const std::filesystem::path& file, const std::filesystem::path& ffprobe,
                            std::stop_token stop = {});

    // Reduces an FFprobe JSON report. Throws ReviewError with the parser's description when it is
    // not JSON, and "No FFmpeg-readable video stream." when it names no video stream.
    static SourceProbe parse(std::string json);

    friend bool operator==(const SourceProbe&, const SourceProbe&) = default;
};

}  // namespace marrowick
