// Project lookups, the reviewed count, and record equality.
#include "model/project.h"

#include <algorithm>

namespace marrowick {

void Shot::reset() {
    disclosure = Disclosure::unreviewed;
    thumbnail = nullptr;
    feature = nullptr;
    group = 0;
}

bool operator==(const Shot& a, const Shot& b) {
    return a.id == b.id && a.filmID == b.filmID && a.start == b.start && a.end == b.end &&
           a.boundaryScore == b.boundaryScore && a.disclosure == b.disclosure && a.note == b.note &&
           a.category == b.category && a.group == b.group && sameBytes(a.thumbnail, b.thumbnail) &&
           sameBytes(a.feature, b.feature) && a.assistantNote == b.assistantNote;
}

bool operator==(const Film& a, const Film& b) {
    const bool sameTimes = (!a.frameTimes && !b.frameTimes) ||
                           (a.frameTimes && b.frameTimes && *a.frameTimes == *b.frameTimes);
    return a.id == b.id && a.path == b.path && sameBytes(a.bookmark, b.bookmark) && a.duration == b.duration &&
           a.fps == b.fps && a.width == b.width && a.height == b.height && sameTimes &&
           a.sourceSHA256 == b.sourceSHA256 && a.detector == b.detector && a.startTimecode == b.startTimecode &&
           a.timecodeRate == b.timecodeRate;
}

bool operator==(const Project& a, const Project& b) {
    return a.schema == b.schema && a.name == b.name && a.films == b.films && a.shots == b.shots &&
           a.history == b.history && a.threshold == b.threshold && a.groupingThreshold == b.groupingThreshold &&
           a.artisticWork == b.artisticWork && a.workDisclosure == b.workDisclosure && a.labelStyle == b.labelStyle &&
           a.labelWidth == b.labelWidth && a.corner == b.corner && a.labelLayouts == b.labelLayouts && a.id == b.id;
}

std::vector<const Shot*> Project::shotsInOrder(const Film& film) const {
    std::vector<const Shot*> ordered;
    for (const Shot& shot : shots)
        if (shot.filmID == film.id) ordered.push_back(&shot);
    std::sort(ordered.begin(), ordered.end(), [](const Shot* a, const Shot* b) { return a->start < b->start; });
    return ordered;
}

std::size_t Project::reviewed() const {
    return static_cast<std::size_t>(std::count_if(
        shots.begin(), shots.end(), [](const Shot& shot) { return shot.disclosure != Disclosure::unreviewed; }));
}

const Film* Project::film(const Uuid& filmID) const {
    const auto it = std::find_if(films.begin(), films.end(), [&](const Film& f) { return f.id == filmID; });
    return it == films.end() ? nullptr : &*it;
}

std::optional<std::size_t> Project::shotIndex(const Uuid& shotID) const {
    std::size_t index = 0;
    for (const Shot& shot : shots) {
        if (shot.id == shotID) return index;
        ++index;
    }
    return std::nullopt;
}

}  // namespace marrowick
