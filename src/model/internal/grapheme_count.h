// Length of text in user-perceived characters (Unicode extended grapheme clusters).
#pragma once

#include <cstddef>
#include <string_view>

namespace marrowick {

// Counts the grapheme clusters of UTF-8 text; invalid bytes count as one replacement character each.
std::size_t graphemeCount(std::string_view utf8);

// Whether the text has at most `limit` grapheme clusters; short texts are answered without ICU.
bool graphemeCountAtMost(std::string_view utf8, std::size_t limit);

}  // namespace marrowick
