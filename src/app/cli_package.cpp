// marrowick-cli package PROJECT OUTDIR: validates a project file and writes its review package.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "app/cli_command.h"
#include "disclosure/review_package.h"
#include "disclosure/safe_zones.h"
#include "model/project_json.h"
#include "model/resource_root.h"
#include "model/review_error.h"

namespace marrowick::cli {

int runPackage(std::span<const std::string> arguments) {
    if (arguments.size() != 2) {
        std::cerr << "Usage: marrowick-cli package PROJECT OUTDIR\n";
        return 64;
    }
    const std::filesystem::path folder = arguments[1];
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        throw ReviewError("The folder \"" + folder.string() + "\" does not exist.");
    const Project project = ProjectJson::readFile(arguments[0]);
    const std::filesystem::path resources = resourceRoot(runningExecutable());
    Exporter::reports(project, folder, resources, SafeZones::profileIDs(SafeZones::load(resources)));
    std::cout << "Review package exported.\n";
    return 0;
}

}  // namespace marrowick::cli
