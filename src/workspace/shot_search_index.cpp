// The cache of folded shot search texts.
#include "workspace/shot_search_index.h"

#include <array>
#include <charconv>
#include <initializer_list>

namespace marrowick {
namespace {

// Whether `text` equals the parts joined by single spaces, without building the joined string.
bool equalsJoined(std::string_view text, std::initializer_list<std::string_view> parts) {
    bool first = true;
    for (const std::string_view part : parts) {
        if (!first) {
            if (text.empty() || text.front() != ' ') return false;
            text.remove_prefix(1);
        }
        first = false;
        if (!text.starts_with(part)) return false;
        text.remove_prefix(part.size());
    }
    return text.empty();
}

std::string joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    bool first = true;
    for (const std::string_view part : parts) {
        if (!first) text += ' ';
        first = false;
        text += part;
    }
    return text;
}

}  // namespace

void ShotSearchIndex::beginPass(std::size_t shotCount) {
    TextFolding current = TextFolding::forUserLocale();
    const bool localeChanged = current.turkic() != folding_.turkic();
    if (localeChanged) folding_ = std::move(current);
    // Entries of removed shots accumulate across edits; start over when they dominate.
    if (localeChanged || entries_.size() > 2 * shotCount + 1024) entries_.clear();
}

const std::string& ShotSearchIndex::key(const Shot& shot, std::string_view filmName) {
    std::array<char, 24> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), shot.group).ptr;
    const std::string_view group(digits.data(), static_cast<std::size_t>(end - digits.data()));
    const auto parts = {filmName, std::string_view(shot.category), std::string_view(shot.note),
                        std::string_view(shot.assistantNote), group};

    Entry& entry = entries_[shot.id];
    if (entry.folded.empty() || !equalsJoined(entry.text, parts)) {
        entry.text = joined(parts);
        entry.folded = folding_.fold(entry.text);
    }
    return entry.folded;
}

std::string ShotSearchIndex::foldQuery(std::string_view query) const { return folding_.fold(query); }

}  // namespace marrowick
