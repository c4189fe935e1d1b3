// The labelled display copies of a whole project: a new "Marrowick-video-" folder holding the
// review package and one labelled movie per film.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <set>
#include <stop_token>
#include <string>

#include "model/project.h"

namespace marrowick::Exporter {

inline constexpr const char* kVideoFolderPrefix = "Marrowick-video-";

// Throws ReviewError "Review every shot before exporting labelled videos." when the project has no
// shots or any shot is unreviewed.
void checkReadyForVideos(const Project& project);

// Film `index` (0-based) of `count` has written `fraction` of its movie.
using CopiesProgress = std::function<void(std::size_t index, std::size_t count, const Film& film, double fraction)>;

// Creates parent/"Marrowick-video-XXXXXXXX", writes the review package into it, then each film's
// labelled copy in project order; returns the folder. A failure or cancellation (Cancelled) ends
// the export: the failing film's movie is removed, the package and earlier movies stay.
std::filesystem::path exportLabelledCopies(const Project& project, const std::filesystem::path& parent,
                                           const std::filesystem::path& resourceRoot,
                                           const std::set<std::string>& safeZoneProfileIDs,
                                           const CopiesProgress& progress, std::stop_token stop = {});

}  // namespace marrowick::Exporter
