// marrowick-cli deliver PROJECT OUTDIR --preset KEY...: the delivery export without a window.
#include <csignal>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <stop_token>
#include <string>
#include <thread>

#include <pthread.h>

#include "app/cli_command.h"
#include "app/cli_delivery_options.h"
#include "delivery/delivery_export.h"
#include "delivery/ffmpeg_preference.h"
#include "delivery/preset_library.h"
#include "disclosure/safe_zones.h"
#include "model/project_json.h"
#include "model/resource_root.h"
#include "model/review_error.h"

namespace marrowick::cli {
namespace {

constexpr const char* kDeliverUsage =
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

// Turns SIGINT and SIGTERM into a stop request, so an interrupted export stops its FFmpeg and
// removes the unfinished output as a cancelled activity does. The signals are blocked in every
// thread and taken by one waiting thread; child processes start with them unblocked.
std::stop_token stopOnInterrupt() {
    static std::stop_source source;
    static sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([] {
        int signal = 0;
        if (sigwait(&signals, &signal) == 0) source.request_stop();
    }).detach();
    return source.get_token();
}

int deliver(const DeliveryOptions& options) {
    const std::filesystem::path destination = options.positional[1];
    std::error_code error;
    if (!std::filesystem::is_directory(destination, error))
        throw ReviewError("The folder \"" + destination.string() + "\" does not exist.");
    const Project project = ProjectJson::readFile(options.positional[0]);
    DeliveryExport::requireReviewed(project);
    const std::filesystem::path resources = resourceRoot(runningExecutable());
    const DeliveryRequest request{project,
                                  selectedPresets(PresetLibrary::load({PresetLibrary::location(), resources}),
                                                  options.keys),
                                  options.framing,
                                  options.assumeRec709,
                                  DeliveryExport::requireTools(MasteringExporter::tools(FFmpegPreference::read())),
                                  resources,
                                  SafeZones::profileIDs(SafeZones::load(resources))};
    std::cerr << "Checking all delivery targets\u2026\n";
    const std::stop_token stop = stopOnInterrupt();
    const auto jobs = DeliveryExport::check(request, stop);
    ProgressPrinter printer;
    const std::filesystem::path folder = DeliveryExport::write(request, jobs, destination, std::ref(printer), stop);
    std::cout << folder.string() << "\n";
    return 0;
}

}  // namespace

int runDeliver(std::span<const std::string> arguments) {
    const std::optional<DeliveryOptions> options = parseDeliveryOptions(arguments, 2);
    if (!options) {
        std::cerr << kDeliverUsage;
        return 64;
    }
    try {
        return deliver(*options);
    } catch (const Cancelled&) {
        std::cerr << "Cancelled. Completed work is retained.\n";
        return 130;
    }
}

}  // namespace marrowick::cli
