// Relinking a film to its moved source, and detecting a film's shots again.
#pragma once

#include "model/film.h"
#include "workspace/desktop_dialogs.h"
#include "workspace/film_import.h"

namespace marrowick {

class ActivityHost;

namespace FilmRelink {

inline constexpr const char* kDifferentSource =
    "This is a different source file. Import changed edits as new films; existing label decisions cannot be "
    "transferred safely.";
inline constexpr const char* kDurationDiffers = "Replacement duration differs. Import a changed edit as a new film.";

// Asks for the film's file; accepts only the same content (fingerprint, when stored) and a
// duration within one frame, then points the film at it. No undo step, shots untouched.
void relink(ActivityHost& host, DesktopDialogs& dialogs, const Film& film);

// After confirmation, replaces the film's shots with newly detected, enriched shots (current
// threshold), regroups every shot and records one undo step and a "redetect" history entry.
void redetect(ActivityHost& host, DesktopDialogs& dialogs, const DetectorFactory& detectors, const Film& film);

}  // namespace FilmRelink
}  // namespace marrowick
