// marrowick-cli timeline PROJECT OUT: writes the review as an OpenTimelineIO file or an EDL.
#include <filesystem>
#include <iostream>
#include <string>

#include "app/cli_command.h"
#include "interchange/timeline_export.h"
#include "model/project_json.h"

namespace marrowick::cli {

int runTimeline(std::span<const std::string> arguments) {
    if (arguments.size() != 2) {
        std::cerr << "Usage: marrowick-cli timeline PROJECT OUT.otio|OUT.edl\n";
        return 64;
    }
    Project project = ProjectJson::readFile(arguments[0]);
    project.validated();
    TimelineExport::write(project, arguments[1]);
    std::cout << "Timeline exported.\n";
    return 0;
}

}  // namespace marrowick::cli
