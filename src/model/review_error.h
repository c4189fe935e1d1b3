// The one user-facing error type, and the cancellation signal that is never shown as an error.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace marrowick {

// A failure whose message is shown to the user exactly as it stands.
class ReviewError : public std::runtime_error {
public:
    explicit ReviewError(const std::string& message) : std::runtime_error(message) {}
    // A library's or the system's own text never stands alone: it names the file it is about,
    // "clip.mp4: Invalid data found when processing input".
    static ReviewError about(const std::filesystem::path& file, const std::string& text) {
        return ReviewError(file.filename().string() + ": " + text);
    }
    std::string message() const { return what(); }
};

// Thrown when a background job notices its stop request; callers report "Cancelled", not an error.
class Cancelled : public std::exception {
public:
    const char* what() const noexcept override { return "Cancelled"; }
};

}  // namespace marrowick
