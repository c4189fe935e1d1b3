// The one place where FFmpeg's integer result codes become ReviewError messages.
#pragma once

#include <filesystem>
#include <string>

namespace marrowick::AvError {

// FFmpeg's own text for a negative result code ("Invalid data found when processing input").
std::string text(int code);

// Returns the code when it is not negative; otherwise throws ReviewError with the code's text,
// prefixed with the name of the file it is about.
int check(int code, const std::filesystem::path& file);

}  // namespace marrowick::AvError
