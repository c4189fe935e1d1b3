// The review package's spreadsheet: one quoted line per shot, CR LF line ends.
#pragma once

#include <string>

#include "model/project.h"

namespace marrowick {

inline constexpr const char* kShotReviewCsvHeader =
    "film,shot_id,in_seconds,out_seconds,in_time,out_time,label,visual_group,category,review_note,local_assistant";

// The header and one line per shot in the project's order. Every shot's film must be in the
// project (a validated project guarantees it); a shot whose film is missing gets an empty film field.
std::string shotReviewCsv(const Project& project);

}  // namespace marrowick
