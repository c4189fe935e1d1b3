// The user's preferences, kept by QSettings under organisation and application "Marrowick".
#pragma once

#include <string>

#include "model/film_time.h"

namespace marrowick::Preferences {

// "localModel": the chosen local assistant model, or empty.
std::string localModel();
void setLocalModel(const std::string& name);

// "ffmpegPath": the user's FFmpeg executable, or empty.
std::string ffmpegPath();
void setFfmpegPath(const std::string& path);

// "timeDisplay": how times are shown; timecode when unset or unknown.
TimeDisplay timeDisplay();
void setTimeDisplay(TimeDisplay display);

// "volume": the preview's sound level, 0 to 100 (80 when unset), and "muted".
int volume();
void setVolume(int percent);
bool muted();
void setMuted(bool muted);

}  // namespace marrowick::Preferences
