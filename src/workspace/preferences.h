// The user's preferences, kept by QSettings under organisation and application "Marrowick".
#pragma once

#include <optional>
#include <string>

#include "model/review_event.h"
#include "model/film_time.h"

namespace marrowick::Preferences {

// "localModel": the chosen local assistant model, or empty.
std::string localModel();
void setLocalModel(const std::string& name);

// "ffmpegPath": the user's FFmpeg executable, or empty.
std::string ffmpegPath();
void setFfmpegPath(const std::string& path);

// "reviewerName" and "reviewerRole": who the history names as making this user's review actions.
std::string reviewerName();
void setReviewerName(const std::string& name);
std::string reviewerRole();
void setReviewerRole(const std::string& role);

// The reviewer from the two keys above, or nothing while the name is empty.
std::optional<Reviewer> reviewer();

// "timeDisplay": how times are shown; timecode when unset or unknown.
TimeDisplay timeDisplay();
void setTimeDisplay(TimeDisplay display);

// "volume": the preview's sound level, 0 to 100 (80 when unset), and "muted".
int volume();
void setVolume(int percent);
bool muted();
void setMuted(bool muted);

// "compactRows": the shot library lists one-line rows; off when unset.
bool compactRows();
void setCompactRows(bool compact);

}  // namespace marrowick::Preferences
