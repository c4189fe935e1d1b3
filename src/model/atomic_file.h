// Atomic file replacement: a temporary file in the same folder, flushed, then renamed over.
#pragma once

#include <filesystem>
#include <string_view>

namespace marrowick {

// Either the old file or the complete new one is on disk at every moment.
// Throws ReviewError with the system's description when any step fails; the temporary file is removed.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace marrowick
