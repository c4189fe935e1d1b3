// The one place marrowick-cli turns a command's failure into its exit status and the words on
// standard error.
#pragma once

#include <ostream>
#include <span>
#include <string>

#include "app/cli_command.h"

namespace marrowick::cli {

inline constexpr int kFailed = 1;     // a ReviewError: the reader's text, as it stands
inline constexpr int kSoftware = 70;  // any other exception: a fault of the program (EX_SOFTWARE)

inline constexpr const char* kUnexpectedFailure = "Something went wrong; the command stopped unfinished.";

// Runs the command and returns its status. A ReviewError it raises is written to `err` and ends
// with kFailed. Any other exception ends with kSoftware: kUnexpectedFailure for the reader, then
// the exception's own text on a line marked as a diagnostic, for the bug report.
int runReportingFailures(const Command& command, std::span<const std::string> arguments, std::ostream& err);

}  // namespace marrowick::cli
