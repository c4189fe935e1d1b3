// The workspace's film import (dialog, drop, file list) and its thumbnail and group refresh.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "analysis/import_pipeline.h"
#include "analysis/shot_detector.h"
#include "workspace/desktop_dialogs.h"

namespace marrowick {

class ActivityHost;

// Makes the shot detector of one import or redetect; may throw ReviewError (unreadable weights).
using DetectorFactory = std::function<std::unique_ptr<ShotDetector>()>;

namespace FilmImport {

// File types the import and relink dialogs accept: movie, video, MPEG-4 and QuickTime files.
const FileExtensions& movieExtensions();

// Imports the files that are not yet films of the review as one activity and one undo step;
// each film lands as soon as it is done, and every shot is regrouped at the end. Does nothing
// while an activity runs or when no new file remains. A shot source replaces detected shots.
// Decisions of the review's own decided films, and of the earlier films given, are carried to
// matching shots as suggestions; the activity text says how many and what could not be matched.
void importFiles(ActivityHost& host, const DetectorFactory& detectors, const std::vector<std::filesystem::path>& files,
                 const ImportPipeline::ShotSource& shotSource = {}, std::vector<EarlierFilm> earlier = {});

// Asks for the earlier cut's review file, then for the new cut's movie files, and imports them
// carrying that review's decisions (nothing else of the file is used). An unreadable review file
// shows its message and imports nothing.
void importNewVersion(ActivityHost& host, DesktopDialogs& dialogs, const DetectorFactory& detectors);

// File types the cut list dialog accepts: EDL, OpenTimelineIO, FCPXML and Final Cut Pro 7 XML.
const FileExtensions& cutListExtensions();

// Asks for a movie file and then its cut list, checks the list against the film, and imports
// the film with the list's shots; a list that does not fit shows its message and imports nothing.
void importWithCutList(ActivityHost& host, DesktopDialogs& dialogs, const DetectorFactory& detectors);

// Asks for movie files and imports them in the order chosen.
void importDialog(ActivityHost& host, DesktopDialogs& dialogs, const DetectorFactory& detectors);

// Dropped local files: refused (false) while an activity runs, otherwise imported.
bool drop(ActivityHost& host, const DetectorFactory& detectors, const std::vector<std::filesystem::path>& files);

// Enriches every shot without a feature print and regroups all shots, as one activity without
// an undo step; the project changes only when every step succeeded.
void refreshImages(ActivityHost& host);

}  // namespace FilmImport
}  // namespace marrowick
