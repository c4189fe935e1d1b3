// Linear probing over a power-of-two table at most half full.
#include "model/internal/uuid_table.h"

#include <bit>
#include <cassert>
#include <cstring>

namespace marrowick {
namespace {

constexpr unsigned kPositionBits = 18;
constexpr std::uint32_t kPositionMask = (1u << kPositionBits) - 1;

std::uint64_t half(const Uuid& id, std::size_t offset) {
    std::uint64_t value = 0;
    std::memcpy(&value, id.bytes().data() + offset, 8);
    return value;
}

std::uint64_t mix(std::uint64_t value) {
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCDULL;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53ULL;
    value ^= value >> 33;
    return value;
}

// The top bits of the hash, which the slot index (the low bits) does not use.
std::uint32_t tagOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 50) << kPositionBits; }

}  // namespace

UuidTable::UuidTable(std::size_t capacity, KeyAt keyAt)
    : keyAt_(std::move(keyAt)), slots_(std::bit_ceil(capacity * 2 + 2), 0), mask_(slots_.size() - 1) {
    assert(capacity <= kMaxPositions);
    const Uuid seed = Uuid::random();
    seedHigh_ = half(seed, 0);
    seedLow_ = half(seed, 8);
}

std::uint64_t UuidTable::hashOf(const Uuid& id) const {
    return mix(half(id, 0) ^ seedHigh_) ^ mix(half(id, 8) ^ seedLow_);
}

bool UuidTable::insert(const Uuid& id, std::uint32_t position) {
    const std::uint64_t hash = hashOf(id);
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
        const std::uint32_t entry = slots_[slot];
        if (entry == 0) {
            slots_[slot] = tag | (position + 1);
            return true;
        }
        if ((entry & ~kPositionMask) == tag && keyAt_((entry & kPositionMask) - 1) == id) return false;
    }
}

std::optional<std::uint32_t> UuidTable::find(const Uuid& id) const {
    const std::uint64_t hash = hashOf(id);
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
        const std::uint32_t entry = slots_[slot];
        if (entry == 0) return std::nullopt;
        const std::uint32_t position = (entry & kPositionMask) - 1;
        if ((entry & ~kPositionMask) == tag && keyAt_(position) == id) return position;
    }
}

}  // namespace marrowick
