// Names of delivery outputs: the job number and a file-system-safe form of the programme's name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "delivery/delivery_preset.h"
#include "model/film.h"

namespace marrowick::MasteringExporter {

// Every Unicode scalar that is not a letter, mark or digit, "_" or "-" becomes "_" (spaces and dots
// too); invalid UTF-8 becomes "_" as well.
std::string safeName(std::string_view text);

// "<number>-<safe(prefix + film base name without extension + suffix)>.<container>", for example
// "2-Spot_A_web.mp4" for the second job of "Spot A.mov" with the suffix "_web" and an MP4 preset.
std::string outputName(std::size_t number, const DeliveryPreset& preset, const Film& film);

}  // namespace marrowick::MasteringExporter
