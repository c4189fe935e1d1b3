// The shot library: clicks and Ctrl-clicks on rows, the row menu, the count and the empty states.
#include "ui/shot_library.h"

#include <functional>

#include <QAction>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "ui/empty_state.h"
#include "ui/settings_view.h"
#include "ui/shot_row_delegate.h"
#include "ui/toggle_switch.h"
#include "workspace/models/shot_list_model.h"
#include "widget_lookup.h"
#include "workspace/preferences.h"

namespace marrowick {
namespace {

using testing::WindowFixture;

struct LibraryFixture : WindowFixture {
    ShotLibrary& library = window.library();

    // Clicks the middle of a row (away from its checkbox), or its checkbox.
    void click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool checkbox = false) {
        QListView& list = library.listView();
        list.scrollTo(library.model().index(row));
        const QRect rect = list.visualRect(library.model().index(row));
        const QPoint where = checkbox ? ShotRowDelegate::checkboxRect(rect).center() : rect.center();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, where);
    }

    void chooseFromRowMenu(int row, const QString& title) {
        const auto menu = library.rowMenu(row);
        for (QAction* action : menu->actions())
            if (action->text() == title) return action->trigger();
        FAIL() << "no row menu item " << title.toStdString();
    }

    // The distance from the first row's top to the second's, as the list lays them out.
    int rowPitch() {
        QListView& list = library.listView();
        return list.visualRect(library.model().index(1)).top() - list.visualRect(library.model().index(0)).top();
    }
};

TEST(ShotLibrary, ClickSelectsOneRowAndCtrlClickOrTheCheckboxToggles) {
    LibraryFixture fixture;
    fixture.load(testing::groupedProject({"/films/a.mov"}, 6));
    const auto ids = fixture.firstShots(4);

    fixture.click(1);
    EXPECT_EQ(fixture.store.selection(), (std::set<Uuid>{ids[1]}));
    fixture.click(3, Qt::ControlModifier);
    EXPECT_EQ(fixture.store.selection(), (std::set<Uuid>{ids[1], ids[3]}));
    fixture.click(0, Qt::NoModifier, true);
    EXPECT_EQ(fixture.store.selection(), (std::set<Uuid>{ids[0], ids[1], ids[3]}));
    fixture.click(1, Qt::ControlModifier);
    EXPECT_EQ(fixture.store.selection(), (std::set<Uuid>{ids[0], ids[3]}));
    fixture.click(3);
    EXPECT_EQ(fixture.store.selection(), (std::set<Uuid>{ids[3]}));
}

TEST(ShotLibrary, CompactRowsFollowTheMenuItsShortcutAndTheSettingsAndOutliveTheRun) {
    {
        LibraryFixture fixture;
        fixture.load(testing::groupedProject({"/films/a.mov"}, 40));
        EXPECT_EQ(fixture.rowPitch(), 74);
        const std::pair<const char*, std::function<void(LibraryFixture&)>> switches[] = {
            {"View menu", [](LibraryFixture& f) { f.action("Compact rows").trigger(); }},
            {"shortcut", [](LibraryFixture& f) { f.press(Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier); }},
            {"settings", [](LibraryFixture& f) {
                 SettingsView view(f.store, nullptr);
                 view.findChild<ToggleSwitch*>(QStringLiteral("CompactRows"))->click();
             }},
        };
        bool compact = false;
        for (const auto& [way, flip] : switches) {
            flip(fixture);
            compact = !compact;
            EXPECT_EQ(fixture.rowPitch(), compact ? 32 : 74) << way;
            EXPECT_EQ(fixture.action("Compact rows").isChecked(), compact) << way;
            EXPECT_EQ(Preferences::compactRows(), compact) << way;
        }
        ASSERT_TRUE(compact);
        // The one-line row keeps its checkbox where clicks find it.
        const auto ids = fixture.firstShots(8);
        fixture.click(5);
        fixture.click(7, Qt::NoModifier, true);
        EXPECT_EQ(fixture.store.selection(), (std::set<Uuid>{ids[5], ids[7]}));
    }
    LibraryFixture nextRun;
    nextRun.load(testing::groupedProject({"/films/a.mov"}, 3));
    EXPECT_EQ(nextRun.rowPitch(), 32);
    EXPECT_TRUE(nextRun.action("Compact rows").isChecked());
    Preferences::setCompactRows(false);
}

TEST(ShotLibrary, SelectAllInGroupSelectsTheGroupAndClearsForUngroupedShots) {
    LibraryFixture fixture;
    fixture.load(testing::groupedProject({"/films/a.mov", "/films/b.mov"}, 6));
    const Project& project = fixture.store.project();
    // Rows follow project order here: shot i of a film is in group i % 3.
    fixture.chooseFromRowMenu(1, QStringLiteral("Select all in group"));
    EXPECT_EQ(fixture.store.selection(),
              (std::set<Uuid>{project.shots[1].id, project.shots[4].id, project.shots[7].id, project.shots[10].id}));

    fixture.chooseFromRowMenu(0, QStringLiteral("Select all in group"));
    EXPECT_TRUE(fixture.store.selection().empty());

    fixture.chooseFromRowMenu(2, QStringLiteral("Show visual group"));
    EXPECT_EQ(fixture.store.listOptions().filter.key(), "group:2");
    EXPECT_EQ(fixture.library.model().rowCount(), 4);
}

TEST(ShotLibrary, TheEmptyStateFollowsTheProjectUnderASearchThatMatchesNothing) {
    LibraryFixture fixture;
    fixture.store.setSearch("no such subject");
    fixture.load(testing::groupedProject({"/films/a.mov"}, 3));
    EXPECT_EQ(fixture.library.emptyState().title(), QStringLiteral("No shots in this view")) << "films arrived";
    fixture.store.newProject();
    EXPECT_EQ(fixture.library.emptyState().title(), QStringLiteral("Your shot library starts here")) << "films gone";
    fixture.store.setSearch({});
    EXPECT_EQ(fixture.library.emptyState().title(), QStringLiteral("Your shot library starts here"));
}

TEST(ShotLibrary, EmptyStatesAndTheCount) {
    LibraryFixture fixture;
    EXPECT_FALSE(fixture.library.showsList());
    EXPECT_EQ(fixture.library.emptyState().title(), QStringLiteral("Your shot library starts here"));
    EXPECT_EQ(fixture.library.emptyState().hint(), QStringLiteral("Drop video files anywhere in this window."));
    EXPECT_EQ(fixture.library.countLabel().text(), QStringLiteral("0"));

    fixture.load(testing::groupedProject({"/films/a.mov"}, 4));
    EXPECT_TRUE(fixture.library.showsList());
    EXPECT_EQ(fixture.library.countLabel().text(), QStringLiteral("4"));

    fixture.store.setSearch("no such subject");
    EXPECT_FALSE(fixture.library.showsList());
    EXPECT_EQ(fixture.library.emptyState().title(), QStringLiteral("No shots in this view"));
    EXPECT_EQ(fixture.library.emptyState().hint(), QStringLiteral("Try another filter or search."));
    EXPECT_EQ(fixture.library.countLabel().text(), QStringLiteral("0"));
}

TEST(ShotLibrary, SelectionBarFollowsTheSelectionAndDecidesIt) {
    LibraryFixture fixture;
    fixture.load(testing::groupedProject({"/films/a.mov"}, 4));
    auto* bar = fixture.window.findChild<QWidget*>(QStringLiteral("SelectionBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isVisible());
    const auto ids = fixture.firstShots(2);
    fixture.store.setSelection({ids.begin(), ids.end()});
    EXPECT_TRUE(bar->isVisible());
    EXPECT_NE(bar->findChild<QLabel*>()->text().indexOf(QStringLiteral("2 selected")), -1);

    testing::findWidget<QPushButton>(*bar, QStringLiteral("AI generated")).click();
    EXPECT_EQ(fixture.store.project().shots[0].disclosure, Disclosure::generated);
    EXPECT_EQ(fixture.store.project().shots[1].disclosure, Disclosure::generated);

    fixture.beginActivity();
    EXPECT_FALSE(bar->isEnabled());
    fixture.endActivity();
}

}  // namespace
}  // namespace marrowick
