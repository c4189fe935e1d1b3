// Choosing the report's form by extension, and writing it atomically.
#include "ui/report_file.h"

#include <algorithm>
#include <cctype>

#include "model/atomic_file.h"
#include "model/review_error.h"

namespace marrowick::ReportFile {

Form formOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".pdf") return Form::pdf;
    if (extension == ".html" || extension == ".htm") return Form::html;
    throw ReviewError("A review report is written as a .pdf or an .html file.");
}

void write(const Project& project, const ReviewReport::Options& options, const std::filesystem::path& file) {
    if (formOf(file) == Form::pdf) {
        writeFileAtomically(file, pdf(project, options));
        return;
    }
    ReviewReport::Options inline_ = options;
    inline_.picture = ReviewReport::thumbnailDataAddress;
    writeFileAtomically(file, ReviewReport::html(project, inline_));
}

}  // namespace marrowick::ReportFile
