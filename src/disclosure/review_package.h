// The review package: the project, the shot spreadsheet, the disclosure record and the two EU icons.
#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "model/project.h"
#include "model/uuid.h"

namespace marrowick::Exporter {

inline constexpr const char* kProjectFileName = "review.marrowick";
inline constexpr const char* kShotReviewFileName = "shot-review.csv";
inline constexpr const char* kDisclosureRecordFileName = "disclosure-record.txt";

// Validates the project (layout guides against the safe-zone profile identifiers), then writes the
// package files into an existing folder, each text file atomically, and copies the modified and
// generated artwork of the project's style from the resource root unless the folder already holds
// a file of that name. Throws ReviewError: the validation message, "Official EU label assets are
// missing.", or a write error. Files written before a failure stay.
void reports(const Project& project, const std::filesystem::path& folder, const std::filesystem::path& resourceRoot,
             const std::set<std::string>& safeZoneProfileIDs = {});

// "Marrowick-" and the first eight hexadecimal digits of an identifier's canonical text.
std::string packageFolderName(const Uuid& id);

// Creates parent/"Marrowick-XXXXXXXX" for a new random identifier, with any missing parents, and
// returns it. Throws ReviewError with the system's description when it cannot be created.
std::filesystem::path createPackageFolder(const std::filesystem::path& parent);

// The whole export behind the workspace's "Export review package": a new package folder in the
// chosen parent, then reports into it; a project that fails validation leaves no folder behind.
// Returns the package folder to reveal.
std::filesystem::path exportReviewPackage(const Project& project, const std::filesystem::path& parent,
                                          const std::filesystem::path& resourceRoot,
                                          const std::set<std::string>& safeZoneProfileIDs = {});

}  // namespace marrowick::Exporter
