// Names, notes, answers and messages that come from files and users show literally in every view.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include "delivery/preset_operations.h"
#include "main_window_fixture.h"
#include "ui/error_alert.h"
#include "ui/delivery_view.h"
#include "ui/qt_desktop_dialogs.h"
#include "ui/settings_view.h"

namespace marrowick {
namespace {

using testing::WindowFixture;

const QString kMarkup = QStringLiteral("<b>x</b>");
const std::string kHostile = "<b>x</b><img src=x>";

// Every label showing the hostile text shows it as plain text, no tooltip carries it as markup,
// and at least `atLeast` labels show it.
void expectShownLiterally(const char* view, int atLeast) {
    int shown = 0;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->text().contains(kMarkup)) {
            ++shown;
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << view << ": " << label->text().toStdString();
        }
        EXPECT_FALSE(widget->toolTip().contains(kMarkup)) << view << ": tooltip " << widget->toolTip().toStdString();
    }
    EXPECT_GE(shown, atLeast) << view;
}

Project hostileProject() {
    Project project = testing::groupedProject({"/films/" + kHostile + ".mov"}, 2);
    project.name = kHostile;
    project.shots.mut(0).note = kHostile;
    project.shots.mut(0).assistantNote = kHostile;
    project.shots.mut(0).category = kHostile;
    return project;
}

TEST(PlainText, UntrustedTextShowsLiterallyInEveryView) {
    WindowFixture fixture;
    fixture.load(hostileProject());
    fixture.store.focus(fixture.store.project().shots[0].id, false);
    fixture.store.showNotice(kHostile);
    // Header name, assistant answer, category and footer notice.
    expectShownLiterally("main window", 4);

    fixture.store.showError(kHostile);
    expectShownLiterally("error alert", 5);
    fixture.window.errorAlert().box()->reject();

    {
        SettingsView settings(fixture.store, nullptr);
        AssistantState assistant = fixture.store.assistant().state();
        assistant.localStatus = kHostile;  // the runtime's failure text
        fixture.store.assistant().setState(assistant);
        expectShownLiterally("settings", 1);
    }

    DeliveryPreset preset = PresetOperations::newMasteringPreset();
    preset.name = kHostile;
    preset.group = "custom";
    fixture.store.deliverySetup().savePreset(preset);
    {
        DeliveryView delivery(fixture.store, fixture.store, nullptr);
        expectShownLiterally("delivery", 1);
    }

    QtDesktopDialogs dialogs;
    dialogs.setWindow(&fixture.window);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        expectShownLiterally("question", 2);
        checked = true;
        box->button(QMessageBox::Ok)->click();
    });
    dialogs.alert({kHostile, kHostile, {}});
    EXPECT_TRUE(checked);
}

}  // namespace
}  // namespace marrowick
