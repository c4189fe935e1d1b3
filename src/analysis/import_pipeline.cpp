// The import loop shared by the workspace and marrowick-cli.
#include "analysis/import_pipeline.h"

#include <algorithm>

#include "analysis/shot_imaging.h"
#include "model/review_error.h"

namespace marrowick::ImportPipeline {

namespace {

constexpr double kDetectionShare = 0.75;

void throwIfStopped(const std::stop_token& stop) {
    if (stop.stop_requested()) throw Cancelled();
}

}  // namespace

std::string detectingText(const std::string& detectorName, const std::filesystem::path& file) {
    return detectorName + " · " + file.filename().string();
}

std::string indexingText(std::size_t shots, const std::filesystem::path& file) {
    return "Indexing " + std::to_string(shots) + " shots · " + file.filename().string();
}

std::vector<std::filesystem::path> newFiles(const Project& project, const std::vector<std::filesystem::path>& files) {
    std::vector<std::filesystem::path> result;
    for (const std::filesystem::path& file : files) {
        const bool known = std::any_of(project.films.begin(), project.films.end(),
                                       [&](const Film& film) { return film.path == file.string(); });
        if (!known) result.push_back(file);
    }
    return result;
}

void detectAndEnrich(ShotDetector& detector, const std::vector<std::filesystem::path>& files, double threshold,
                     const Events& events, std::stop_token stop, const ShotSource& shotSource) {
    const double count = static_cast<double>(files.size());
    const std::string detectorName = detector.detectorName();
    for (std::size_t i = 0; i < files.size(); ++i) {
        throwIfStopped(stop);
        const std::filesystem::path& file = files[i];
        const std::string detecting = detectingText(detectorName, file);
        auto [film, shots] = detector.detect(
            file, threshold,
            [&](double fraction) {
                if (events.progress) events.progress((double(i) + kDetectionShare * fraction) / count, detecting);
            },
            stop);
        if (shotSource) shotSource(file, film, shots);
        const std::string indexing = indexingText(shots.size(), file);
        MediaFile source(film.path);
        for (std::size_t j = 0; j < shots.size(); ++j) {
            throwIfStopped(stop);
            shots[j] = ShotImaging::enrich(std::move(shots[j]), source);
            const double done = kDetectionShare + (1 - kDetectionShare) * double(j + 1) / double(shots.size());
            if (events.progress) events.progress((double(i) + done) / count, indexing);
        }
        if (events.filmDone) events.filmDone(std::move(film), std::move(shots));
    }
}

std::vector<Film> importInto(Project& project, ShotDetector& detector, const std::vector<std::filesystem::path>& files,
                             const Events& events, std::stop_token stop, const ShotSource& shotSource) {
    std::vector<Film> imported;
    Events collecting = events;
    collecting.filmDone = [&](Film film, std::vector<Shot> shots) {
        if (events.filmDone) events.filmDone(film, shots);
        for (Shot& shot : shots) project.shots.push_back(std::move(shot));
        project.films.push_back(film);
        imported.push_back(std::move(film));
    };
    detectAndEnrich(detector, newFiles(project, files), project.threshold, collecting, stop, shotSource);
    project.shots = ShotImaging::group(project.shots, project.groupingThreshold, stop);
    return imported;
}

}  // namespace marrowick::ImportPipeline
