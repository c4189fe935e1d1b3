// From a cut list to the shots of a film: the checks against the film, then shots that tile it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "interchange/cut_list.h"
#include "model/film.h"
#include "model/film_time.h"
#include "model/shot.h"

namespace marrowick::CutListMapping {

// Refuses, with a ReviewError naming the problem, a list without video events, with a frame
// rate other than the film's, with events that overlap or go backwards, whose programme runs
// longer than the film by more than a frame or shorter by more than a second. The messages
// write times and lengths in `display`, counted in the film's own timecode.
void check(const CutList& list, const Film& film, TimeDisplay display = TimeDisplay::seconds);

// After check: the film's shots, one per event and one per transition, each bounded by the
// list's record times taken from its origin and snapped to the film's frames; a gap is a shot
// of its own, a list ending early gets a final shot to the film's end. Every shot opens with a
// boundary score of 1 and the shots tile the film from 0 to its duration.
std::vector<Shot> shots(const CutList& list, const Film& film);

// The film's `detector` text for a list read from this file: "Cut list: " + file name.
std::string detectorName(const std::filesystem::path& listFile);

}  // namespace marrowick::CutListMapping
