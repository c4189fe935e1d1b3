// Film import without a window: detection, enrichment of every shot, and the final grouping.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "analysis/carry_over.h"
#include "analysis/shot_detector.h"
#include "model/project.h"

namespace marrowick::ImportPipeline {

// What an import reports while it runs. Every callback is optional and is called on the
// importing thread, in order.
struct Events {
    // The progress of the whole import (0 to 1) and the text describing the current step.
    std::function<void(double progress, const std::string& activity)> progress;
    // One file is done: its film and its enriched shots, in detection order.
    std::function<void(Film film, std::vector<Shot> shots)> filmDone;
    // A file decoded with damage ("12 damaged frames skipped or concealed"), after its detection;
    // the text is also part of the activity while its shots are enriched.
    std::function<void(const std::filesystem::path& file, const std::string& note)> damaged;
    // Earlier decisions were carried to a file's shots (only when there were decisions to carry),
    // before its film is reported done.
    std::function<void(const Film& film, const CarryReport& report)> carried;
};

// Replaces the shots detection found in a file (for example with an editor's cut list), and may
// rename the film's detector; called before the shots are enriched. Throws ReviewError to refuse
// the file.
using ShotSource = std::function<void(const std::filesystem::path& file, Film& film, std::vector<Shot>& shots)>;

// "<detector name> · <file name>" while a file is detected.
std::string detectingText(const std::string& detectorName, const std::filesystem::path& file);
// "Indexing <n> shots · <file name>" while its shots are enriched.
std::string indexingText(std::size_t shots, const std::filesystem::path& file);
// "Matching earlier cuts · <file name>" while earlier decisions are carried to its shots.
std::string matchingText(const std::filesystem::path& file);

// The films of a project that hold at least one decision, each with its shots, as earlier films;
// projectName names the review file when it is not the one imported into.
std::vector<EarlierFilm> reviewedFilms(const Project& project, const std::string& projectName = {});

// The locations that are not yet films of the project (exact path text), in their order; a
// location given twice stays twice.
std::vector<std::filesystem::path> newFiles(const Project& project, const std::vector<std::filesystem::path>& files);

// Detects and enriches each file in turn with the detection threshold. File i of N owns the
// progress from i/N to (i+1)/N: three quarters follow detection, the last quarter the shots'
// enrichment. Throws the first failure (ReviewError) or Cancelled, checked before each file and
// each shot; files reported done before stay done. A shot source, when given, decides the shots.
// carry, when given, receives each film's frame keys and carries earlier decisions to its shots.
void detectAndEnrich(ShotDetector& detector, const std::vector<std::filesystem::path>& files, double threshold,
                     const Events& events, std::stop_token stop = {}, const ShotSource& shotSource = {},
                     CarryOver* carry = nullptr);

// The whole import into a project value: new files only, each film appended as it is done, then
// every shot of the project grouped with its grouping threshold. Returns the films imported.
std::vector<Film> importInto(Project& project, ShotDetector& detector, const std::vector<std::filesystem::path>& files,
                             const Events& events = {}, std::stop_token stop = {}, const ShotSource& shotSource = {},
                             CarryOver* carry = nullptr);

}  // namespace marrowick::ImportPipeline
