// Menu commands: shortcuts, disabled rules while an activity runs, and one undo step per key.
#include "ui/app_menus.h"

#include <algorithm>

#include <map>

#include <QDialog>
#include <QLineEdit>
#include <QShortcut>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "ui/window_sheets.h"

namespace marrowick {
namespace {

using testing::WindowFixture;

TEST(AppMenus, TheReviewKeysDecideTheWholeSelectionInOneUndoStep) {
    WindowFixture fixture;
    fixture.load(testing::groupedProject({"/films/a.mov"}, 5));
    const auto ids = fixture.firstShots(3);
    fixture.store.setSelection({ids.begin(), ids.end()});

    fixture.press(Qt::Key_1);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(fixture.store.project().shots[i].disclosure, Disclosure::modified);
    EXPECT_EQ(fixture.store.project().shots[3].disclosure, Disclosure::unreviewed);
    fixture.press(Qt::Key_2);
    EXPECT_EQ(fixture.store.project().shots[2].disclosure, Disclosure::generated);
    fixture.press(Qt::Key_0);
    EXPECT_EQ(fixture.store.project().shots[0].disclosure, Disclosure::none);

    fixture.press(Qt::Key_Z, Qt::ControlModifier);
    fixture.press(Qt::Key_Z, Qt::ControlModifier);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(fixture.store.project().shots[i].disclosure, Disclosure::modified);
    fixture.press(Qt::Key_Z, Qt::ControlModifier);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(fixture.store.project().shots[i].disclosure, Disclosure::unreviewed);
    EXPECT_FALSE(fixture.action("Undo").isEnabled());
    fixture.press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(fixture.store.project().shots[1].disclosure, Disclosure::modified);
}

TEST(AppMenus, TheReviewKeysWithNothingSelectedChangeNothing) {
    WindowFixture fixture;
    fixture.load(testing::groupedProject({"/films/a.mov"}, 3));
    const Project before = fixture.store.project();
    for (const Qt::Key key : {Qt::Key_0, Qt::Key_1, Qt::Key_2}) {
        fixture.press(key);
        EXPECT_EQ(fixture.store.project(), before) << "key " << key;
        EXPECT_EQ(fixture.store.project().history.size(), before.history.size()) << "key " << key;
        EXPECT_FALSE(fixture.store.canUndo()) << "key " << key;
        EXPECT_FALSE(fixture.store.dirty()) << "key " << key;
    }
}

TEST(AppMenus, UndoAndRedoAreDisabledAndInertWhileAnActivityRuns) {
    WindowFixture fixture;
    fixture.load(testing::groupedProject({"/films/a.mov"}, 2));
    fixture.store.setSelection({fixture.firstShots(1)[0]});
    fixture.press(Qt::Key_1);
    fixture.press(Qt::Key_2);
    fixture.press(Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(fixture.action("Undo").isEnabled());
    ASSERT_TRUE(fixture.action("Redo").isEnabled());

    fixture.beginActivity();
    EXPECT_FALSE(fixture.action("Undo").isEnabled());
    EXPECT_FALSE(fixture.action("Redo").isEnabled());
    fixture.press(Qt::Key_Z, Qt::ControlModifier);
    fixture.press(Qt::Key_2);
    EXPECT_EQ(fixture.store.project().shots[0].disclosure, Disclosure::modified);
    // Never-disabled commands stay enabled; the controller refuses their edits itself.
    EXPECT_TRUE(fixture.action("AI generated").isEnabled());
    EXPECT_TRUE(fixture.action("Import Films\u2026").isEnabled());

    fixture.endActivity();
    EXPECT_TRUE(fixture.action("Undo").isEnabled());
    fixture.press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(fixture.store.project().shots[0].disclosure, Disclosure::unreviewed);
}

TEST(AppMenus, SettingsAndGuideOpenWhileAnActivityRuns) {
    WindowFixture fixture;
    fixture.beginActivity();
    fixture.press(Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_TRUE(fixture.store.presentation().settings);
    ASSERT_NE(fixture.window.sheets().sheet(&PresentationState::settings), nullptr);
    fixture.window.sheets().sheet(&PresentationState::settings)->reject();
    EXPECT_FALSE(fixture.store.presentation().settings);

    fixture.action("Disclosure Guide").trigger();
    EXPECT_TRUE(fixture.store.presentation().guide);
    EXPECT_NE(fixture.window.sheets().sheet(&PresentationState::guide), nullptr);
    fixture.endActivity();
}

TEST(AppMenus, CommandsCarryTheirShortcuts) {
    WindowFixture fixture;
    const std::pair<const char*, QKeySequence> expected[] = {
        {"New Review", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"Open Review\u2026", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Import Films\u2026", QKeySequence(Qt::CTRL | Qt::Key_I)},
        {"Save Review\u2026", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"Save Review As\u2026", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"Undo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"Redo", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {"No label", QKeySequence(Qt::Key_0)},
        {"AI modified", QKeySequence(Qt::Key_1)},
        {"AI generated", QKeySequence(Qt::Key_2)},
        {"Next unreviewed", QKeySequence(Qt::Key_J)},
        {"Play shot", QKeySequence(Qt::Key_Space)},
        {"Settings\u2026", QKeySequence(Qt::CTRL | Qt::Key_Comma)},
        {"Compact rows", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D)},
        {"Disclosure Guide", QKeySequence()},
    };
    for (const auto& [title, shortcut] : expected) EXPECT_EQ(fixture.action(title).shortcut(), shortcut) << title;
}

TEST(AppMenus, NoTwoCommandsOrKeysOfTheWindowShareAShortcut) {
    WindowFixture fixture;
    std::map<QString, QString> owners;
    const auto claim = [&owners](const QKeySequence& key, const QString& owner) {
        if (key.isEmpty()) return;
        const auto [where, fresh] = owners.emplace(key.toString(), owner);
        EXPECT_TRUE(fresh) << key.toString().toStdString() << ": " << where->second.toStdString() << " and "
                           << owner.toStdString();
    };
    for (const QAction* action : fixture.window.findChildren<QAction*>())
        for (const QKeySequence& key : action->shortcuts()) claim(key, action->text());
    for (const QShortcut* shortcut : fixture.window.findChildren<QShortcut*>())
        for (const QKeySequence& key : shortcut->keys()) claim(key, QStringLiteral("a review key"));
    EXPECT_TRUE(owners.contains(QStringLiteral("Ctrl+Shift+D")));
}

TEST(AppMenus, SpaceWithoutASelectionPlaysAndSelectsNothing) {
    WindowFixture fixture;
    fixture.load(testing::groupedProject({"/films/a.mov"}, 3));
    fixture.press(Qt::Key_Space);
    EXPECT_EQ(std::count(fixture.player->calls.begin(), fixture.player->calls.end(), "play"), 1);
    EXPECT_TRUE(fixture.store.selection().empty());

    fixture.press(Qt::Key_J);
    EXPECT_EQ(fixture.store.selection(), (std::set<Uuid>{fixture.firstShots(1)[0]}));
}

TEST(AppMenus, TypingInTheSearchFieldDoesNotDecide) {
    WindowFixture fixture;
    fixture.load(testing::groupedProject({"/films/a1.mov"}, 3));
    fixture.store.setSelection({fixture.firstShots(1)[0]});
    auto* search = fixture.window.findChild<QLineEdit*>();
    ASSERT_NE(search, nullptr);
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("a1"));
    EXPECT_EQ(fixture.store.listOptions().search, "a1");
    EXPECT_EQ(fixture.store.project().shots[0].disclosure, Disclosure::unreviewed);
}

}  // namespace
}  // namespace marrowick
