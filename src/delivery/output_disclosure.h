// The machine-readable disclosure of a delivery output: the film's XMP packet inside an MP4 or MOV
// output, or in a "<output name>.xmp" sidecar beside outputs in other containers (WebM, MXF).
#pragma once

#include <filesystem>

#include "delivery/mastering_encode.h"
#include "model/project.h"

namespace marrowick::MasteringExporter {

// `output` with ".xmp" appended to its whole name: "3-Spot_A_web_vp9.webm.xmp".
std::filesystem::path disclosureSidecar(const std::filesystem::path& output);

// Writes the job's disclosure packet into the finished output (MP4 and MOV, keeping a fast-start
// layout when the preset asks for one) or into its sidecar. Throws ReviewError on a write failure.
void writeDisclosure(const EncodeJob& job, const Project& project, const std::filesystem::path& output);

// The eleventh output check: the packet read back from the output or its sidecar states exactly the
// job's review. Throws ReviewError XmpPacket::kMismatch otherwise.
void verifyDisclosure(const EncodeJob& job, const Project& project, const std::filesystem::path& output);

}  // namespace marrowick::MasteringExporter
