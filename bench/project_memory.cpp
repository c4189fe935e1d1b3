// Byte counting over projects; see ProjectMemory.
#include "project_memory.h"

#include <string>

namespace marrowick::bench {
namespace {

std::size_t heapText(const std::string& text) {
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

std::size_t eventBytes(const ReviewEvent& event) {
    return event.shotIDs.capacity() * sizeof(Uuid) + heapText(event.action) + heapText(event.detail);
}

}  // namespace

std::size_t ProjectMemory::shared(const void* identity, std::size_t bytes) {
    if (!identity) return 0;
    return seen_.insert(identity).second ? bytes : 0;
}

std::size_t ProjectMemory::shotBytes(const Shot& shot) {
    std::size_t bytes = heapText(shot.note) + heapText(shot.category) + heapText(shot.assistantNote);
    if (shot.thumbnail) bytes += shared(shot.thumbnail.get(), shot.thumbnail->size());
    if (shot.feature) bytes += shared(shot.feature.get(), shot.feature->size());
    return bytes;
}

std::size_t ProjectMemory::filmBytes(const Film& film) {
    std::size_t bytes = sizeof(Film) + heapText(film.path) + heapText(film.detector);
    if (film.sourceSHA256) bytes += heapText(*film.sourceSHA256);
    if (film.bookmark) bytes += shared(film.bookmark.get(), film.bookmark->size());
    if (film.frameTimes) bytes += shared(film.frameTimes.get(), film.frameTimes->size() * sizeof(double));
    return bytes;
}

std::size_t ProjectMemory::add(const Project& project) {
    std::size_t bytes = sizeof(Project) + heapText(project.name) + heapText(project.workDisclosure);
    for (const Film& film : project.films) bytes += filmBytes(film);
    project.shots.forEachChunk([&](const void* identity, const std::vector<Shot>& chunk) {
        if (!seen_.insert(identity).second) return;
        bytes += chunk.capacity() * sizeof(Shot);
        for (const Shot& shot : chunk) bytes += shotBytes(shot);
    });
    project.history.forEachChunk([&](const void* identity, const std::vector<ReviewEvent>& chunk) {
        if (!seen_.insert(identity).second) return;
        bytes += chunk.capacity() * sizeof(ReviewEvent);
        for (const ReviewEvent& event : chunk) bytes += eventBytes(event);
    });
    return bytes;
}

}  // namespace marrowick::bench
