// Import and refresh as workspace activities: results posted to the main thread as they come.
#include "workspace/film_import.h"

#include "analysis/import_pipeline.h"
#include "analysis/media_file.h"
#include "analysis/shot_imaging.h"
#include "analysis/signature_cache.h"
#include "interchange/cut_list_import.h"
#include "model/film_name.h"
#include "model/review_error.h"
#include "workspace/project_files.h"
#include "workspace/review_store.h"

namespace marrowick::FilmImport {

namespace {

constexpr const char* kImportActivity = "Detecting shots locally…";
constexpr const char* kRefreshActivity = "Refreshing thumbnails and visual groups…";

// On the main thread: the film and its shots join the review; the first shot is selected when
// nothing is.
void storeFilm(ReviewStore& store, const Film& film, const std::vector<Shot>& shots) {
    store.storeActivityResult([&](Project& project) {
        project.films.push_back(film);
        for (const Shot& shot : shots) project.shots.push_back(shot);
    });
    if (!store.selection().empty() || shots.empty()) return;
    store.setSelection({shots.front().id});
    store.focusSelected();
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

void importFiles(ReviewStore& store, const DetectorFactory& detectors, const std::vector<std::filesystem::path>& files,
                 const ImportPipeline::ShotSource& shotSource, std::vector<EarlierFilm> earlier) {
    if (store.busy()) return;
    std::vector<std::filesystem::path> fresh = ImportPipeline::newFiles(store.project(), files);
    if (fresh.empty()) return;
    const double threshold = store.project().threshold;
    const float groupingThreshold = store.project().groupingThreshold;
    // The review cannot change under a running activity, so its shots now plus the imported
    // ones are the project's shots when grouping starts.
    SharedVector<Shot> allShots = store.project().shots;
    std::vector<EarlierFilm> known = ImportPipeline::reviewedFilms(store.project());
    std::move(earlier.begin(), earlier.end(), std::back_inserter(known));
    auto carry = std::make_shared<CarryOver>(std::move(known), SignatureCache(SignatureCache::defaultFolder()));
    store.recordActivitySnapshot();
    store.begin(kImportActivity);
    store.finish([&store, detectors, fresh, threshold, groupingThreshold, allShots, shotSource,
                  carry](const ActivityContext& context) mutable {
        const std::unique_ptr<ShotDetector> detector = detectors();
        ImportPipeline::Events events;
        events.progress = [&](double progress, const std::string& activity) {
            context.onMainThread([&store, activity] { store.setActivityText(activity); });
            context.reportProgress(progress);
        };
        events.filmDone = [&](Film film, std::vector<Shot> shots) {
            for (const Shot& shot : shots) allShots.push_back(shot);
            context.onMainThread([&store, film = std::move(film), shots = std::move(shots)] { storeFilm(store, film, shots); });
        };
        events.carried = [&](const Film& film, const CarryReport& report) {
            context.onMainThread([&store, text = carriedText(film, report)] {
                store.setActivityText(text);
                store.addOutcomeNote(text);
            });
        };
        ImportPipeline::detectAndEnrich(*detector, fresh, threshold, events, context.stopToken(), shotSource,
                                        carry.get());
        SharedVector<Shot> grouped = ShotImaging::group(allShots, groupingThreshold, context.stopToken());
        context.onMainThread([&store, grouped = std::move(grouped)] {
            store.storeActivityResult([&](Project& project) { project.shots = grouped; });
        });
    });
}

const FileExtensions& cutListExtensions() {
    static const FileExtensions extensions{"edl", "otio", "fcpxml", "xml"};
    return extensions;
}

void importWithCutList(ReviewStore& store, DesktopDialogs& dialogs, const DetectorFactory& detectors) {
    if (store.busy()) return;
    const std::optional<std::filesystem::path> video = dialogs.openFile(movieExtensions());
    if (!video) return;
    const std::optional<std::filesystem::path> list =
        dialogs.openFileWithMessage(cutListExtensions(), "Choose the cut list of " + video->filename().string() + ".");
    if (!list) return;
    std::shared_ptr<const CutListImport> cuts;
    const bool done = store.attempt([&] {
        cuts = std::make_shared<const CutListImport>(
            std::vector<CutListPair>{{*video, *list}},
            [](const std::filesystem::path& file) {
                const MediaFile media(file);
                return MediaTiming{media.info().duration, media.info().fps, media.info().timecode};
            },
            store.presentation().timeDisplay);
    });
    if (!done) return;
    importFiles(store, detectors, {*video}, [cuts](const std::filesystem::path& file, Film& film, std::vector<Shot>& shots) {
        cuts->applyTo(file, film, shots);
    });
}

void importNewVersion(ReviewStore& store, DesktopDialogs& dialogs, const DetectorFactory& detectors) {
    if (store.busy()) return;
    const std::optional<std::filesystem::path> review =
        dialogs.openFileWithMessage(ProjectFiles::openExtensions(), "Choose the review file of the earlier cut.");
    if (!review) return;
    std::vector<EarlierFilm> earlier;
    const bool read = store.attempt([&] {
        earlier = ImportPipeline::reviewedFilms(ProjectFiles::read(*review, {}), review->filename().string());
    });
    if (!read) return;
    const std::vector<std::filesystem::path> files = dialogs.openFiles(movieExtensions());
    if (!files.empty()) importFiles(store, detectors, files, {}, std::move(earlier));
}

void importDialog(ReviewStore& store, DesktopDialogs& dialogs, const DetectorFactory& detectors) {
    if (store.busy()) return;
    const std::vector<std::filesystem::path> files = dialogs.openFiles(movieExtensions());
    if (!files.empty()) importFiles(store, detectors, files);
}

bool drop(ReviewStore& store, const DetectorFactory& detectors, const std::vector<std::filesystem::path>& files) {
    if (store.busy()) return false;
    importFiles(store, detectors, files);
    return true;
}

void refreshImages(ReviewStore& store) {
    const Project copy = store.project();
    if (!store.begin(kRefreshActivity)) return;
    store.finish([&store, copy](const ActivityContext& context) {
        SharedVector<Shot> shots = copy.shots;
        for (std::size_t i = 0; i < shots.size(); ++i) {
            if (shots[i].feature) continue;
            context.throwIfCancelled();
            const Film* film = copy.film(shots[i].filmID);
            if (!film) continue;
            shots.mut(i) = ShotImaging::enrich(shots[i], *film);
        }
        SharedVector<Shot> grouped = ShotImaging::group(std::move(shots), copy.groupingThreshold, context.stopToken());
        context.onMainThread([&store, grouped = std::move(grouped)] {
            store.storeActivityResult([&](Project& project) { project.shots = grouped; });
        });
    });
}

}  // namespace marrowick::FilmImport
