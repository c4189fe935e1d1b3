// The user's preferences, kept by QSettings under organisation and application "Marrowick".
#pragma once

#include <string>

namespace marrowick::Preferences {

// "localModel": the chosen local assistant model, or empty.
std::string localModel();
void setLocalModel(const std::string& name);

// "ffmpegPath": the user's FFmpeg executable, or empty.
std::string ffmpegPath();
void setFfmpegPath(const std::string& path);

}  // namespace marrowick::Preferences
