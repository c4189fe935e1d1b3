// Grapheme clusters, trimming and case folding with ICU.
#include "delivery/internal/user_text.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <memory>

namespace marrowick::UserText {
namespace {

icu::UnicodeString unicode(std::string_view utf8) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
}

std::string utf8Text(const icu::UnicodeString& text) {
    std::string result;
    text.toUTF8String(result);
    return result;
}

// Calls `boundary` with each grapheme boundary after the start, until it returns false.
template <typename Visit>
void forEachBoundary(const icu::UnicodeString& text, Visit boundary) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> iterator(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !iterator) {
        // Without break data every code point counts as one character.
        for (std::int32_t index = 0; index < text.length();) {
            index = text.moveIndex32(index, 1);
            if (!boundary(index)) return;
        }
        return;
    }
    iterator->setText(text);
    iterator->first();
    for (std::int32_t index = iterator->next(); index != icu::BreakIterator::DONE; index = iterator->next())
        if (!boundary(index)) return;
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isTrimmed(UChar32 c) {
    return c == '\t' || u_charType(c) == U_SPACE_SEPARATOR;
}

}  // namespace

std::size_t characterCount(std::string_view utf8) {
    // ASCII needs no break iterator: every byte is one character, except that CR LF is one.
    if (isAscii(utf8)) {
        std::size_t pairs = 0;
        for (std::size_t at = utf8.find("\r\n"); at != std::string_view::npos; at = utf8.find("\r\n", at + 2)) ++pairs;
        return utf8.size() - pairs;
    }
    std::size_t count = 0;
    forEachBoundary(unicode(utf8), [&count](std::int32_t) {
        ++count;
        return true;
    });
    return count;
}

std::string firstCharacters(std::string_view utf8, std::size_t count) {
    const icu::UnicodeString text = unicode(utf8);
    std::int32_t end = 0;
    std::size_t taken = 0;
    forEachBoundary(text, [&](std::int32_t index) {
        if (taken == count) return false;
        end = index;
        return ++taken < count;
    });
    return utf8Text(text.tempSubStringBetween(0, end));
}

std::string lastCharacters(std::string_view utf8, std::size_t count) {
    const std::size_t total = characterCount(utf8);
    if (total <= count) return decodedUtf8(utf8);
    const icu::UnicodeString text = unicode(utf8);
    std::int32_t start = 0;
    std::size_t skipped = 0;
    forEachBoundary(text, [&](std::int32_t index) {
        start = index;
        return ++skipped < total - count;
    });
    return utf8Text(text.tempSubString(start));
}

std::string decodedUtf8(std::string_view bytes) {
    if (isAscii(bytes)) return std::string(bytes);
    return utf8Text(unicode(bytes));
}

std::string trimmed(std::string_view utf8) {
    const icu::UnicodeString text = unicode(utf8);
    std::int32_t start = 0;
    std::int32_t end = text.length();
    while (start < end && isTrimmed(text.char32At(start))) start = text.moveIndex32(start, 1);
    while (end > start) {
        const std::int32_t previous = text.moveIndex32(end, -1);
        if (!isTrimmed(text.char32At(previous))) break;
        end = previous;
    }
    return utf8Text(text.tempSubStringBetween(start, end));
}

std::string folded(std::string_view utf8) {
    icu::UnicodeString text = unicode(utf8);
    text.foldCase();
    return utf8Text(text);
}

std::string lowercased(std::string_view utf8) {
    icu::UnicodeString text = unicode(utf8);
    text.toLower(icu::Locale::getRoot());
    return utf8Text(text);
}

}  // namespace marrowick::UserText
