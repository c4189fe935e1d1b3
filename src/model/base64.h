// Standard base64 (RFC 4648 alphabet, with padding, no line breaks) for the project file's byte fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marrowick::Base64 {

// Appends the encoding of the bytes to out.
void append(std::string& out, const std::uint8_t* bytes, std::size_t count);
std::string encode(const std::vector<std::uint8_t>& bytes);

// Strict decoding: length a multiple of four, only alphabet characters, '=' only as one or two
// final padding characters. Returns nullopt for anything else.
std::optional<std::vector<std::uint8_t>> decode(std::string_view text);

}  // namespace marrowick::Base64
