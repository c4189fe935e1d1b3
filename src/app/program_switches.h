// The command-line switches of the marrowick program, looked at before any window exists.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace marrowick::ProgramSwitches {

// Runs the switch run the arguments (program path included) ask for and returns its exit
// status, or nothing when no switch is present and the application should start.
// Precedence: "--assistant-self-test" decides alone, then "--build-kind", then "--self-test",
// then "--version".
std::optional<int> run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace marrowick::ProgramSwitches
