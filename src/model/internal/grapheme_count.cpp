// Grapheme cluster counting with ICU's character break iterator.
#include "model/internal/grapheme_count.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

namespace marrowick {

std::size_t graphemeCount(std::string_view utf8) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::BreakIterator> breaks(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    if (U_FAILURE(status) || !breaks) return static_cast<std::size_t>(text.countChar32());
    breaks->setText(text);
    std::size_t count = 0;
    for (int32_t at = breaks->next(); at != icu::BreakIterator::DONE; at = breaks->next()) ++count;
    return count;
}

// Code points of UTF-8 text: every byte that does not continue a sequence starts one.
std::size_t codePointCount(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool graphemeCountAtMost(std::string_view utf8, std::size_t limit) {
    // A cluster holds at least one code point, and a code point at least one byte.
    if (utf8.size() <= limit || codePointCount(utf8) <= limit) return true;
    return graphemeCount(utf8) <= limit;
}

}  // namespace marrowick
