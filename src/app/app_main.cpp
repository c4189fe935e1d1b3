// marrowick: the desktop application, or one of its non-interactive switch runs.
#include <iostream>
#include <string>
#include <vector>

#include <QApplication>

#include "app/program_switches.h"
#include "model/resource_root.h"
#include "ui/marrowick_app.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv, argv + argc);
    if (const std::optional<int> status = marrowick::ProgramSwitches::run(arguments, std::cout, std::cerr))
        return *status;

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Marrowick"));
    QApplication::setApplicationName(QStringLiteral("Marrowick"));
    QApplication::setApplicationVersion(QStringLiteral(MARROWICK_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("marrowick"));
    // Qt has taken its own options (-style, -platform ...) out of this list.
    const QStringList startArguments = QApplication::arguments();
    const auto handoff = marrowick::SingleInstance::handOver(startArguments);
    if (handoff == marrowick::SingleInstance::Handoff::delivered) return 0;
    marrowick::MarrowickApp app(application, marrowick::resourceRoot(marrowick::runningExecutable()));
    app.serveLaterStarts(handoff);
    std::vector<std::string> documents;
    for (const QString& argument : startArguments) documents.push_back(argument.toStdString());
    app.openDocuments(documents);
    return QApplication::exec();
}
