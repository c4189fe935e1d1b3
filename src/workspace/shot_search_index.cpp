// The cache of folded shot search texts.
#include "workspace/shot_search_index.h"

#include <array>
#include <charconv>

namespace marrowick {

void ShotSearchIndex::beginPass(const Project& project, const std::vector<std::string>& filmNames) {
    TextFolding current = TextFolding::forUserLocale();
    std::vector<std::pair<Uuid, std::string>> films;
    films.reserve(project.films.size());
    for (std::size_t i = 0; i < project.films.size(); ++i) films.emplace_back(project.films[i].id, filmNames[i]);

    const bool refoldAll = current.turkic() != folding_.turkic() || films != filmNames_;
    if (refoldAll) {
        folding_ = std::move(current);
        filmNames_ = std::move(films);
        slots_.clear();
    }
    slots_.resize(project.shots.size());
    pinned_ = project.shots;
}

const std::string& ShotSearchIndex::key(std::size_t index, const Shot& shot, std::string_view filmName) {
    Slot& slot = slots_[index];
    if (slot.shot == &shot) return slot.folded;

    std::array<char, 24> digits{};
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), shot.group).ptr;
    std::string text;
    text.reserve(filmName.size() + shot.category.size() + shot.note.size() + shot.assistantNote.size() + 28);
    text.append(filmName).append(" ").append(shot.category).append(" ").append(shot.note).append(" ");
    text.append(shot.assistantNote).append(" ").append(digits.data(), static_cast<std::size_t>(end - digits.data()));
    slot.shot = &shot;
    slot.folded = folding_.fold(text);
    return slot.folded;
}

std::string ShotSearchIndex::foldQuery(std::string_view query) const { return folding_.fold(query); }

}  // namespace marrowick
