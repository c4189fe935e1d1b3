// One subcommand of marrowick-cli: its name, usage line, summary and handler.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace marrowick::cli {

struct Command {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    int (*run)(std::span<const std::string> arguments);  // exit status
};

// The table of every subcommand, in the order --help lists them.
std::span<const Command> commands();

}  // namespace marrowick::cli
