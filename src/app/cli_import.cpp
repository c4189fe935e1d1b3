// marrowick-cli import PROJECT VIDEO...: imports films into a project file, as the workspace does.
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

#include "analysis/import_pipeline.h"
#include "app/cli_command.h"
#include "model/resource_root.h"
#include "model/atomic_file.h"
#include "model/project_json.h"
#include "model/review_error.h"

namespace marrowick::cli {

namespace {

// The project in the file, validated as opening it would; a new project when there is no file.
Project projectAt(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return Project{};
    Project project = ProjectJson::readFile(file);
    project.validated();
    return project;
}

}  // namespace

int runImport(std::span<const std::string> arguments) {
    if (arguments.size() < 2) {
        std::cerr << "Usage: marrowick-cli import PROJECT VIDEO...\n";
        return 64;
    }
    const std::filesystem::path projectFile = arguments[0];
    try {
        Project project = projectAt(projectFile);
        std::vector<std::filesystem::path> videos;
        for (const std::string& video : arguments.subspan(1)) videos.push_back(std::filesystem::absolute(video));
        ShotDetector detector(resourceRoot(runningExecutable()));
        std::size_t completed = 0;
        ImportPipeline::Events events;
        events.filmDone = [&completed](const Film& film, const std::vector<Shot>& shots) {
            std::cout << film.path << ": " << shots.size() << " shots" << std::endl;
            ++completed;
        };
        std::optional<ReviewError> failure;
        try {
            ImportPipeline::importInto(project, detector, videos, events);
        } catch (const ReviewError& error) {
            failure = error;  // films completed before the failure are kept, as in the workspace
        }
        // A failure before the first film leaves the file as it was, or absent if it was absent.
        if (!failure || completed > 0) writeFileAtomically(projectFile, ProjectJson::encode(project));
        if (failure) throw *failure;
        return 0;
    } catch (const ReviewError& error) {
        std::cerr << error.message() << "\n";
        return 1;
    }
}

}  // namespace marrowick::cli
