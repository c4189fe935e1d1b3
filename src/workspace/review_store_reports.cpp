// The controller's exports: the review package (folder chooser, package folder, notice and
// reveal), the labelled display copies (the same, run as an activity with per-film progress) and
// the timeline for the editor.
#include <exception>

#include "disclosure/labelled_export.h"
#include "disclosure/review_package.h"
#include "interchange/timeline_export.h"
#include "model/film_name.h"
#include "workspace/review_store.h"

namespace marrowick {

void ReviewStore::exportReports() {
    const std::optional<std::filesystem::path> parent = dialogs_.chooseExportFolder("Export review package");
    if (!parent) return;
    std::filesystem::path package;
    if (!attempt([&] { package = Exporter::exportReviewPackage(project_, *parent, resourceRoot_, safeZoneIDs_); })) return;
    showNotice("Review package exported.");
    dialogs_.revealFolder(package);
}

void ReviewStore::exportVideos() {
    if (busy()) return;
    if (!attempt([&] { Exporter::checkReadyForVideos(project_); })) return;
    const std::optional<std::filesystem::path> parent = dialogs_.chooseExportFolder("Export labelled MOV copies");
    if (!parent || !begin("Exporting labelled display copies…")) return;
    finish([this, project = project_, parent = *parent, resources = resourceRoot_,
            guides = safeZoneIDs_](const ActivityContext& context) {
        const auto progress = [&](std::size_t index, std::size_t count, const Film& film, double fraction) {
            const std::string text = "Exporting " + fileName(film);
            context.onMainThread([this, text] { setActivityText(text); });
            context.reportProgress((fraction + static_cast<double>(index)) / static_cast<double>(count));
        };
        const std::filesystem::path folder =
            Exporter::exportLabelledCopies(project, parent, resources, guides, progress, context.stopToken());
        context.onMainThread([this, folder] { dialogs_.revealFolder(folder); });
    });
}

void ReviewStore::exportTimeline() {
    if (busy()) return;
    const std::optional<std::filesystem::path> file = dialogs_.saveFile(project_.name + ".otio", {"otio", "edl"});
    if (!file) return;
    if (!attempt([&] { TimelineExport::write(project_, *file); })) return;
    showNotice("Timeline exported.");
}

}  // namespace marrowick
