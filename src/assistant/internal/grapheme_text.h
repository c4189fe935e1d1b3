// Cutting and measuring text in user-perceived characters (extended grapheme clusters).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace marrowick {

// The first `limit` grapheme clusters of UTF-8 text (all of it when it has no more).
std::string graphemePrefix(std::string_view utf8, std::size_t limit);

// Whether the UTF-8 text has at most `limit` grapheme clusters.
bool fitsGraphemes(std::string_view utf8, std::size_t limit);

// Whether the bytes are well-formed UTF-8.
bool validUTF8(std::string_view bytes);

}  // namespace marrowick
