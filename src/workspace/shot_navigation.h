// The current shot, moving to the next undecided one, and pointing the player at a shot.
#pragma once

#include <optional>
#include <set>

#include "model/project.h"
#include "workspace/media_player.h"
#include "workspace/visible_shots.h"

namespace marrowick::ShotNavigation {

// Times reach the player on a grid of this many steps per second.
inline constexpr double kPlayerTimescale = 60000;

// The first shot in project order whose ID is selected; nothing when none is.
std::optional<Shot> selected(const Project& project, const std::set<Uuid>& selection);

// The first unreviewed shot after `current` in the list, wrapping once to the list's start;
// from the start when `current` is absent or not listed.
std::optional<Uuid> nextUnreviewed(const VisibleShots& visible, const std::optional<Uuid>& current);

// Shows the shot's range in the player: loads the film's file if another is loaded, pauses,
// stops playback at the shot's end and seeks frame-exactly to its start. Without a shot or
// film it only pauses.
void focus(MediaPlayer& player, const Shot* shot, const Film* film);

}  // namespace marrowick::ShotNavigation
