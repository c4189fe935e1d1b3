// Checking an encoded file against its plan before the output counts as delivered.
#pragma once

#include <string>

#include "delivery/encode_plan.h"
#include "delivery/source_probe.h"
#include "model/film.h"

namespace marrowick::MasteringExporter {

// The codec name FFprobe reports for a preset codec: "prores" for every ProRes profile, "vp9",
// "h264", "hevc", and "mpeg2video" for anything else.
std::string eCodec(const std::string& videoCodec);

// Checks raster, codec, pixel format, ProRes profile, frame rate, colour signalling, audio
// presence, XDCAM dual mono, duration and audio format, in that order. Throws ReviewError with
// the first failing check's message, or the JSON parser's error for an unreadable report.
void verifyOutput(const EncodePlan& plan, const Film& film, const SourceProbe& source, const SourceProbe& output);

}  // namespace marrowick::MasteringExporter
