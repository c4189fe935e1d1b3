// A flat open-addressing table from UUIDs to positions, for the identity checks of validation.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/uuid.h"

namespace marrowick {

// Keys live in the caller's array; the table stores positions into it. The hash is keyed with a
// random seed per table, so a file cannot be crafted to make every identifier collide.
class UuidTable {
public:
    // Prepares for up to `capacity` keys from `keys` (which must outlive the table).
    UuidTable(const Uuid* keys, std::size_t capacity);

    // Adds keys[position]; returns false when an equal key is already present.
    bool insert(std::uint32_t position);
    // Position of an equal key, if present.
    std::optional<std::uint32_t> find(const Uuid& id) const;

private:
    std::size_t slotOf(const Uuid& id) const;

    const Uuid* keys_;
    std::vector<std::uint32_t> slots_;  // position + 1; 0 is empty
    std::size_t mask_;
    std::uint64_t seedHigh_;
    std::uint64_t seedLow_;
};

}  // namespace marrowick
