// The project file reader over a buffer that already carries simdjson's read-ahead padding.
#pragma once

#include <cstddef>

#include "model/project.h"

namespace marrowick::ProjectJson {

// data[size .. size + SIMDJSON_PADDING) must be readable. Throws ReviewError describing the problem.
Project decodePadded(const char* data, std::size_t size);

}  // namespace marrowick::ProjectJson
