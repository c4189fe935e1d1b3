// A flat open-addressing table from UUIDs to positions, for the identity checks of validation.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "model/uuid.h"

namespace marrowick {

// The table holds positions, not keys: a slot is 4 bytes (a 14-bit hash tag and the position), so
// 200,000 identifiers fit in 2 MB. The caller's keyAt(position) gives the key back when a tag
// matches. The hash is keyed with a random seed per table, so a file cannot be crafted to make
// every identifier collide.
class UuidTable {
public:
    static constexpr std::uint32_t kMaxPositions = (1u << 18) - 2;
    using KeyAt = std::function<const Uuid&(std::uint32_t position)>;

    // Prepares for up to `capacity` keys (at most kMaxPositions).
    UuidTable(std::size_t capacity, KeyAt keyAt);

    // Adds the key at `position`; returns false when an equal key is already present.
    bool insert(const Uuid& id, std::uint32_t position);
    // Position of an equal key, if present.
    std::optional<std::uint32_t> find(const Uuid& id) const;
    // Starts fetching the slot of a key that will be inserted or looked up shortly.
    void prefetch(const Uuid& id) const { __builtin_prefetch(&slots_[hashOf(id) & mask_]); }

private:
    std::uint64_t hashOf(const Uuid& id) const;

    KeyAt keyAt_;
    std::vector<std::uint32_t> slots_;  // tag << 18 | (position + 1); 0 is an empty slot
    std::size_t mask_;
    std::uint64_t seedHigh_;
    std::uint64_t seedLow_;
};

}  // namespace marrowick
