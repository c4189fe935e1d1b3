// Immutable byte blobs (thumbnails, feature prints, bookmarks) shared between project copies.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace marrowick {

// Null means absent; a non-null blob may be empty. Never mutated once made, so copies share it.
using Blob = std::shared_ptr<const std::vector<std::uint8_t>>;

inline Blob makeBlob(std::vector<std::uint8_t> bytes) {
    return std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
}

inline bool sameBytes(const Blob& a, const Blob& b) {
    if (!a || !b) return !a && !b;
    return a == b || *a == *b;
}

}  // namespace marrowick
