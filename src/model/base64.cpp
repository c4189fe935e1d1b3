// Table-driven base64. Encoding turns each twelve bits into two characters with one table look-up;
// decoding adds pre-shifted six-bit values and checks for bad characters once, at the end, so
// neither loop branches per character.
#include "model/base64.h"

#include <array>
#include <cstring>

namespace marrowick::Base64 {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The two characters of every twelve-bit value.
constexpr std::array<std::array<char, 2>, 4096> kPairs = [] {
    std::array<std::array<char, 2>, 4096> pairs{};
    for (std::size_t value = 0; value < 4096; ++value) pairs[value] = {kAlphabet[value >> 6], kAlphabet[value & 63]};
    return pairs;
}();

// Bit 31 marks a character outside the alphabet; it survives every OR of a decoding pass.
constexpr std::uint32_t kBad = 0x80000000;

// Each character's six bits, already shifted to its place in a four-character group.
struct DecodeTables {
    std::array<std::array<std::uint32_t, 256>, 4> shifted{};
    constexpr DecodeTables() {
        for (auto& table : shifted) table.fill(kBad);
        for (std::uint32_t value = 0; value < 64; ++value) {
            const auto c = static_cast<unsigned char>(kAlphabet[value]);
            for (std::uint32_t position = 0; position < 4; ++position)
                shifted[position][c] = value << (18 - 6 * position);
        }
    }
};
constexpr DecodeTables kTables;

std::uint32_t sixBits(const char* text, std::size_t position) {
    return kTables.shifted[position][static_cast<unsigned char>(text[position])];
}

std::uint32_t fullGroup(const char* text) {
    return sixBits(text, 0) | sixBits(text, 1) | sixBits(text, 2) | sixBits(text, 3);
}

std::uint32_t group(const char* text, std::size_t count) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < count; ++i) bits |= sixBits(text, i);
    return bits;
}

std::size_t paddingOf(std::string_view text) {
    if (text.empty() || text.back() != '=') return 0;
    return text[text.size() - 2] == '=' ? 2 : 1;
}

void putPair(char* out, std::uint32_t twelveBits) { std::memcpy(out, kPairs[twelveBits].data(), 2); }

}  // namespace

void append(std::string& out, const std::uint8_t* bytes, std::size_t count) {
    const std::size_t start = out.size();
    out.resize(start + (count + 2) / 3 * 4);
    char* cursor = out.data() + start;
    std::size_t i = 0;
    for (; i + 3 <= count; i += 3, cursor += 4) {
        const std::uint32_t bits = (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
        putPair(cursor, bits >> 12);
        putPair(cursor + 2, bits & 0xFFF);
    }
    if (i == count) return;
    const bool two = i + 2 == count;
    const std::uint32_t bits = (std::uint32_t{bytes[i]} << 16) | (two ? std::uint32_t{bytes[i + 1]} << 8 : 0);
    putPair(cursor, bits >> 12);
    cursor[2] = two ? kAlphabet[(bits >> 6) & 63] : '=';
    cursor[3] = '=';
}

std::string encode(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    append(out, bytes.data(), bytes.size());
    return out;
}

std::optional<std::vector<std::uint8_t>> decode(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    const std::size_t padding = paddingOf(text);
    std::vector<std::uint8_t> bytes(text.size() / 4 * 3 - padding);
    const std::size_t fullGroups = padding == 0 ? text.size() / 4 : text.size() / 4 - 1;
    std::uint8_t* out = bytes.data();
    std::uint32_t seen = 0;
    for (std::size_t g = 0; g < fullGroups; ++g, out += 3) {
        const std::uint32_t bits = fullGroup(text.data() + 4 * g);
        seen |= bits;
        out[0] = static_cast<std::uint8_t>(bits >> 16);
        out[1] = static_cast<std::uint8_t>(bits >> 8);
        out[2] = static_cast<std::uint8_t>(bits);
    }
    if (padding != 0) {
        const std::uint32_t bits = group(text.data() + 4 * fullGroups, 4 - padding);
        seen |= bits;
        out[0] = static_cast<std::uint8_t>(bits >> 16);
        if (padding == 1) out[1] = static_cast<std::uint8_t>(bits >> 8);
    }
    if (seen & kBad) return std::nullopt;
    return bytes;
}

}  // namespace marrowick::Base64
