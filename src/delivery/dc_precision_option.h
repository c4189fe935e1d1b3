// Which name the user's FFmpeg gives the MPEG-2 encoder's intra DC precision: newer builds list
// "-intra_dc_precision" among the encoder's own options, FFmpeg 5.1 knows only the generic "-dc".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace marrowick::MasteringExporter {

// "-intra_dc_precision" when the text of `ffmpeg -h encoder=mpeg2video` lists it, else "-dc".
std::string dcPrecisionOptionIn(std::string_view encoderHelp);

// The option for this ffmpeg, asked of it once per run and path ("-dc" when asking fails).
std::string dcPrecisionOption(const std::filesystem::path& ffmpeg);

}  // namespace marrowick::MasteringExporter
