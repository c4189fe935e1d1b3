// The review report from the window: a destination, then the writing as an activity that ends
// with the activities' own notice (or its failure or cancellation).
#include <QCoreApplication>

#include "model/reference_date.h"
#include "workspace/review_store.h"

namespace marrowick {

void ReviewStore::exportReviewReport() {
    if (busy() || !reportWriter_) return;
    const std::optional<std::filesystem::path> file = dialogs_.saveFile(project_.name + " report.pdf", {"pdf", "html"});
    if (!file || !begin("Writing the review report…")) return;
    const std::string version = QCoreApplication::applicationVersion().toStdString();
    finish([project = project_, file = *file, writer = reportWriter_, version](const ActivityContext& context) {
        ReviewReport::Options options;
        options.version = version;
        options.created = referenceDateNow();
        options.progress = [&context](double fraction) { context.reportProgress(fraction); };
        options.stop = context.stopToken();
        writer(project, options, file);
    });
}

}  // namespace marrowick
