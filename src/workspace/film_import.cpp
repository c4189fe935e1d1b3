// Import and refresh as workspace activities: results posted to the main thread as they come.
#include "workspace/film_import.h"

#include "analysis/import_pipeline.h"
#include "analysis/media_file.h"
#include "analysis/shot_imaging.h"
#include "analysis/signature_cache.h"
#include "interchange/cut_list_import.h"
#include "model/film_name.h"
#include "model/review_error.h"
#include "workspace/activity_host.h"
#include "workspace/project_files.h"

namespace marrowick::FilmImport {

namespace {

constexpr const char* kImportActivity = "Detecting shots locally…";
constexpr const char* kRefreshActivity = "Refreshing thumbnails and visual groups…";

// On the main thread: the film and its shots join the review; the first shot is selected when
// nothing is.
void storeFilm(ActivityHost& host, const Film& film, const std::vector<Shot>& shots) {
    host.storeActivityResult([&](Project& project) {
        project.films.push_back(film);
        for (const Shot& shot : shots) project.shots.push_back(shot);
    });
    if (!host.selection().empty() || shots.empty()) return;
    host.setSelection({shots.front().id});
    host.focusSelected();
}

// "Carried earlier decisions to 3 of 7 shots of b.mov · a.mov is missing, so …"
std::string carriedText(const Film& film, const CarryReport& report) {
    std::string text = report.summary(fileName(film));
    for (const std::string& note : report.notes) text += " · " + note;
    return text;
}

}  // namespace

const FileExtensions& movieExtensions() {
    static const FileExtensions extensions{"mov", "qt",  "mp4", "m4v", "mpg", "mpeg", "m2v", "avi", "mkv",
                                           "mxf", "mts", "m2ts", "ts",  "webm", "dv",  "3gp", "ogv"};
    return extensions;
}

void importFiles(ActivityHost& host, const DetectorFactory& detectors, const std::vector<std::filesystem::path>& files,
                 const ImportPipeline::ShotSource& shotSource, std::vector<EarlierFilm> earlier) {
    if (host.busy()) return;
    std::vector<std::filesystem::path> fresh = ImportPipeline::newFiles(host.project(), files);
    if (fresh.empty()) return;
    const double threshold = host.project().threshold;
    const float groupingThreshold = host.project().groupingThreshold;
    // The review cannot change under a running activity, so its shots now plus the imported
    // ones are the project's shots when grouping starts.
    SharedVector<Shot> allShots = host.project().shots;
    std::vector<EarlierFilm> known = ImportPipeline::reviewedFilms(host.project());
    std::move(earlier.begin(), earlier.end(), std::back_inserter(known));
    auto carry = std::make_shared<CarryOver>(std::move(known), SignatureCache(SignatureCache::defaultFolder()));
    host.recordActivitySnapshot();
    host.begin(kImportActivity);
    host.finish([&host, detectors, fresh, threshold, groupingThreshold, allShots, shotSource,
                  carry](const ActivityContext& context) mutable {
        const std::unique_ptr<ShotDetector> detector = detectors();
        ImportPipeline::Events events;
        events.progress = [&](double progress, const std::string& activity) {
            context.onMainThread([&host, activity] { host.setActivityText(activity); });
            context.reportProgress(progress);
        };
        events.filmDone = [&](Film film, std::vector<Shot> shots) {
            for (const Shot& shot : shots) allShots.push_back(shot);
            context.onMainThread([&host, film = std::move(film), shots = std::move(shots)] { storeFilm(host, film, shots); });
        };
        events.carried = [&](const Film& film, const CarryReport& report) {
            context.onMainThread([&host, text = carriedText(film, report)] {
                host.setActivityText(text);
                host.addOutcomeNote(text);
            });
        };
        ImportPipeline::detectAndEnrich(*detector, fresh, threshold, events, context.stopToken(), shotSource,
                                        carry.get());
        SharedVector<Shot> grouped = ShotImaging::group(allShots, groupingThreshold, context.stopToken());
        context.onMainThread([&host, grouped = std::move(grouped)] {
            host.storeActivityResult([&](Project& project) { project.shots = grouped; });
        });
    });
}

const FileExtensions& cutListExtensions() {
    static const FileExtensions extensions{"edl", "otio", "fcpxml", "xml"};
    return extensions;
}

void importWithCutList(ActivityHost& host, DesktopDialogs& dialogs, const DetectorFactory& detectors) {
    if (host.busy()) return;
    const std::optional<std::filesystem::path> video = dialogs.openFile(movieExtensions());
    if (!video) return;
    const std::optional<std::filesystem::path> list =
        dialogs.openFileWithMessage(cutListExtensions(), "Choose the cut list of " + video->filename().string() + ".");
    if (!list) return;
    std::shared_ptr<const CutListImport> cuts;
    const bool done = host.attempt([&] {
        cuts = std::make_shared<const CutListImport>(
            std::vector<CutListPair>{{*video, *list}},
            [](const std::filesystem::path& file) {
                const MediaFile media(file);
                return MediaTiming{media.info().duration, media.info().fps, media.info().timecode};
            },
            host.presentation().timeDisplay);
    });
    if (!done) return;
    importFiles(host, detectors, {*video}, [cuts](const std::filesystem::path& file, Film& film, std::vector<Shot>& shots) {
        cuts->applyTo(file, film, shots);
    });
}

void importNewVersion(ActivityHost& host, DesktopDialogs& dialogs, const DetectorFactory& detectors) {
    if (host.busy()) return;
    const std::optional<std::filesystem::path> review =
        dialogs.openFileWithMessage(ProjectFiles::openExtensions(), "Choose the review file of the earlier cut.");
    if (!review) return;
    std::vector<EarlierFilm> earlier;
    const bool read = host.attempt([&] {
        earlier = ImportPipeline::reviewedFilms(ProjectFiles::read(*review, {}), review->filename().string());
    });
    if (!read) return;
    const std::vector<std::filesystem::path> files = dialogs.openFiles(movieExtensions());
    if (!files.empty()) importFiles(host, detectors, files, {}, std::move(earlier));
}

void importDialog(ActivityHost& host, DesktopDialogs& dialogs, const DetectorFactory& detectors) {
    if (host.busy()) return;
    const std::vector<std::filesystem::path> files = dialogs.openFiles(movieExtensions());
    if (!files.empty()) importFiles(host, detectors, files);
}

bool drop(ActivityHost& host, const DetectorFactory& detectors, const std::vector<std::filesystem::path>& files) {
    if (host.busy()) return false;
    importFiles(host, detectors, files);
    return true;
}

void refreshImages(ActivityHost& host) {
    const Project copy = host.project();
    if (!host.begin(kRefreshActivity)) return;
    host.finish([&host, copy](const ActivityContext& context) {
        SharedVector<Shot> shots = copy.shots;
        for (std::size_t i = 0; i < shots.size(); ++i) {
            if (shots[i].feature) continue;
            context.throwIfCancelled();
            const Film* film = copy.film(shots[i].filmID);
            if (!film) continue;
            shots.mut(i) = ShotImaging::enrich(shots[i], *film);
        }
        SharedVector<Shot> grouped = ShotImaging::group(std::move(shots), copy.groupingThreshold, context.stopToken());
        context.onMainThread([&host, grouped = std::move(grouped)] {
            host.storeActivityResult([&](Project& project) { project.shots = grouped; });
        });
    });
}

}  // namespace marrowick::FilmImport
