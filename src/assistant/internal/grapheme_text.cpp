// Grapheme cluster boundaries with ICU's character break iterator over UTF-8 text.
#include "assistant/internal/grapheme_text.h"

#include <memory>

#include <unicode/brkiter.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

namespace marrowick {
namespace {

// The byte offset just past the first `limit` clusters.
std::size_t prefixBytes(std::string_view utf8, std::size_t limit) {
    if (utf8.size() <= limit) return utf8.size();  // a cluster takes at least one byte
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UText, decltype(&utext_close)> text(
        utext_openUTF8(nullptr, utf8.data(), static_cast<int64_t>(utf8.size()), &status), &utext_close);
    const std::unique_ptr<icu::BreakIterator> breaks(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status)) return utf8.size();
    breaks->setText(text.get(), status);
    if (U_FAILURE(status)) return utf8.size();
    std::size_t clusters = 0;
    int32_t end = 0;
    for (int32_t at = breaks->next(); at != icu::BreakIterator::DONE && clusters < limit; at = breaks->next()) {
        end = at;
        ++clusters;
    }
    return clusters < limit ? utf8.size() : static_cast<std::size_t>(end);
}

}  // namespace

std::string graphemePrefix(std::string_view utf8, std::size_t limit) {
    return std::string(utf8.substr(0, prefixBytes(utf8, limit)));
}

bool fitsGraphemes(std::string_view utf8, std::size_t limit) { return prefixBytes(utf8, limit) == utf8.size(); }

bool validUTF8(std::string_view bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const auto length = static_cast<int32_t>(bytes.size());
    for (int32_t at = 0; at < length;) {
        UChar32 c = 0;
        U8_NEXT(data, at, length, c);
        if (c < 0) return false;
    }
    return true;
}

}  // namespace marrowick
