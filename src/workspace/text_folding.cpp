// Case folding over ICU's UTF-8 case map and NFC normaliser.
#include "workspace/text_folding.h"

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>
#include <unicode/ucasemap.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <QLocale>

namespace marrowick {
namespace {

UCaseMap* openCaseMap(bool turkic) {
    UErrorCode status = U_ZERO_ERROR;
    UCaseMap* map = ucasemap_open("", turkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT, &status);
    return U_SUCCESS(status) ? map : nullptr;
}

// Replaces ill-formed UTF-8 with U+FFFD so ICU never sees it (its case map refuses it).
std::string wellFormed(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::int32_t length = static_cast<std::int32_t>(text.size());
    std::int32_t index = 0;
    while (index < length) {
        const std::int32_t start = index;
        UChar32 c = 0;
        U8_NEXT(bytes, index, length, c);
        if (c < 0) {
            out += "\xEF\xBF\xBD";
            continue;
        }
        out.append(text.data() + start, static_cast<std::size_t>(index - start));
    }
    return out;
}

bool isAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::string foldAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

TextFolding::TextFolding(bool turkic) : turkic_(turkic), caseMap_(openCaseMap(turkic), ucasemap_close) {}
TextFolding::~TextFolding() = default;
TextFolding::TextFolding(TextFolding&&) noexcept = default;
TextFolding& TextFolding::operator=(TextFolding&&) noexcept = default;

TextFolding TextFolding::forUserLocale() {
    const QLocale::Language language = QLocale::system().language();
    return TextFolding(language == QLocale::Turkish || language == QLocale::Azerbaijani);
}

std::string TextFolding::fold(std::string_view text) const {
    // Plain ASCII (most names and notes) folds the same in every locale except for the Turkic I.
    if (isAscii(text) && !turkic_) return foldAscii(text);
    const std::string source = wellFormed(text);
    if (!caseMap_) return foldAscii(source);
    std::string folded(source.size() + source.size() / 2 + 16, '\0');
    UErrorCode status = U_ZERO_ERROR;
    std::int32_t length = ucasemap_utf8FoldCase(caseMap_.get(), folded.data(), static_cast<std::int32_t>(folded.size()),
                                                source.data(), static_cast<std::int32_t>(source.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        folded.assign(static_cast<std::size_t>(length), '\0');
        status = U_ZERO_ERROR;
        length = ucasemap_utf8FoldCase(caseMap_.get(), folded.data(), length, source.data(),
                                       static_cast<std::int32_t>(source.size()), &status);
    }
    if (U_FAILURE(status)) return source;
    folded.resize(static_cast<std::size_t>(length));

    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) return folded;
    std::string composed;
    icu::StringByteSink<std::string> sink(&composed);
    nfc->normalizeUTF8(0, icu::StringPiece(folded.data(), static_cast<std::int32_t>(folded.size())), sink, nullptr,
                       status);
    return U_SUCCESS(status) ? composed : folded;
}

}  // namespace marrowick
