// marrowick-cli plan PROJECT --preset KEY... [--assume-rec709] [--framing pad|crop]: plans a delivery.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/cli_command.h"
#include "delivery/colour_confirmation.h"
#include "delivery/encode_plan.h"
#include "delivery/ffmpeg_tools.h"
#include "delivery/output_name.h"
#include "delivery/preset_library.h"
#include "model/decimal_text.h"
#include "model/project_json.h"
#include "model/resource_root.h"
#include "model/review_error.h"

namespace marrowick::cli {
namespace {

constexpr const char* kUsage = "Usage: marrowick-cli plan PROJECT --preset KEY... [--assume-rec709] [--framing pad|crop]\n";

struct PlanRequest {
    std::filesystem::path project;
    std::set<std::string> keys;
    bool assumeRec709 = false;
    std::string framing = kFramingPad;
};

// Keys follow --preset until the next option; --preset may also be repeated.
std::optional<PlanRequest> parse(std::span<const std::string> arguments) {
    if (arguments.empty() || arguments[0].starts_with("--")) return std::nullopt;
    PlanRequest request;
    request.project = arguments[0];
    bool readingKeys = false;
    for (std::size_t at = 1; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (argument == "--preset") {
            readingKeys = true;
        } else if (argument == "--assume-rec709") {
            request.assumeRec709 = true;
            readingKeys = false;
        } else if (argument == "--framing" && at + 1 < arguments.size()) {
            request.framing = arguments[++at];
            readingKeys = false;
        } else if (readingKeys && !argument.starts_with("--")) {
            request.keys.insert(argument);
        } else {
            return std::nullopt;
        }
    }
    if (request.keys.empty()) return std::nullopt;
    return request;
}

// The library's presets with the requested keys, in library order; a key the library lacks, or
// names an archived preset under, is an error naming it.
std::vector<DeliveryPreset> selectedPresets(const std::vector<DeliveryPreset>& library, const std::set<std::string>& keys) {
    for (const std::string& key : keys) {
        const auto found = std::find_if(library.begin(), library.end(), [&](const DeliveryPreset& p) { return p.key == key; });
        if (found == library.end()) throw ReviewError("Unknown delivery preset \"" + key + "\".");
        if (found->archivedAt) throw ReviewError("The delivery preset \"" + key + "\" is archived.");
    }
    std::vector<DeliveryPreset> selected;
    std::copy_if(library.begin(), library.end(), std::back_inserter(selected),
                 [&](const DeliveryPreset& preset) { return keys.contains(preset.key); });
    return selected;
}

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

int plan(const PlanRequest& request) {
    const Project project = ProjectJson::readFile(request.project);
    project.validated();
    const std::filesystem::path resources = resourceRoot(runningExecutable());
    const std::vector<DeliveryPreset> presets =
        selectedPresets(PresetLibrary::load({PresetLibrary::location(), resources}), request.keys);
    const std::optional<FFmpegTools> tools = MasteringExporter::tools("");
    if (!tools) throw ReviewError("Select local FFmpeg and FFprobe first.");

    // Every job is planned before anything is printed, as a delivery checks all before it writes.
    std::vector<PlannedJob> jobs;
    for (const Film& film : project.films) {
        const SourceProbe source = SourceProbe::read(film.path, tools->ffprobe);
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
    const std::optional<PlanRequest> request = parse(arguments);
    if (!request) {
        std::cerr << kUsage;
        return 64;
    }
    try {
        return plan(*request);
    } catch (const ReviewError& error) {
        std::cerr << error.message() << "\n";
        return 1;
    }
}

}  // namespace marrowick::cli
