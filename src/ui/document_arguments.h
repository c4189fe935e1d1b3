// The documents the desktop hands to the program on its command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace marrowick {

struct DocumentArguments {
    std::optional<std::filesystem::path> project;  // the first ".marrowick" file; others are ignored
    std::vector<std::filesystem::path> films;      // every other file, for import to sort out

    // Reads the arguments after the program path; options (starting with "-") are skipped.
    static DocumentArguments parse(const std::vector<std::string>& arguments);
};

}  // namespace marrowick
