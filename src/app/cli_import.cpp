// marrowick-cli import PROJECT VIDEO [--cuts LIST]... [--carry-from EARLIER]: imports films into a
// project file, as the workspace does; a film followed by --cuts takes its shots from the editor's
// cut list. Decisions of the project's reviewed films, and of the films of an earlier review file,
// are carried to matching shots as suggestions.
#include <exception>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

#include "analysis/import_pipeline.h"
#include "analysis/media_file.h"
#include "app/cli_command.h"
#include "interchange/cut_list_import.h"
#include "model/atomic_file.h"
#include "model/film_name.h"
#include "model/project_json.h"
#include "model/resource_root.h"
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

// The videos in order, the cut list named after each one that has one, and the earlier reviews.
struct ImportRequest {
    std::vector<std::filesystem::path> videos;
    std::vector<CutListPair> cutLists;
    std::vector<std::filesystem::path> carryFrom;
};

std::optional<ImportRequest> importRequestOf(std::span<const std::string> arguments) {
    ImportRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--carry-from") {
            if (i + 1 == arguments.size()) return std::nullopt;
            request.carryFrom.push_back(arguments[++i]);
            continue;
        }
        if (arguments[i] != "--cuts") {
            request.videos.push_back(std::filesystem::absolute(arguments[i]));
            continue;
        }
        const bool follows = !request.videos.empty() && (request.cutLists.empty() || request.cutLists.back().video != request.videos.back());
        if (!follows || i + 1 == arguments.size()) return std::nullopt;
        request.cutLists.push_back({request.videos.back(), arguments[++i]});
    }
    if (request.videos.empty()) return std::nullopt;
    return request;
}

MediaTiming timingOf(const std::filesystem::path& video) {
    const MediaFile media(video);
    const VideoTrackInfo& info = media.info();
    return {info.duration, info.fps, info.timecode};
}

// The project's own reviewed films, then those of each earlier review file (read and checked
// before anything is imported; nothing else of those files is used).
std::vector<EarlierFilm> earlierFilms(const Project& project, const std::vector<std::filesystem::path>& files) {
    std::vector<EarlierFilm> earlier = ImportPipeline::reviewedFilms(project);
    for (const std::filesystem::path& file : files) {
        Project review = ProjectJson::readFile(file);
        review.validated();
        for (EarlierFilm& film : ImportPipeline::reviewedFilms(review, file.filename().string()))
            earlier.push_back(std::move(film));
    }
    return earlier;
}

}  // namespace

int runImport(std::span<const std::string> arguments) {
    const std::optional<ImportRequest> request = arguments.empty() ? std::nullopt : importRequestOf(arguments.subspan(1));
    if (!request) {
        std::cerr << "Usage: marrowick-cli import PROJECT VIDEO [--cuts LIST]... [--carry-from EARLIER.marrowick]\n";
        return 64;
    }
    const std::filesystem::path projectFile = arguments[0];
    Project project = projectAt(projectFile);
    // Every cut list is read and checked before anything is imported.
    const CutListImport cuts(request->cutLists, timingOf);
    CarryOver carry(earlierFilms(project, request->carryFrom), SignatureCache(SignatureCache::defaultFolder()));
    ShotDetector detector(resourceRoot(runningExecutable()));
    std::size_t completed = 0;
    ImportPipeline::Events events;
    std::string carriedLine;  // printed after the film's own line
    events.filmDone = [&](const Film& film, const std::vector<Shot>& shots) {
        std::cout << film.path << ": " << shots.size() << " shots" << std::endl;
        if (!carriedLine.empty()) std::cout << carriedLine << std::endl;
        carriedLine.clear();
        ++completed;
    };
    events.damaged = [](const std::filesystem::path& video, const std::string& note) {
        std::cerr << video.filename().string() << ": " << note << std::endl;
    };
    events.carried = [&carriedLine](const Film& film, const CarryReport& report) {
        for (const std::string& note : report.notes) std::cerr << note << std::endl;
        carriedLine = report.summary(fileName(film));
    };
    std::exception_ptr failure;
    try {
        ImportPipeline::importInto(project, detector, request->videos, events, {},
                                   [&](const std::filesystem::path& video, Film& film, std::vector<Shot>& shots) {
                                       cuts.applyTo(video, film, shots);
                                   },
                                   &carry);
    } catch (...) {
        // Films completed before any failure are kept, as in the workspace; the failure is then
        // reported as it is (a fault still ends in the command line's generic line).
        failure = std::current_exception();
    }
    // A failure before the first film leaves the file as it was, or absent if it was absent.
    if (!failure || completed > 0) writeFileAtomically(projectFile, ProjectJson::encode(project));
    if (failure) std::rethrow_exception(failure);
    return 0;
}

}  // namespace marrowick::cli
