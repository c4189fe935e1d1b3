// The recovery file: where the autosave writes it, and reading it back at start.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "model/project.h"

namespace marrowick::RecoveryFile {

// "$XDG_DATA_HOME/Marrowick/recovery.marrowick"; creates the folder each time (a failure to
// create it is left to the write that follows).
std::filesystem::path location();
// The file beside it that the autosaving process holds locked (recovery_lock.h).
std::filesystem::path lockLocation();

// The recovered review: the file's project when it reads, decodes and validates and holds at
// least one film; nothing otherwise, silently. Layout guides are checked against the safe-zone
// profile identifiers.
std::optional<Project> recover(const std::set<std::string>& safeZoneProfileIDs = {});

// Removes temporary files that a write interrupted by a crash left beside the recovery file.
void removeAbandonedTemporaries();

}  // namespace marrowick::RecoveryFile
