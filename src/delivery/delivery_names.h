// The names a delivery export gives its folder and its summary file, and the summary's lines.
#pragma once

#include <string>

#include "delivery/encode_plan.h"

namespace marrowick::DeliveryNames {

inline constexpr const char* kSummaryFileName = "delivery-summary.txt";

// "Marrowick-delivery-" and the first eight characters of a new identifier's text.
std::string newFolderName();

// "<output> — <preset name> — <width>x<height> — <warnings joined with spaces>".
std::string summaryLine(const std::string& outputName, const EncodePlan& plan);

}  // namespace marrowick::DeliveryNames
