// Runs the ui tests inside one QApplication on the offscreen platform, with private data and
// configuration folders so that no test touches the user's files.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "ui/theme.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", data.path().toUtf8());
    qputenv("XDG_CACHE_HOME", data.path().toUtf8());
    QApplication application(argc, argv);
    marrowick::Theme::apply(application);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
