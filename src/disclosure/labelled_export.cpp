// The export folder, the package, and the films one after another.
#include "disclosure/labelled_export.h"

#include <system_error>
#include <vector>

#include "disclosure/labelled_video.h"
#include "disclosure/review_package.h"
#include "model/review_error.h"

namespace marrowick::Exporter {
namespace {

std::vector<Shot> shotsOf(const Project& project, const Film& film) {
    std::vector<Shot> shots;
    for (const Shot& shot : project.shots)
        if (shot.filmID == film.id) shots.push_back(shot);
    return shots;
}

}  // namespace

void checkReadyForVideos(const Project& project) {
    if (project.shots.empty() || project.reviewed() < project.shots.size())
        throw ReviewError("Review every shot before exporting labelled videos.");
}

std::filesystem::path exportLabelledCopies(const Project& project, const std::filesystem::path& parent,
                                           const std::filesystem::path& resourceRoot,
                                           const std::set<std::string>& safeZoneProfileIDs,
                                           const CopiesProgress& progress, std::stop_token stop) {
    const std::filesystem::path folder = createPackageFolder(parent, kVideoFolderPrefix);
    reports(project, folder, resourceRoot, safeZoneProfileIDs);
    const std::size_t count = project.films.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (stop.stop_requested()) throw Cancelled();
        const Film& film = project.films[i];
        const std::filesystem::path movie = folder / labelledVideoName(i + 1, film);
        try {
            labelledVideo(film, shotsOf(project, film), project, movie, resourceRoot,
                          [&](double fraction) { progress(i, count, film, fraction); }, stop);
        } catch (...) {
            std::error_code ignored;
            std::filesystem::remove(movie, ignored);
            throw;
        }
    }
    return folder;
}

}  // namespace marrowick::Exporter
