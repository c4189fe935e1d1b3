// The names a delivery export gives its folder, its outputs and its summary lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "delivery/encode_plan.h"
#include "model/film.h"

namespace marrowick::DeliveryNames {

inline constexpr const char* kSummaryFileName = "delivery-summary.txt";

// Every Unicode scalar that is not a letter, mark or digit, "_" or "-" becomes "_" (spaces and dots
// too); so does every byte that is not valid UTF-8.
std::string safeName(std::string_view utf8);

// "Marrowick-delivery-" and the first eight characters of a new identifier's text.
std::string newFolderName();

// "<number>-<safe prefix + film base name + suffix>.<container>", e.g. "2-Spot_A_web.mp4".
std::string outputName(std::size_t number, const DeliveryPreset& preset, const Film& film);

// "<output> — <preset name> — <width>x<height> — <warnings joined with spaces>".
std::string summaryLine(const std::string& outputName, const EncodePlan& plan);

}  // namespace marrowick::DeliveryNames
