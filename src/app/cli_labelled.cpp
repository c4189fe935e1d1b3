// marrowick-cli labelled PROJECT OUTDIR: the labelled display copies without a window.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "app/cli_command.h"
#include "disclosure/labelled_export.h"
#include "disclosure/safe_zones.h"
#include "model/project_json.h"
#include "model/resource_root.h"
#include "model/review_error.h"

namespace marrowick::cli {
namespace {

bool progressLineOpen = false;  // a progress line awaits its line break

// "Exporting reel_b.mov 2/3 41%" on one rewritten line of standard error per film.
void showProgress(std::size_t index, std::size_t count, const Film& film, double fraction) {
    std::fprintf(stderr, "\rExporting %s %zu/%zu %3d%%", std::filesystem::path(film.path).filename().c_str(),
                 index + 1, count, static_cast<int>(fraction * 100));
    progressLineOpen = fraction < 1.0;
    if (!progressLineOpen) std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace

int runLabelled(std::span<const std::string> arguments) {
    if (arguments.size() != 2) {
        std::cerr << "Usage: marrowick-cli labelled PROJECT OUTDIR\n";
        return 64;
    }
    const std::filesystem::path parent = arguments[1];
    try {
        std::error_code error;
        if (!std::filesystem::is_directory(parent, error))
            throw ReviewError("The folder \"" + parent.string() + "\" does not exist.");
        const Project project = ProjectJson::readFile(arguments[0]);
        Exporter::checkReadyForVideos(project);
        const std::filesystem::path resources = resourceRoot(runningExecutable());
        const std::filesystem::path folder = Exporter::exportLabelledCopies(
            project, parent, resources, SafeZones::profileIDs(SafeZones::load(resources)), showProgress);
        std::cout << folder.string() << "\n";
        return 0;
    } catch (...) {
        if (progressLineOpen) std::cerr << "\n";  // the failure's words start a line of their own
        throw;
    }
}

}  // namespace marrowick::cli
