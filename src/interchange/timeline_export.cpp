// Choosing the timeline format by extension and writing it atomically.
#include "interchange/timeline_export.h"

#include <algorithm>
#include <cctype>

#include "model/atomic_file.h"
#include "model/review_error.h"

namespace marrowick::TimelineExport {

void write(const Project& project, const std::filesystem::path& file) {
    if (project.films.empty()) throw ReviewError("The review has no films to export.");
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == ".otio") return writeFileAtomically(file, otio(project));
    if (extension == ".edl") return writeFileAtomically(file, edl(project));
    throw ReviewError("Unsupported timeline: " + file.filename().string() +
                      ". Use an OpenTimelineIO (.otio) or EDL (.edl) file.");
}

}  // namespace marrowick::TimelineExport
