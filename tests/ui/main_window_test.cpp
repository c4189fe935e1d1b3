// Window-level behaviour: controls refused while busy, drops, the error alert and quitting.
#include "ui/main_window.h"

#include <QMimeData>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "ui/error_alert.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

using testing::WindowFixture;

QAbstractButton* button(QWidget& window, const QString& text) { return &testing::findWidget<QAbstractButton>(window, text); }

bool dropAccepted(MainWindow& window, const std::vector<QString>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(400, 400), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(400, 400), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

TEST(MainWindow, HeaderControlsAreDisabledWhileAnActivityRuns) {
    WindowFixture fixture;
    const QString controls[] = {QStringLiteral("Save"), QStringLiteral("Export"), QStringLiteral("Import films")};
    for (const QString& title : controls) EXPECT_TRUE(button(fixture.window, title)->isEnabled()) << title.toStdString();
    fixture.beginActivity();
    for (const QString& title : controls) EXPECT_FALSE(button(fixture.window, title)->isEnabled()) << title.toStdString();
    EXPECT_FALSE(dropAccepted(fixture.window, {QStringLiteral("/films/a.mov")}));
    fixture.endActivity();
    for (const QString& title : controls) EXPECT_TRUE(button(fixture.window, title)->isEnabled()) << title.toStdString();
    EXPECT_TRUE(dropAccepted(fixture.window, {QStringLiteral("/films/a.mov"), QStringLiteral("/notes/readme.txt")}));
}

TEST(MainWindow, TheErrorAlertShowsTheMessageAndDismissingItClearsTheError) {
    WindowFixture fixture;
    fixture.store.showError("Project file exceeds 256 MB.");
    QMessageBox* box = fixture.window.errorAlert().box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Marrowick"));
    EXPECT_EQ(box->text(), QStringLiteral("Project file exceeds 256 MB."));
    box->reject();  // Escape or closing the alert, not "OK"
    EXPECT_EQ(fixture.store.error(), std::nullopt);

    fixture.store.showError("Second failure");
    fixture.window.errorAlert().box()->button(QMessageBox::Ok)->click();
    EXPECT_EQ(fixture.store.error(), std::nullopt);
}

TEST(MainWindow, ClosingAsksWhileBusyAndKeepsWorkingOnRequest) {
    WindowFixture fixture;
    fixture.beginActivity();
    fixture.dialogs.alertAnswers = {0, 1};  // "Keep working", then "Cancel and quit"
    EXPECT_FALSE(fixture.window.close());
    ASSERT_EQ(fixture.dialogs.alerts.size(), 1u);
    EXPECT_EQ(fixture.dialogs.alerts[0].buttons, (std::vector<std::string>{"Keep working", "Cancel and quit"}));
    EXPECT_TRUE(fixture.window.isVisible());

    EXPECT_TRUE(fixture.window.close());
    EXPECT_TRUE(std::filesystem::exists(fixture.store.recovery()));
    EXPECT_TRUE(testing::waitUntil([&] { return !fixture.store.busy(); }));
}

}  // namespace
}  // namespace marrowick
