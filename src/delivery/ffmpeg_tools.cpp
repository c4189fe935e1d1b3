// The search for the user's FFmpeg and FFprobe.
#include "delivery/ffmpeg_tools.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace marrowick::MasteringExporter {
namespace {

bool isExecutableFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::filesystem::path> toolCandidates(const std::string& preferredPath, std::string_view searchPath) {
    std::vector<std::filesystem::path> candidates;
    if (!preferredPath.empty()) candidates.emplace_back(preferredPath);
    candidates.emplace_back("/usr/local/bin/ffmpeg");
    candidates.emplace_back("/usr/bin/ffmpeg");
    while (!searchPath.empty()) {
        const std::size_t colon = searchPath.find(':');
        const std::filesystem::path folder(searchPath.substr(0, colon));
        searchPath.remove_prefix(colon == std::string_view::npos ? searchPath.size() : colon + 1);
        if (folder.is_absolute()) candidates.push_back(folder / "ffmpeg");
    }
    return candidates;
}

std::optional<FFmpegTools> toolsAt(const std::filesystem::path& ffmpeg) {
    const std::filesystem::path ffprobe = ffmpeg.parent_path() / "ffprobe";
    if (!isExecutableFile(ffmpeg) || !isExecutableFile(ffprobe)) return std::nullopt;
    return FFmpegTools{ffmpeg, ffprobe};
}

std::optional<FFmpegTools> tools(const std::vector<std::filesystem::path>& candidates) {
    for (const std::filesystem::path& candidate : candidates)
        if (std::optional<FFmpegTools> found = toolsAt(candidate)) return found;
    return std::nullopt;
}

std::optional<FFmpegTools> tools(const std::string& preferredPath) {
    const char* searchPath = std::getenv("PATH");
    return tools(toolCandidates(preferredPath, searchPath != nullptr ? searchPath : ""));
}

}  // namespace marrowick::MasteringExporter
