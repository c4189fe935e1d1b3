// Table-driven base64: three bytes to four characters and back, without per-character branches.
#include "model/base64.h"

#include <array>

namespace marrowick::Base64 {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::uint32_t kInvalid = 0xFFFFFFFF;

// Each character's six bits, pre-shifted to its position in a four-character group; kInvalid elsewhere.
struct DecodeTables {
    std::array<std::array<std::uint32_t, 256>, 4> shifted{};
    constexpr DecodeTables() {
        for (auto& table : shifted) table.fill(kInvalid);
        for (std::uint32_t value = 0; value < 64; ++value) {
            const auto c = static_cast<unsigned char>(kAlphabet[value]);
            for (std::uint32_t position = 0; position < 4; ++position)
                shifted[position][c] = value << (18 - 6 * position);
        }
    }
};
constexpr DecodeTables kTables;

std::uint32_t group(const char* text, std::size_t count) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t value = kTables.shifted[i][static_cast<unsigned char>(text[i])];
        if (value == kInvalid) return kInvalid;
        bits |= value;
    }
    return bits;
}

std::size_t paddingOf(std::string_view text) {
    if (text.empty() || text.back() != '=') return 0;
    return text[text.size() - 2] == '=' ? 2 : 1;
}

}  // namespace

void append(std::string& out, const std::uint8_t* bytes, std::size_t count) {
    const std::size_t start = out.size();
    out.resize(start + (count + 2) / 3 * 4);
    char* cursor = out.data() + start;
    std::size_t i = 0;
    for (; i + 3 <= count; i += 3, cursor += 4) {
        const std::uint32_t bits = (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
        cursor[0] = kAlphabet[bits >> 18];
        cursor[1] = kAlphabet[(bits >> 12) & 63];
        cursor[2] = kAlphabet[(bits >> 6) & 63];
        cursor[3] = kAlphabet[bits & 63];
    }
    if (i == count) return;
    const bool two = i + 2 == count;
    const std::uint32_t bits = (std::uint32_t{bytes[i]} << 16) | (two ? std::uint32_t{bytes[i + 1]} << 8 : 0);
    cursor[0] = kAlphabet[bits >> 18];
    cursor[1] = kAlphabet[(bits >> 12) & 63];
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
    for (std::size_t g = 0; g < fullGroups; ++g, out += 3) {
        const std::uint32_t bits = group(text.data() + 4 * g, 4);
        if (bits == kInvalid) return std::nullopt;
        out[0] = static_cast<std::uint8_t>(bits >> 16);
        out[1] = static_cast<std::uint8_t>(bits >> 8);
        out[2] = static_cast<std::uint8_t>(bits);
    }
    if (padding == 0) return bytes;
    const std::uint32_t bits = group(text.data() + 4 * fullGroups, 4 - padding);
    if (bits == kInvalid) return std::nullopt;
    out[0] = static_cast<std::uint8_t>(bits >> 16);
    if (padding == 1) out[1] = static_cast<std::uint8_t>(bits >> 8);
    return bytes;
}

}  // namespace marrowick::Base64
