// marrowick-cli plan PROJECT --preset KEY... [--assume-rec709] [--framing pad|crop]: plans a delivery.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/cli_command.h"
#include "app/cli_delivery_options.h"
#include "delivery/colour_confirmation.h"
#include "delivery/delivery_export.h"
#include "delivery/encode_plan.h"
#include "delivery/ffmpeg_preference.h"
#include "delivery/ffmpeg_tools.h"
#include "delivery/output_name.h"
#include "delivery/preset_library.h"
#include "model/decimal_text.h"
#include "model/project_json.h"
#include "model/resource_root.h"

namespace marrowick::cli {
namespace {

constexpr const char* kPlanUsage = "Usage: marrowick-cli plan PROJECT --preset KEY... [--assume-rec709] [--framing pad|crop]\n";

struct PlannedJob {
    std::string outputName;
    EncodePlan plan;
    double sourceFps = 0;
};

void print(const std::vector<PlannedJob>& jobs) {
    for (const PlannedJob& job : jobs) {
        std::cout << job.outputName << "\t" << job.plan.width << "x" << job.plan.height << "\t"
                  << decimalText(job.plan.fps.value_or(job.sourceFps)) << " fps\n";
        for (const std::string& warning : job.plan.warnings) std::cout << "  " << warning << "\n";
    }
}

int plan(const DeliveryOptions& request) {
    const Project project = ProjectJson::readFile(request.positional[0]);
    project.validated();
    const std::filesystem::path resources = resourceRoot(runningExecutable());
    const std::vector<DeliveryPreset> presets =
        selectedPresets(PresetLibrary::load({PresetLibrary::location(), resources}), request.keys);
    const FFmpegTools tools = DeliveryExport::requireTools(MasteringExporter::tools(FFmpegPreference::read()));

    // Every job is planned before anything is printed, as a delivery checks all before it writes.
    std::vector<PlannedJob> jobs;
    for (const Film& film : project.films) {
        const SourceProbe source = SourceProbe::read(film.path, tools.ffprobe);
        MasteringExporter::requireConfirmedColour(film, source, request.assumeRec709);
        for (const DeliveryPreset& preset : presets)
            jobs.push_back({MasteringExporter::outputName(jobs.size() + 1, preset, film),
                            EncodePlan::make(preset, film, source, request.framing, resources), film.fps});
    }
    print(jobs);
    return 0;
}

}  // namespace

int runPlan(std::span<const std::string> arguments) {
    const std::optional<DeliveryOptions> request = parseDeliveryOptions(arguments, 1);
    if (!request) {
        std::cerr << kPlanUsage;
        return 64;
    }
    return plan(*request);
}

}  // namespace marrowick::cli
