// Project file reading and writing for open and save.
#include "workspace/project_files.h"

#include "model/atomic_file.h"
#include "model/project_json.h"

namespace marrowick::ProjectFiles {

const FileExtensions& saveExtensions() {
    static const FileExtensions extensions{"marrowick"};
    return extensions;
}

const FileExtensions& openExtensions() {
    static const FileExtensions extensions{"marrowick", "json"};
    return extensions;
}

Project read(const std::filesystem::path& file) {
    Project project = ProjectJson::readFile(file);
    project.validated();
    return project;
}

void write(const std::filesystem::path& file, const Project& project) {
    writeFileAtomically(file, ProjectJson::encode(project.validated()));
}

void resolveMedia(Project&) {}

}  // namespace marrowick::ProjectFiles
