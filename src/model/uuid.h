// 128-bit identifiers of projects, films and shots, in canonical 8-4-4-4-12 text.
#pragma once

#include <array>
#include <bit>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace marrowick {

class Uuid {
public:
    using Bytes = std::array<std::uint8_t, 16>;

    constexpr Uuid() = default;
    constexpr explicit Uuid(const Bytes& bytes) : bytes_(bytes) {}

    // A new version-4 (random) identifier.
    static Uuid random();
    // Reads canonical text in either letter case; nullopt for anything else.
    static std::optional<Uuid> parse(std::string_view text);

    // Canonical text in upper case, as written to files.
    std::string text() const;
    void appendText(std::string& out) const;
    const Bytes& bytes() const { return bytes_; }

    friend constexpr auto operator<=>(const Uuid&, const Uuid&) = default;
    // Two word compares instead of a byte-wise call: identities are compared in every hot loop.
    friend constexpr bool operator==(const Uuid& a, const Uuid& b) {
        using Words = std::array<std::uint64_t, 2>;
        return std::bit_cast<Words>(a.bytes_) == std::bit_cast<Words>(b.bytes_);
    }

private:
    Bytes bytes_{};
};

struct UuidHash {
    std::size_t operator()(const Uuid& id) const noexcept;
};

}  // namespace marrowick
