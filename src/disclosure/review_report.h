// The review report as one HTML document: a cover with every film's facts, counts and sign-off
// and the reviewers involved, then per film a table of its labelled and noted shots. The same
// text is saved as the HTML report and laid out into the PDF one.
#pragma once

#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

#include "model/project.h"

namespace marrowick::ReviewReport {

struct Options {
    std::string version;   // the Marrowick version the report names
    double created = 0;    // when the report is made, seconds since 2001-01-01 UTC
    // The picture source of a shot's thumbnail; an empty text leaves the picture out.
    std::function<std::string(const Shot&)> picture;
    // Called with the share of the listed shots written so far (0 to 1), when set.
    std::function<void(double)> progress;
    std::stop_token stop;  // checked between shots: throws Cancelled
};

// The report. Every text taken from the project is escaped.
std::string html(const Project& project, const Options& options);

// Text made safe for HTML element content and attribute values.
std::string escaped(std::string_view text);

// The shot's thumbnail as a data: address (JPEG, base64), or empty when it has none.
std::string thumbnailDataAddress(const Shot& shot);

}  // namespace marrowick::ReviewReport
