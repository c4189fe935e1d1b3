// The shipped resources (label artwork, catalogues, models) as the tests read them: from the source tree.
#pragma once

#include <filesystem>

namespace marrowick {

inline const std::filesystem::path kResources = MARROWICK_RESOURCE_DIR;

}  // namespace marrowick
