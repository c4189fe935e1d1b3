// marrowick-cli: headless commands over project files, films and presets.
#include <iostream>
#include <string>
#include <vector>

#include "app/cli_command.h"
#include "app/cli_failure.h"
#include "app/program_version.h"

namespace {

using marrowick::cli::Command;

void printHelp(std::ostream& out) {
    out << "Usage: marrowick-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const Command& command : marrowick::cli::commands())
        out << "  " << command.usage << "\n      " << command.summary << "\n";
    out << "  --help\n      Shows this list.\n  --version\n      Same as version.\n";
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        printHelp(std::cout);
        return arguments.empty() ? 64 : 0;
    }
    if (arguments[0] == "--version") {
        marrowick::ProgramVersion::print(std::cout);
        return 0;
    }
    for (const Command& command : marrowick::cli::commands())
        if (command.name == arguments[0])
            return marrowick::cli::runReportingFailures(command, std::span(arguments).subspan(1), std::cerr);
    std::cerr << "Unknown command \"" << arguments[0] << "\". See marrowick-cli --help.\n";
    return 64;
}
