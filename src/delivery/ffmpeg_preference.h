// The "ffmpegPath" preference as the desktop program keeps it, read without Qt, so that the
// command-line program finds the same FFmpeg as the window.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace marrowick::FFmpegPreference {

// The desktop program's settings file: "Marrowick/Marrowick.conf" in the XDG configuration folder.
std::filesystem::path settingsFile();

// The "ffmpegPath" value of the [General] section of a settings file's text, unescaped as the
// settings were written (quoted runs, backslash escapes, "@@" for a leading "@"); empty when the
// key is absent or holds anything but one text.
std::string parse(std::string_view settings);

// The stored FFmpeg path, or empty when there is none or the settings file cannot be read.
std::string read();

}  // namespace marrowick::FFmpegPreference
