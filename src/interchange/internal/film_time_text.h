// Times and lengths of a film as cut-list messages and notes write them: in the reviewer's time
// display, counted in the film's own timecode.
#pragma once

#include <string>

#include "model/film_time.h"

namespace marrowick::FilmTimeText {

// A time on the film, as FilmTime::text writes it; a time outside the film names no frame of it
// and is written as a clock string.
std::string at(const Film& film, double seconds, TimeDisplay display);

// A length of time: a timecode counted from 00:00:00:00 at the film's timecode rate, "<n> frames"
// at the film's rate, or a clock string.
std::string length(const Film& film, double seconds, TimeDisplay display);

}  // namespace marrowick::FilmTimeText
