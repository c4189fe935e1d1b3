// Encoding one film for one preset with the user's FFmpeg, then proving the output by probing it.
#pragma once

#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "delivery/encode_plan.h"
#include "delivery/ffmpeg_tools.h"
#include "delivery/mastering_arguments.h"
#include "delivery/source_probe.h"
#include "model/film.h"
#include "model/project.h"
#include "model/shot.h"

namespace marrowick::MasteringExporter {

// One film with one preset: the film's shots in project order, its probe and the plan.
struct EncodeJob {
    Film film;
    std::vector<Shot> shots;
    SourceProbe source;
    EncodePlan plan;
};

// Receives the encode's progress, a fraction from 0 to 1, on the encoding thread.
using ProgressHandler = std::function<void(double fraction)>;

// The three files written beside a verified output: "<stem>.encoding.json", "<stem>.ffprobe.json"
// and "<stem>.encoder.log".
std::filesystem::path sideFile(const std::filesystem::path& output, const char* extension);

// Writes the "generated.png" and "modified.png" label pictures (the artwork scaled to its label
// rectangle) and the "overlay.ffgraph" script into `folder`; returns them with the output.
EncodeFiles writeWorkFiles(const EncodeJob& job, const Project& project, const std::filesystem::path& folder,
                           const std::filesystem::path& output, const std::filesystem::path& resourceRoot);

// Encodes the job to `to`, writes its disclosure packet (output_disclosure.h) and verifies the
// result (the ten probe checks, then the packet read back), then writes the side files. Label
// pictures and the graph script live in a "marrowick-encode-<UUID>" folder of the temporary folder,
// removed on every exit. On any failure, cancellation included, nothing of this output is left behind.
//
// Throws ReviewError "Review every shot before video export.", "Source changed since review:
// <file>", the label artwork's, the runner's or a verification message, or a write failure;
// Cancelled when `stop` is requested.
void encode(const EncodeJob& job, const Project& project, const FFmpegTools& tools, const std::filesystem::path& to,
            const ProgressHandler& progress, std::stop_token stop, const std::filesystem::path& resourceRoot);

}  // namespace marrowick::MasteringExporter
