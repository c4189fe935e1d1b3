// The loudness outline of a film's sound for drawing under the timeline: the peak level of each
// short stretch of its first audio track, decoded with FFmpeg.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace marrowick {

struct AudioPeaks {
    static constexpr int kBucketsPerSecond = 20;

    // Peak level of each 1/kBucketsPerSecond of a second from the start of the track, 0 (silence)
    // to 255 (full scale), the loudest channel. Empty for a film without sound.
    std::vector<std::uint8_t> peaks;

    // Decodes the file's first audio track. Throws ReviewError when the file cannot be read and
    // Cancelled when `stop` is requested; a track that breaks off keeps the peaks read so far.
    static AudioPeaks read(const std::filesystem::path& file, std::stop_token stop = {});

    // Kept per source file in a cache folder as "<sha256>.peaks" (only for a lower-case hex
    // SHA-256); a missing, foreign or damaged file reads as nothing. Saving throws ReviewError
    // when the file cannot be written.
    static std::optional<AudioPeaks> load(const std::filesystem::path& folder, const std::string& sha256);
    void save(const std::filesystem::path& folder, const std::string& sha256) const;

    friend bool operator==(const AudioPeaks&, const AudioPeaks&) = default;
};

}  // namespace marrowick
