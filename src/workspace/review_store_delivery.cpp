// The controller's delivery export: preconditions, destination, then the export as one activity.
#include <exception>

#include "delivery/delivery_export.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

constexpr const char* kConfirmButton = "Export delivery & mastering files";
constexpr const char* kCheckingActivity = "Checking all delivery targets\u2026";

}  // namespace

void ReviewStore::exportDelivery() {
    std::optional<DeliveryRequest> request;
    const bool done = attempt([&] {
        DeliveryExport::requireReviewed(project_);
        const FFmpegTools tools = DeliveryExport::requireTools(setup_->ffmpegTools());
        const DeliveryChoices& delivery = setup_->delivery();
        request = DeliveryRequest{project_, DeliveryExport::selectedPresets(setup_->presets(), delivery.deliveryKeys),
                                  delivery.deliveryFraming, delivery.assumeRec709, tools, resourceRoot_, safeZoneIDs_};
    });
    if (!done) return;
    if (request->presets.empty()) return;
    const std::optional<std::filesystem::path> destination = dialogs_.chooseExportFolder(kConfirmButton);
    if (!destination || !begin(kCheckingActivity)) return;
    finish([this, request = std::move(*request), destination = *destination](const ActivityContext& context) {
        const auto jobs = DeliveryExport::check(request, context.stopToken());
        const auto progress = [this, &context](const std::string& activity, double fraction) {
            context.onMainThread([this, activity] { setActivityText(activity); });
            context.reportProgress(fraction);
        };
        const std::filesystem::path folder =
            DeliveryExport::write(request, jobs, destination, progress, context.stopToken());
        context.onMainThread([this, folder] { dialogs_.revealFolder(folder); });
    });
}

}  // namespace marrowick
