// Grapheme cluster counting with ICU's character break iterator.
#include "model/internal/grapheme_count.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

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

bool graphemeCountAtMost(std::string_view utf8, std::size_t limit) {
    // A cluster holds at least one byte, so text of at most `limit` bytes cannot have more clusters.
    if (utf8.size() <= limit) return true;
    return graphemeCount(utf8) <= limit;
}

}  // namespace marrowick
