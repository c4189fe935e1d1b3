// Linear probing over a power-of-two table at most half full.
#include "model/internal/uuid_table.h"

#include <bit>
#include <cstring>

namespace marrowick {
namespace {

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

}  // namespace

UuidTable::UuidTable(const Uuid* keys, std::size_t capacity)
    : keys_(keys),
      slots_(std::bit_ceil(capacity * 2 + 2), 0),
      mask_(slots_.size() - 1) {
    const Uuid seed = Uuid::random();
    seedHigh_ = half(seed, 0);
    seedLow_ = half(seed, 8);
}

std::size_t UuidTable::slotOf(const Uuid& id) const {
    return static_cast<std::size_t>(mix(half(id, 0) ^ seedHigh_) ^ mix(half(id, 8) ^ seedLow_)) & mask_;
}

bool UuidTable::insert(std::uint32_t position) {
    const Uuid& id = keys_[position];
    for (std::size_t slot = slotOf(id);; slot = (slot + 1) & mask_) {
        if (slots_[slot] == 0) {
            slots_[slot] = position + 1;
            return true;
        }
        if (keys_[slots_[slot] - 1] == id) return false;
    }
}

std::optional<std::uint32_t> UuidTable::find(const Uuid& id) const {
    for (std::size_t slot = slotOf(id);; slot = (slot + 1) & mask_) {
        if (slots_[slot] == 0) return std::nullopt;
        if (keys_[slots_[slot] - 1] == id) return slots_[slot] - 1;
    }
}

}  // namespace marrowick
