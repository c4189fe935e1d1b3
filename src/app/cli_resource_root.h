// Where marrowick-cli finds its shipped resources (models, artwork, catalogues).
#pragma once

#include <filesystem>

namespace marrowick::cli {

// $MARROWICK_RESOURCES, the installed share folder beside the program, or the source tree's copy.
std::filesystem::path resourceRoot();

}  // namespace marrowick::cli
