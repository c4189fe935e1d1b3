// Checking, planning and writing a delivery export.
#include "delivery/delivery_export.h"

#include <algorithm>
#include <system_error>

#include "delivery/colour_confirmation.h"
#include "delivery/delivery_names.h"
#include "delivery/local_process.h"
#include "delivery/output_name.h"
#include "disclosure/review_package.h"
#include "model/atomic_file.h"
#include "model/film_name.h"
#include "model/review_error.h"

namespace marrowick::DeliveryExport {
namespace {

using MasteringExporter::EncodeJob;

// FFmpeg's encoder list names each encoder with a space on each side. The list is searched as
// bytes: replacing invalid UTF-8 would never add or remove an ASCII name.
void requireEncoder(const std::string& encoders, const std::string& name, const std::string& message) {
    if (encoders.find(" " + name + " ") == std::string::npos) throw ReviewError(message);
}

void requireEncoders(const std::string& encoders, const DeliveryPreset& preset) {
    const std::string& audio = preset.encoding.audio.codec;
    const std::string audioEncoder = audio == "opus" ? "libopus" : audio;
    if (audioEncoder != "copy" && audioEncoder != "none")
        requireEncoder(encoders, audioEncoder, "Local FFmpeg lacks audio encoder " + audioEncoder + ".");
    const std::string video = preset.encoder();
    requireEncoder(encoders, video, "Local FFmpeg lacks encoder " + video + ". Choose a full build that includes it.");
}

std::vector<Shot> shotsOf(const Project& project, const Film& film) {
    std::vector<Shot> shots;
    for (const Shot& shot : project.shots)
        if (shot.filmID == film.id) shots.push_back(shot);
    return shots;
}

std::filesystem::path createFolder(const std::filesystem::path& destination) {
    const std::filesystem::path folder = destination / DeliveryNames::newFolderName();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw ReviewError::about(folder, error.message());
    return folder;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

void requireReviewed(const Project& project) {
    if (project.shots.empty() || project.reviewed() != project.shots.size())
        throw ReviewError("Review every shot before exporting labelled videos.");
}

FFmpegTools requireTools(const std::optional<FFmpegTools>& found) {
    if (!found) throw ReviewError("Select local FFmpeg and FFprobe first.");
    return *found;
}

std::vector<DeliveryPreset> selectedPresets(const std::vector<DeliveryPreset>& presets,
                                            const std::set<std::string>& keys) {
    std::vector<DeliveryPreset> selected;
    std::copy_if(presets.begin(), presets.end(), std::back_inserter(selected),
                 [&](const DeliveryPreset& preset) { return keys.contains(preset.key) && !preset.archivedAt; });
    return selected;
}

std::vector<EncodeJob> check(const DeliveryRequest& request, std::stop_token stop) {
    const std::string encoders = LocalProcess::run(request.tools.ffmpeg, {"-hide_banner", "-encoders"}, {}, stop).data;
    std::vector<EncodeJob> jobs;
    for (const Film& film : request.project.films) {
        if (stop.stop_requested()) throw Cancelled();
        const SourceProbe probe = SourceProbe::read(film.path, request.tools.ffprobe, stop);
        MasteringExporter::requireConfirmedColour(film, probe, request.assumeRec709);
        const std::vector<Shot> shots = shotsOf(request.project, film);
        for (const DeliveryPreset& preset : request.presets) {
            requireEncoders(encoders, preset);
            EncodePlan plan = EncodePlan::make(preset, film, probe, request.framing, request.resourceRoot);
            jobs.push_back({film, shots, probe, std::move(plan)});
        }
    }
    return jobs;
}

std::filesystem::path write(const DeliveryRequest& request, const std::vector<EncodeJob>& jobs,
                            const std::filesystem::path& destination, const DeliveryProgress& progress,
                            std::stop_token stop) {
    const std::filesystem::path folder = createFolder(destination);
    Exporter::reports(request.project, folder, request.resourceRoot, request.safeZoneProfileIDs);
    std::vector<std::string> summary;
    const double count = static_cast<double>(jobs.size());
    for (std::size_t index = 0; index < jobs.size(); ++index) {
        const EncodeJob& job = jobs[index];
        const std::string name = MasteringExporter::outputName(index + 1, job.plan.preset, job.film);
        const std::string activity = job.plan.preset.name + " \u00b7 " + fileName(job.film);
        const auto report = [&](double fraction) {
            if (progress) progress(activity, (fraction + static_cast<double>(index)) / count);
        };
        MasteringExporter::encode(job, request.project, request.tools, folder / name, report, stop,
                                  request.resourceRoot);
        summary.push_back(DeliveryNames::summaryLine(name, job.plan));
    }
    writeFileAtomically(folder / DeliveryNames::kSummaryFileName, joinLines(summary));
    return folder;
}

}  // namespace marrowick::DeliveryExport
