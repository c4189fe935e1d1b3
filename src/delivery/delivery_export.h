// The delivery export: every film with every selected preset, checked and planned before a byte is
// written, then encoded and verified one job after another into a new delivery folder.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <stop_token>
#include <string>
#include <vector>

#include "delivery/delivery_preset.h"
#include "delivery/ffmpeg_tools.h"
#include "delivery/framing.h"
#include "delivery/mastering_encode.h"
#include "model/project.h"

namespace marrowick {

// Everything one export works on; the caller's copies, so the export never reads shared state.
struct DeliveryRequest {
    Project project;
    std::vector<DeliveryPreset> presets;  // the selected, non-archived presets, in library order
    Framing framing = Framing::pad;
    bool assumeRec709 = false;
    FFmpegTools tools;
    std::filesystem::path resourceRoot;
    std::set<std::string> safeZoneProfileIDs;  // for the review package's validation
};

// Told about each job's progress on the export's thread: "<preset name> · <file name>" and the
// fraction of the whole export done.
using DeliveryProgress = std::function<void(const std::string& activity, double fraction)>;

namespace DeliveryExport {

// Throws ReviewError "Review every shot before exporting labelled videos." unless the project has
// shots and every one of them is reviewed.
void requireReviewed(const Project& project);

// The FFmpeg and FFprobe found (MasteringExporter::tools), or ReviewError "Select local FFmpeg and
// FFprobe first." when there are none.
FFmpegTools requireTools(const std::optional<FFmpegTools>& found);

// The presets whose key is chosen and which are not archived, in the list's order.
std::vector<DeliveryPreset> selectedPresets(const std::vector<DeliveryPreset>& presets,
                                            const std::set<std::string>& keys);

// Asks FFmpeg for its encoders, probes every film and plans every job, film by film and preset by
// preset. Writes nothing. Throws ReviewError for an untagged source (unless assumed Rec.709), a
// missing encoder or a blocked plan; Cancelled when `stop` is requested.
std::vector<MasteringExporter::EncodeJob> check(const DeliveryRequest& request, std::stop_token stop);

// Creates a new delivery folder inside `destination`, writes the review package, encodes the jobs
// as numbered outputs and finally the summary; returns the folder. A failure stops the export:
// outputs verified before it stay, the failing one is removed, no summary is written.
std::filesystem::path write(const DeliveryRequest& request, const std::vector<MasteringExporter::EncodeJob>& jobs,
                            const std::filesystem::path& destination, const DeliveryProgress& progress,
                            std::stop_token stop);

}  // namespace DeliveryExport
}  // namespace marrowick
