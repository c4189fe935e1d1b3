// Whether the local runtime's server program may be run: the check that stands in for a code
// signature on a system without them.
#pragma once

#include <filesystem>

namespace marrowick::ExecutableTrust {

// True for a regular executable file owned by root or the current user and writable by neither
// group nor others, whose folder has the same ownership and write protection. A symbolic link is
// judged by its target, and the link's own folder must pass as well.
bool trusted(const std::filesystem::path& executable);

}  // namespace marrowick::ExecutableTrust
