// The FFmpeg argument vector of one encode job: inputs, graph, codec, rate control, colour
// signalling, audio mapping, container options and progress reporting.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "delivery/encode_plan.h"
#include "delivery/source_probe.h"
#include "model/film.h"

namespace marrowick::MasteringExporter {

// The files an encode hands to FFmpeg besides the source.
struct EncodeFiles {
    std::filesystem::path graph;      // the filter-graph script
    std::filesystem::path generated;  // label picture of shots decided "generated" (input 1)
    std::filesystem::path modified;   // label picture of shots decided "modified" (input 2)
    std::filesystem::path output;
};

// The argument vector (no shell quoting). Never fails for a validated preset. `dcOption` is the
// name this ffmpeg gives the intra DC precision (dc_precision_option.h), used by XDCAM.
std::vector<std::string> arguments(const EncodePlan& plan, const Film& film, const SourceProbe& source,
                                   const EncodeFiles& files, const std::string& dcOption = "-dc");

}  // namespace marrowick::MasteringExporter
