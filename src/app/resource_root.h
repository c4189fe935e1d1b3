// Where the program's shipped data files (label artwork, catalogues, models) are found.
#pragma once

#include <filesystem>

namespace marrowick {

// $MARROWICK_RESOURCES when set, else <exe>/../share/marrowick when installed, else the source
// tree's resources/ (a build run from its build folder).
std::filesystem::path resourceRoot();

}  // namespace marrowick
