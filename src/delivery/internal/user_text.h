// User-perceived text measures for preset names and keys: grapheme clusters, trimming, case folding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace marrowick::UserText {

// Number of extended grapheme clusters (user-perceived characters).
std::size_t characterCount(std::string_view utf8);

// The first `count` user-perceived characters.
std::string firstCharacters(std::string_view utf8, std::size_t count);

// The last `count` user-perceived characters.
std::string lastCharacters(std::string_view utf8, std::size_t count);

// The bytes as UTF-8, every invalid sequence replaced by U+FFFD.
std::string decodedUtf8(std::string_view bytes);

// Without leading and trailing Unicode space separators and horizontal tabs; line breaks stay.
std::string trimmed(std::string_view utf8);

// Case-folded form, for comparing names without regard to letter case.
std::string folded(std::string_view utf8);

// Lower-case form (locale-independent), for the stored normalised name.
std::string lowercased(std::string_view utf8);

}  // namespace marrowick::UserText
