// The SHA-256 fingerprint that proves a source file is still the reviewed one.
#pragma once

#include <filesystem>
#include <stop_token>
#include <string>
#include <string_view>

namespace marrowick::FileFingerprint {

// Lower-case hexadecimal SHA-256 of the file's bytes (64 characters), read in 1 MiB chunks.
// Throws ReviewError when the file cannot be opened or read, Cancelled before any chunk once a
// stop is requested.
std::string sha256(const std::filesystem::path& path, std::stop_token stop = {});

// Lower-case hexadecimal SHA-256 of bytes in memory.
std::string sha256Of(std::string_view bytes);

}  // namespace marrowick::FileFingerprint
