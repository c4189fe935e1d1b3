// Filtering, searching and sorting the shot list.
#include "workspace/visible_shots.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include <QString>

namespace marrowick {
namespace {

// How many shots of the project carry each group number.
using GroupSizes = std::unordered_map<std::int64_t, std::size_t>;

bool passes(const ShotFilter& filter, const Shot& shot, const GroupSizes& groupSizes) {
    using Kind = ShotFilter::Kind;
    switch (filter.kind) {
        case Kind::all: return true;
        case Kind::review: return shot.disclosure == Disclosure::unreviewed;
        case Kind::labelled:
            return shot.disclosure == Disclosure::modified || shot.disclosure == Disclosure::generated;
        case Kind::uncertain: return shot.boundaryScore < kUncertainBelow;
        case Kind::carried: return shot.carriedFrom && shot.disclosure == Disclosure::unreviewed;
        case Kind::groups: return shot.group > 0 && groupSizes.at(shot.group) >= 2;
        case Kind::film: return shot.filmID == filter.film;
        case Kind::group: return shot.group == filter.group;
        case Kind::nothing: return false;
    }
    return false;
}

GroupSizes groupSizes(const Project& project) {
    GroupSizes sizes;
    for (const Shot& shot : project.shots) ++sizes[shot.group];
    return sizes;
}

std::string trimmedQuery(const std::string& search) {
    return QString::fromStdString(search).trimmed().toStdString();
}

// What a shot needs from its film: its place in `films` (0 when missing) and its file name.
struct FilmFacts {
    std::size_t position = 0;
    std::string fileName;
};

std::unordered_map<Uuid, FilmFacts, UuidHash> filmFacts(const Project& project) {
    const std::vector<std::string> names = ShotSearchIndex::filmNames(project);
    std::unordered_map<Uuid, FilmFacts, UuidHash> facts;
    for (std::size_t i = 0; i < project.films.size(); ++i) facts.emplace(project.films[i].id, FilmFacts{i, names[i]});
    return facts;
}

struct SortKey {
    std::int64_t group;
    std::size_t filmPosition;
    double start;
    std::uint32_t index;
};

}  // namespace

std::optional<std::size_t> VisibleShots::position(const Uuid& shotID) const {
    for (std::size_t i = 0; i < order_.size(); ++i)
        if (shots_[order_[i]].id == shotID) return i;
    return std::nullopt;
}

std::vector<Uuid> VisibleShots::ids() const {
    std::vector<Uuid> ids;
    ids.reserve(order_.size());
    for (const std::uint32_t index : order_) ids.push_back(shots_[index].id);
    return ids;
}

VisibleShots ShotListQuery::visible(const Project& project, const ShotListOptions& options) {
    const ShotFilter& filter = options.filter;
    const auto sizes = filter.kind == ShotFilter::Kind::groups ? groupSizes(project) : GroupSizes();
    const auto films = filmFacts(project);
    const std::string trimmed = trimmedQuery(options.search);
    if (!trimmed.empty()) index_.beginPass(project, ShotSearchIndex::filmNames(project));
    const std::string query = trimmed.empty() ? std::string() : index_.foldQuery(trimmed);

    const FilmFacts missingFilm;
    // A film's shots mostly follow each other, so the previous shot's film usually answers.
    Uuid lastFilm;
    const FilmFacts* lastFacts = nullptr;
    std::vector<SortKey> kept;
    std::uint32_t index = 0;
    for (const Shot& shot : project.shots) {
        if (!lastFacts || shot.filmID != lastFilm) {
            const auto film = films.find(shot.filmID);
            lastFilm = shot.filmID;
            lastFacts = film == films.end() ? &missingFilm : &film->second;
        }
        const FilmFacts& facts = *lastFacts;
        // With a query, every shot's key is brought up to date, kept or not (see ShotSearchIndex).
        const bool found = query.empty() || index_.key(index, shot, facts.fileName).find(query) != std::string::npos;
        if (found && passes(filter, shot, sizes))
            kept.push_back({options.groupSort ? shot.group : 0, facts.position, shot.start, index});
        ++index;
    }
    // Lexicographic on (group, film position, start); shots of one film share a position, so
    // this is "same film by start, otherwise by film order", and ties keep project order.
    std::stable_sort(kept.begin(), kept.end(), [](const SortKey& a, const SortKey& b) {
        if (a.group != b.group) return a.group < b.group;
        if (a.filmPosition != b.filmPosition) return a.filmPosition < b.filmPosition;
        return a.start < b.start;
    });
    std::vector<std::uint32_t> order;
    order.reserve(kept.size());
    for (const SortKey& key : kept) order.push_back(key.index);
    return VisibleShots(project.shots, std::move(order));
}

}  // namespace marrowick
