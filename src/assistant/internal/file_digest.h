// Streaming SHA-256 of a large file, cancellable between chunks.
#pragma once

#include <filesystem>
#include <stop_token>
#include <string>

namespace marrowick {

inline constexpr std::size_t kDigestChunkBytes = 4 * 1024 * 1024;

// Lower-case hexadecimal SHA-256 of the file, read in 4 MiB chunks. Throws ReviewError with the
// system's text when the file cannot be opened or read, and Cancelled before a chunk once `stop`
// is requested.
std::string fileSHA256(const std::filesystem::path& file, std::stop_token stop);

}  // namespace marrowick
