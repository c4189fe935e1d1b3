// marrowick-cli deliver PROJECT OUTDIR --preset KEY...: the delivery export without a window.
#include <cmath>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/cli_command.h"
#include "app/cli_delivery_options.h"
#include "delivery/delivery_export.h"
#include "disclosure/safe_zones.h"
#include "model/project_json.h"
#include "model/resource_root.h"
#include "model/review_error.h"

namespace marrowick::cli {
namespace {

constexpr const char* kUsage =
    "Usage: marrowick-cli deliver PROJECT OUTDIR --preset KEY... [--assume-rec709] [--framing pad|crop]\n";

// Writes "<activity> NN%" to standard error whenever the activity or the whole percent changes.
class ProgressPrinter {
public:
    void operator()(const std::string& activity, double fraction) {
        const int percent = static_cast<int>(std::floor(fraction * 100));
        if (activity == activity_ && percent == percent_) return;
        activity_ = activity;
        percent_ = percent;
        std::cerr << activity << " " << percent << "%\n";
    }

private:
    std::string activity_;
    int percent_ = -1;
};

int deliver(const DeliveryOptions& options) {
    const std::filesystem::path destination = options.positional[1];
    std::error_code error;
    if (!std::filesystem::is_directory(destination, error))
        throw ReviewError("The folder \"" + destination.string() + "\" does not exist.");
    const Project project = ProjectJson::readFile(options.positional[0]);
    DeliveryExport::requireReviewed(project);
    const std::filesystem::path resources = resourceRoot(runningExecutable());
    const DeliveryRequest request{project,
                                  presetsFor(options.presetKeys),
                                  options.framing,
                                  options.assumeRec709,
                                  DeliveryExport::requireTools(""),
                                  resources,
                                  SafeZones::profileIDs(SafeZones::load(resources))};
    std::cerr << "Checking all delivery targets\u2026\n";
    const auto jobs = DeliveryExport::check(request, {});
    ProgressPrinter printer;
    const std::filesystem::path folder = DeliveryExport::write(request, jobs, destination, std::ref(printer), {});
    std::cout << folder.string() << "\n";
    return 0;
}

}  // namespace

int runDeliver(std::span<const std::string> arguments) {
    const std::optional<DeliveryOptions> options = parseDeliveryOptions(arguments);
    if (!options || options->positional.size() != 2 || options->presetKeys.empty()) {
        std::cerr << kUsage;
        return 64;
    }
    try {
        return deliver(*options);
    } catch (const ReviewError& error) {
        std::cerr << error.message() << "\n";
        return 1;
    }
}

}  // namespace marrowick::cli
