// A film's name and whole-frame positions, and decision colours, as the timeline writers need them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"

namespace marrowick::FilmShots {

// The file name of the film's source.
std::string fileName(const Film& film);

// A time as a whole frame count at a rate.
std::int64_t frames(double seconds, double frameRate);

// The colour of a decision's marker, one OpenTimelineIO marker colour: grey has no equal, so
// unreviewed shots are white.
std::string_view markerColour(Disclosure disclosure);

}  // namespace marrowick::FilmShots
