// The one place a failed operation becomes the text a person reads.
#pragma once

#include <exception>
#include <string>

namespace marrowick {

inline constexpr const char* kUnexpectedFailure = "Something went wrong; the review is unchanged.";

// A ReviewError's text is already written for the reader and stands as it is. Any other exception
// is a fault of ours: its own text (a library's or the system's) goes to the log for the bug
// report, and the reader gets kUnexpectedFailure. Not for Cancelled, which is no failure.
std::string failureText(const std::exception_ptr& failure);

}  // namespace marrowick
