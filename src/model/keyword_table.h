// A fixed table between an enum's values and the words that stand for them in settings, files and
// on the command line, read in both directions.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace marrowick {

template <class Enum, std::size_t N>
struct KeywordTable {
    std::array<std::pair<Enum, std::string_view>, N> entries;

    // The word of `value`; nothing for a value the table leaves out.
    constexpr std::optional<std::string_view> find(Enum value) const {
        for (const auto& [known, text] : entries)
            if (known == value) return text;
        return std::nullopt;
    }

    // The word of `value` (the first entry's for a value the table leaves out).
    constexpr std::string_view word(Enum value) const { return find(value).value_or(entries.front().second); }

    // The value `text` stands for, exactly as written; nothing for any other text.
    constexpr std::optional<Enum> parse(std::string_view text) const {
        for (const auto& [value, known] : entries)
            if (known == text) return value;
        return std::nullopt;
    }
};

}  // namespace marrowick
