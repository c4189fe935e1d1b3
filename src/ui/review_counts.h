// The counts the sidebar shows beside its navigation entries.
#pragma once

#include <cstddef>
#include <unordered_map>

#include "model/project.h"

namespace marrowick {

struct ReviewCounts {
    std::size_t shots = 0;
    std::size_t needsReview = 0;
    std::size_t labelled = 0;     // modified or generated
    std::size_t uncertain = 0;    // boundary score below 0.8
    std::size_t carried = 0;      // unreviewed, with an earlier cut's decision to accept
    std::unordered_map<Uuid, std::size_t, UuidHash> perFilm;

    static ReviewCounts of(const Project& project);
};

}  // namespace marrowick
