// Memory attributable to project values, counting storage shared between copies once.
#pragma once

#include <cstddef>
#include <unordered_set>

#include "model/project.h"

namespace marrowick::bench {

// Adds up the bytes a set of project values holds. Everything reached through a shared pointer
// (shot and history chunks, blobs, frame times) is counted the first time it is seen only, so
// measuring a project and then its snapshots gives the snapshots' extra memory. Counted: chunk
// storage (capacity times element size), heap text of strings longer than the in-place buffer,
// blob and frame-time bytes, and each project's own films vector with its strings. Not counted:
// allocator headers, the small control blocks of shared pointers, and the label layout map (a
// few entries). The ratio reported is (bytes first seen in the snapshots) / (bytes of the project).
class ProjectMemory {
public:
    std::size_t add(const Project& project);

private:
    std::size_t shared(const void* identity, std::size_t bytes);
    std::size_t shotBytes(const Shot& shot);
    std::size_t filmBytes(const Film& film);

    std::unordered_set<const void*> seen_;
};

}  // namespace marrowick::bench
