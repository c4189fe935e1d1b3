// The About box: version, notices from the resource root, and what it says when they are gone.
#include "ui/about_view.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "model/resource_root.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

using testing::showsLabel;

TEST(AboutView, ShowsTheVersionAndTheShippedNotices) {
    QApplication::setApplicationVersion(QStringLiteral("7.8.9"));
    AboutView view(MARROWICK_RESOURCE_DIR, nullptr);
    EXPECT_TRUE(showsLabel(view, QStringLiteral("Version 7.8.9 · Qt %1").arg(QString::fromLatin1(qVersion()))));
    const std::filesystem::path relative = std::filesystem::path(MARROWICK_RESOURCE_DIR).lexically_normal().lexically_relative(
        runningExecutable().parent_path());
    EXPECT_TRUE(showsLabel(view, QStringLiteral("Resources: %1 (from the program's folder)")
                                     .arg(QString::fromStdString(relative.string()))));
    for (const QLabel* label : view.findChildren<QLabel*>())
        EXPECT_FALSE(label->text().contains(QStringLiteral(MARROWICK_RESOURCE_DIR))) << "a build machine's folder";
    for (const char* text : {"EU label artwork", "free to use, with no attribution required", "FFmpeg", "Qt 6", "OpenBLAS"})
        EXPECT_TRUE(view.notices().contains(QString::fromUtf8(text))) << text;
}

TEST(AboutView, SaysWhenTheNoticesAreMissing) {
    QTemporaryDir empty;
    AboutView view(empty.path().toStdString(), nullptr);
    EXPECT_TRUE(view.notices().contains(QStringLiteral("The licence notices are missing")));
    EXPECT_TRUE(view.notices().contains(QStringLiteral("Reinstall Marrowick.")));
    EXPECT_TRUE(view.notices().contains(QStringLiteral("NOTICES.md (from the program's folder)")));
}

TEST(AboutView, TheHelpMenuOpensItOverTheWindow) {
    testing::WindowFixture fixture;
    fixture.action("About Marrowick").trigger();
    const auto views = fixture.window.findChildren<AboutView*>();
    ASSERT_EQ(views.size(), 1);
    EXPECT_TRUE(views.front()->isVisible());
    views.front()->accept();
}

}  // namespace
}  // namespace marrowick
