// Where the transport moves the player: the neighbouring decoded frame, the neighbouring shot
// start of a film, and the shuttle speeds.
#pragma once

#include <optional>

#include "model/project.h"

namespace marrowick::FrameSteps {

// A player position counts as on a frame when it lies at most this far before the frame's time
// (players report whole milliseconds).
inline constexpr double kPositionSlack_s = 0.0015;

// The presentation time of the frame shown at `seconds`, and of the frame `frames` frames
// forward (negative: back) of it; the film's frame times when it has them, else its 1/fps grid.
// Held within the film's first and last frame.
double frameAt(const Film& film, double seconds);
double neighbour(const Film& film, double seconds, int frames);

// The film's shot with the nearest start after the frame shown at `seconds` (direction > 0) or
// before it (direction < 0), so that going back from inside a shot lands on that shot's start;
// nothing at either end of the film.
std::optional<Uuid> neighbouringShot(const Project& project, const Film& film, double seconds, int direction);

// The next shuttle rate: forward (direction > 0) starts at 1x and doubles while already moving
// forward, backward likewise below zero; at most 8x either way.
double shuttleRate(double current, int direction);

}  // namespace marrowick::FrameSteps
