// A shown main window over a controller with scripted desktop fakes.
#pragma once

#include <QAction>
#include <QTest>

#include "ui/app_delegate.h"
#include "ui/app_menus.h"
#include "ui/main_window.h"
#include "ui_fixture.h"

namespace marrowick::testing {

struct WindowFixture : StoreFixture {
    AppDelegate delegate{dialogs, {}};
    MainWindow window{store, delegate};

    WindowFixture() {
        delegate.setStore(&store);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
    }

    QAction& action(const char* title) {
        QAction* found = window.menus().action(QString::fromUtf8(title));
        if (!found) throw std::runtime_error(std::string("no menu command ") + title);
        return *found;
    }

    // A key as the user presses it in the window.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&window, key, modifiers);
    }
};

}  // namespace marrowick::testing
