// Where the program finds its shipped resources (catalogues, label artwork, models).
#pragma once

#include <filesystem>

namespace marrowick {

// $MARROWICK_RESOURCES when set and not empty; else <executable's folder>/../share/marrowick when
// that folder exists (an installed program); else the source tree's resources folder of the build.
std::filesystem::path resourceRoot(const std::filesystem::path& executable);

// The running program's own file (from /proc/self/exe); empty when it cannot be read.
std::filesystem::path runningExecutable();

}  // namespace marrowick
