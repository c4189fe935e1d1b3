// The recovery file: where the autosave writes it, and reading it back at start.
#pragma once

#include <filesystem>
#include <optional>

#include "model/project.h"

namespace marrowick::RecoveryFile {

// "$XDG_DATA_HOME/Marrowick/recovery.marrowick"; creates the folder each time (a failure to
// create it is left to the write that follows).
std::filesystem::path location();

// The recovered review: the file's project when it reads, decodes and validates and holds at
// least one film; nothing otherwise, silently.
std::optional<Project> recover();

// Removes temporary files that a write interrupted by a crash left beside the recovery file.
void removeAbandonedTemporaries();

}  // namespace marrowick::RecoveryFile
