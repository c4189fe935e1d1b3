// The cache of folded shot search texts.
#include "workspace/shot_search_index.h"
#include "model/film_name.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <unordered_map>

namespace marrowick {

namespace {

constexpr std::size_t kStopCheckInterval = 1024;  // shots folded between two looks at the stop request

}  // namespace

std::vector<std::string> ShotSearchIndex::filmNames(const Project& project) {
    std::vector<std::string> names;
    names.reserve(project.films.size());
    for (const Film& film : project.films) names.push_back(fileName(film));
    return names;
}

std::vector<std::pair<Uuid, std::string>> ShotSearchIndex::filmPairs(const Project& project,
                                                                     const std::vector<std::string>& filmNames) {
    std::vector<std::pair<Uuid, std::string>> films;
    films.reserve(project.films.size());
    for (std::size_t i = 0; i < project.films.size(); ++i) films.emplace_back(project.films[i].id, filmNames[i]);
    return films;
}

std::optional<ShotSearchIndex::Folded> ShotSearchIndex::foldAll(const Project& project, bool turkic,
                                                                 const std::function<bool()>& stopRequested) {
    const TextFolding folding(turkic);
    Folded folded{project.shots, filmPairs(project, filmNames(project)), turkic, {}};
    std::unordered_map<Uuid, std::string_view, UuidHash> names;
    for (const auto& [id, name] : folded.films) names.emplace(id, name);
    folded.keys.reserve(project.shots.size());
    for (std::size_t i = 0; i < folded.shots.size(); ++i) {
        if (i % kStopCheckInterval == 0 && stopRequested()) return std::nullopt;
        const Shot& shot = folded.shots[i];
        const auto film = names.find(shot.filmID);
        folded.keys.push_back(folding.fold(searchText(shot, film == names.end() ? std::string_view() : film->second)));
    }
    return folded;
}

void ShotSearchIndex::adopt(Folded folded) {
    if (folded.turkic != folding_.turkic()) folding_ = TextFolding(folded.turkic);
    filmNames_ = std::move(folded.films);
    pinned_ = std::move(folded.shots);
    slots_.resize(pinned_.size());
    for (std::size_t i = 0; i < slots_.size(); ++i) slots_[i] = {&pinned_[i], std::move(folded.keys[i])};
}

void ShotSearchIndex::beginPass(const Project& project, const std::vector<std::string>& filmNames) {
    TextFolding current = TextFolding::forUserLocale();
    std::vector<std::pair<Uuid, std::string>> films = filmPairs(project, filmNames);

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
    slot.shot = &shot;
    slot.folded = folding_.fold(searchText(shot, filmName));
    return slot.folded;
}

std::string ShotSearchIndex::searchText(const Shot& shot, std::string_view filmName) {
    std::array<char, 24> digits{};
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), shot.group).ptr;
    std::string text;
    text.reserve(filmName.size() + shot.category.size() + shot.note.size() + shot.assistantNote.size() + 28);
    text.append(filmName).append(" ").append(shot.category).append(" ").append(shot.note).append(" ");
    text.append(shot.assistantNote).append(" ").append(digits.data(), static_cast<std::size_t>(end - digits.data()));
    return text;
}

std::string ShotSearchIndex::foldQuery(std::string_view query) const { return folding_.fold(query); }

}  // namespace marrowick
