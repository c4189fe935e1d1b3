// marrowick-cli report PROJECT OUT.pdf|OUT.html: writes the review report of a project file.
#include <QGuiApplication>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "app/cli_command.h"
#include "model/project_json.h"
#include "model/reference_date.h"
#include "ui/report_file.h"

namespace marrowick::cli {

int runReport(std::span<const std::string> arguments) {
    if (arguments.size() != 2) {
        std::cerr << "Usage: marrowick-cli report PROJECT OUT.pdf|OUT.html\n";
        return 64;
    }
    // PDF pages are laid out with Qt's fonts, which need an application object; this program
    // never shows a window, so it runs on the off-screen platform.
    int argc = 1;
    char name[] = "marrowick-cli";
    char* argv[] = {name, nullptr};
    std::optional<QGuiApplication> application;
    if (ReportFile::formOf(arguments[1]) == ReportFile::Form::pdf) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application.emplace(argc, argv);
    }
    Project project = ProjectJson::readFile(arguments[0]);
    project.validated();
    ReviewReport::Options options;
    options.version = MARROWICK_VERSION;
    options.created = referenceDateNow();
    ReportFile::write(project, options, arguments[1]);
    std::cout << "Review report written.\n";
    return 0;
}

}  // namespace marrowick::cli
