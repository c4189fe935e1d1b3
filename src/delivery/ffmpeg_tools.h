// Finding the user's FFmpeg and FFprobe executables.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marrowick {

// An ffmpeg executable and the ffprobe beside it.
struct FFmpegTools {
    std::filesystem::path ffmpeg;
    std::filesystem::path ffprobe;
    friend bool operator==(const FFmpegTools&, const FFmpegTools&) = default;
};

namespace MasteringExporter {

// Where ffmpeg is looked for, in order: the preferred path (when not empty), /usr/local/bin/ffmpeg,
// /usr/bin/ffmpeg, then "ffmpeg" in each folder of `searchPath` (colon-separated, like $PATH;
// empty and relative entries are skipped).
std::vector<std::filesystem::path> toolCandidates(const std::string& preferredPath, std::string_view searchPath);

// The pair when `ffmpeg` and the "ffprobe" in its folder are both executable regular files.
std::optional<FFmpegTools> toolsAt(const std::filesystem::path& ffmpeg);

// The first candidate pair that is complete, or nothing.
std::optional<FFmpegTools> tools(const std::vector<std::filesystem::path>& candidates);

// The first complete pair among the candidates for the preferred path (the "ffmpegPath"
// preference) and the process's $PATH, or nothing.
std::optional<FFmpegTools> tools(const std::string& preferredPath);

}  // namespace MasteringExporter
}  // namespace marrowick
