// marrowick-cli validate FILE: size gate, decode and validation of a project file.
#include <iostream>
#include <string>

#include "app/cli_command.h"
#include "disclosure/safe_zones.h"
#include "model/project_json.h"
#include "model/resource_root.h"

namespace marrowick::cli {

int runValidate(std::span<const std::string> arguments) {
    if (arguments.size() != 1) {
        std::cerr << "Usage: marrowick-cli validate FILE\n";
        return 64;
    }
    const Project project = ProjectJson::readFile(arguments[0]);
    project.validated(SafeZones::profileIDs(SafeZones::load(resourceRoot(runningExecutable()))));
    std::cout << "valid: " << project.films.size() << " films, " << project.shots.size() << " shots\n";
    return 0;
}

}  // namespace marrowick::cli
