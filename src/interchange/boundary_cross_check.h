// Where detection and a cut list disagree about a film's cuts: notes for the reviewer.
#pragma once

#include <string>
#include <vector>

#include "model/film.h"
#include "model/film_time.h"
#include "model/shot.h"

namespace marrowick::BoundaryCrossCheck {

// Every note starts with this, so the shot list's search gathers them.
inline constexpr const char* kNotePrefix = "Check boundaries: ";

// The boundary score of a shot where the two disagree: below the shot list's "uncertain" bar
// (0.8), so that the "Check boundaries" filter lists it.
inline constexpr double kDisagreementScore = 0.5;

// Appends a note to each cut-list shot whose start detection did not find (beyond the film's
// first frame and within two frames), and to each shot inside which detection found a cut the
// list does not have (its time written in `display`), and lowers that shot's boundary score to
// kDisagreementScore.
void annotate(std::vector<Shot>& listed, const std::vector<Shot>& detected, const Film& film,
              TimeDisplay display = TimeDisplay::seconds);

}  // namespace marrowick::BoundaryCrossCheck
