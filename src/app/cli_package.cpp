// marrowick-cli package PROJECT OUTDIR: validates a project file and writes its review package.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "app/cli_command.h"
#include "disclosure/review_package.h"
#include "model/project_json.h"
#include "model/review_error.h"

namespace marrowick::cli {
namespace {

// $MARROWICK_RESOURCES, else <exe>/../share/marrowick when installed, else the source tree's resources.
std::filesystem::path resourceRoot() {
    if (const char* configured = std::getenv("MARROWICK_RESOURCES"); configured && *configured) return configured;
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const auto installed = executable.parent_path().parent_path() / "share" / "marrowick";
        if (std::filesystem::is_directory(installed, error)) return installed;
    }
    return MARROWICK_SOURCE_RESOURCES;
}

}  // namespace

int runPackage(std::span<const std::string> arguments) {
    if (arguments.size() != 2) {
        std::cerr << "Usage: marrowick-cli package PROJECT OUTDIR\n";
        return 64;
    }
    const std::filesystem::path folder = arguments[1];
    try {
        std::error_code error;
        if (!std::filesystem::is_directory(folder, error))
            throw ReviewError("The folder \"" + folder.string() + "\" does not exist.");
        const Project project = ProjectJson::readFile(arguments[0]);
        Exporter::reports(project, folder, resourceRoot());
        std::cout << "Review package exported.\n";
        return 0;
    } catch (const ReviewError& error) {
        std::cerr << error.message() << "\n";
        return 1;
    }
}

}  // namespace marrowick::cli
