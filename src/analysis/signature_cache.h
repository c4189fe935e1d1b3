// Frame keys of films kept between runs, one file per film fingerprint, in the user's cache folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "analysis/film_signatures.h"

namespace marrowick {

class SignatureCache {
public:
    // $XDG_CACHE_HOME/Marrowick/signatures, or ~/.cache/Marrowick/signatures.
    static std::filesystem::path defaultFolder();

    explicit SignatureCache(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // The keys stored for a fingerprint (64 hex digits); nothing when absent, unreadable or damaged.
    std::optional<FilmKeys> load(const std::string& fingerprint) const;
    // Stores the keys; a cache that cannot be written is left alone (it only saves time).
    void store(const std::string& fingerprint, const FilmKeys& keys) const;

    // The file of a fingerprint; nothing for text that is not a fingerprint.
    std::optional<std::filesystem::path> fileOf(const std::string& fingerprint) const;

private:
    std::filesystem::path folder_;
};

// The cache file's bytes and back: "MWSK", version 1, the rate, the frame count, then per frame
// its time (8 bytes) and its key (72 bytes); little-endian. decodeKeys gives nothing for bytes
// that are not such a file.
std::string encodeKeys(const FilmKeys& keys);
std::optional<FilmKeys> decodeKeys(std::string_view bytes);

}  // namespace marrowick
