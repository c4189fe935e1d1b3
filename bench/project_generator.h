// Generated review projects for the benchmarks: tiled films with realistic shot content.
#pragma once

#include <cstddef>

#include "model/project.h"

namespace marrowick::bench {

struct ProjectShape {
    std::size_t films = 1000;
    std::size_t shotsPerFilm = 200;
    double shotSeconds = 4.0;            // every shot is this long; films are 25 fps
    std::size_t thumbnailBytes = 2048;   // random bytes, as incompressible as a JPEG
    std::size_t featureBytes = 512;
    std::size_t historyEvents = 2000;
};

// A valid project of the given shape; the same shape always gives the same content.
Project generateProject(const ProjectShape& shape);

}  // namespace marrowick::bench
