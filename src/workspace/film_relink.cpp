// Relink and redetect as workspace activities.
#include "workspace/film_relink.h"

#include <cmath>

#include "analysis/file_fingerprint.h"
#include "analysis/media_file.h"
#include "analysis/shot_imaging.h"
#include "model/decimal_text.h"
#include "model/film_name.h"
#include "model/reference_date.h"
#include "model/review_error.h"
#include "workspace/activity_host.h"
#include "workspace/waveforms.h"

namespace marrowick::FilmRelink {

namespace {

constexpr const char* kRelinkActivity = "Checking replacement media…";
constexpr const char* kRedetectActivity = "Redetecting this source…";
constexpr double kDetectionShare = 0.8;

// Throws the relink's message when the chosen file is not the film's source.
void checkSameSource(const Film& film, const std::filesystem::path& chosen, std::stop_token stop) {
    if (film.sourceSHA256 && FileFingerprint::sha256(chosen, stop) != *film.sourceSHA256)
        throw ReviewError(kDifferentSource);
    const double duration = MediaFile(chosen).info().duration;
    if (!(std::abs(duration - film.duration) < 1.0 / film.fps)) throw ReviewError(kDurationDiffers);
}

// The film's new shots: detected with the threshold, owned by the film, enriched.
std::vector<Shot> detectAgain(const DetectorFactory& detectors, const Film& film, double threshold,
                              const ActivityContext& context) {
    const std::unique_ptr<ShotDetector> detector = detectors();
    std::vector<Shot> shots =
        detector->detect(film.path, threshold, [&](double v) { context.reportProgress(kDetectionShare * v); },
                         context.stopToken())
            .second;
    MediaFile source(film.path);
    for (Shot& shot : shots) {
        context.throwIfCancelled();
        shot.filmID = film.id;
        shot = ShotImaging::enrich(std::move(shot), source);
    }
    return shots;
}

}  // namespace

void relink(ActivityHost& host, DesktopDialogs& dialogs, const Film& film) {
    if (host.busy()) return;
    const std::optional<std::filesystem::path> chosen = dialogs.openFileWithMessage(
        FilmImport::movieExtensions(),
        "Locate the original file for " + fileName(film) + ". Relinking must use the same edit and timing.");
    if (!chosen || !host.begin(kRelinkActivity)) return;
    host.finish([&host, film, chosen = *chosen](const ActivityContext& context) {
        checkSameSource(film, chosen, context.stopToken());
        context.onMainThread([&host, film, path = chosen.string()] {
            const Uuid& id = film.id;
            if (!host.project().film(id)) return;
            host.waveforms().forget(film);  // its file was missing: the outline read then was empty
            host.storeActivityResult([&](Project& project) {
                for (Film& candidate : project.films)
                    if (candidate.id == id) {
                        candidate.path = path;
                        candidate.bookmark = nullptr;  // Linux reaches sources by path
                    }
            });
            host.focusSelected();
        });
    });
}

void redetect(ActivityHost& host, DesktopDialogs& dialogs, const DetectorFactory& detectors, const Film& film) {
    if (host.busy()) return;
    const std::size_t answer =
        dialogs.alert({"Redetect shots in " + fileName(film) + "?",
                       "Uses the current cut threshold and resets this film's review decisions. You can undo this "
                       "operation.",
                       {"Redetect", "Cancel"}});
    if (answer != 0) return;
    const Project snapshot = host.project();
    if (!host.begin(kRedetectActivity)) return;
    host.finish([&host, detectors, film, snapshot](const ActivityContext& context) {
        const std::vector<Shot> fresh = detectAgain(detectors, film, snapshot.threshold, context);
        SharedVector<Shot> shots;
        for (const Shot& shot : snapshot.shots)
            if (shot.filmID != film.id) shots.push_back(shot);
        for (const Shot& shot : fresh) shots.push_back(shot);
        SharedVector<Shot> grouped = ShotImaging::group(std::move(shots), snapshot.groupingThreshold, context.stopToken());
        context.throwIfCancelled();
        const ReviewEvent event{referenceDateNow(), "redetect", {},
                                fileName(film) + "; threshold " + decimalText(snapshot.threshold)};
        context.onMainThread([&host, grouped = std::move(grouped), event] {
            host.recordActivitySnapshot();
            host.storeActivityResult([&](Project& project) {
                project.shots = grouped;
                project.history.push_back(event);
            });
            host.setSelection({});
        });
    });
}

}  // namespace marrowick::FilmRelink
