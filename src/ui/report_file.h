// Writing the review report to a file, as HTML or as PDF pages by the file's extension.
#pragma once

#include <filesystem>

#include "disclosure/review_report.h"
#include "model/project.h"

namespace marrowick::ReportFile {

enum class Form { pdf, html };

// The form the file's extension asks for (case ignored). Throws ReviewError for any other.
Form formOf(const std::filesystem::path& file);

// ".html" (or ".htm") gets the self-contained HTML report, thumbnails inline; ".pdf" gets the
// report laid out on A4, or Letter where the locale measures in US units. The file is written
// atomically. Throws ReviewError for another extension or a write failure, Cancelled on a stop.
void write(const Project& project, const ReviewReport::Options& options, const std::filesystem::path& file);

// The PDF form alone, as bytes.
std::string pdf(const Project& project, const ReviewReport::Options& options);

}  // namespace marrowick::ReportFile
