// Case folding for the shot search: full Unicode case folding that follows the user's locale.
#pragma once

#include <memory>
#include <string>
#include <string_view>

struct UCaseMap;

namespace marrowick {

// Folds UTF-8 text so that a case-insensitive containment test is a plain substring search:
// full case folding (so "Straße" and "STRASSE" agree), Turkic dotted and dotless i where the
// locale asks for it, then canonical composition so composed and decomposed accents agree.
class TextFolding {
public:
    // `turkic` selects the Turkish and Azerbaijani treatment of I and İ.
    explicit TextFolding(bool turkic);
    ~TextFolding();
    TextFolding(TextFolding&&) noexcept;
    TextFolding& operator=(TextFolding&&) noexcept;

    // The folding of the user's current locale.
    static TextFolding forUserLocale();

    bool turkic() const { return turkic_; }
    // Invalid UTF-8 sequences fold to U+FFFD rather than failing.
    std::string fold(std::string_view text) const;

private:
    bool turkic_;
    std::unique_ptr<UCaseMap, void (*)(UCaseMap*)> caseMap_;
};

}  // namespace marrowick
