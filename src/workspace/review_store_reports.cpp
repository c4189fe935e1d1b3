// The controller's review package export (folder chooser, package folder, notice and reveal) and
// its timeline export for the editor.
#include <exception>

#include "disclosure/review_package.h"
#include "interchange/timeline_export.h"
#include "workspace/review_store.h"

namespace marrowick {

void ReviewStore::exportReports() {
    const std::optional<std::filesystem::path> parent = dialogs_.chooseExportFolder("Export review package");
    if (!parent) return;
    std::filesystem::path package;
    try {
        package = Exporter::exportReviewPackage(project_, *parent, resourceRoot_, safeZoneIDs_);
    } catch (const std::exception& failure) {
        showError(failure.what());
        return;
    }
    showNotice("Review package exported.");
    dialogs_.revealFolder(package);
}

void ReviewStore::exportTimeline() {
    if (busy()) return;
    const std::optional<std::filesystem::path> file = dialogs_.saveFile(project_.name + ".otio", {"otio", "edl"});
    if (!file) return;
    try {
        TimelineExport::write(project_, *file);
    } catch (const std::exception& failure) {
        showError(failure.what());
        return;
    }
    showNotice("Timeline exported.");
}

}  // namespace marrowick
