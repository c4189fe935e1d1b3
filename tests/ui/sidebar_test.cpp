// The sidebar: counts, film entries with their missing-file symbol, and choosing entries.
#include "ui/sidebar.h"

#include <QDir>
#include <QFile>

#include <functional>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "ui/nav_entry.h"
#include "ui/toggle_switch.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

using testing::WindowFixture;

// The entry titled `title` that is not being removed; fails the test when there is none.
NavEntry* entry(QWidget& sidebar, const QString& title) {
    return &testing::findWidget<NavEntry>(sidebar, title, testing::Presence::shown);
}

TEST(Sidebar, WithoutFilmsShowsSixEntriesCountingZero) {
    WindowFixture fixture;
    Sidebar& sidebar = fixture.window.sidebar();
    std::vector<NavEntry*> visible;
    for (NavEntry* candidate : sidebar.findChildren<NavEntry*>())
        if (candidate->isVisible()) visible.push_back(candidate);
    ASSERT_EQ(visible.size(), 6u);
    for (const char* title : {"All shots", "Needs review", "Labelled", "Check boundaries", "Carried from earlier cut"})
        EXPECT_EQ(entry(sidebar, QString::fromLatin1(title))->count(), std::optional<std::size_t>(0)) << title;
    EXPECT_EQ(entry(sidebar, QStringLiteral("Similar shots"))->count(), std::nullopt);
    EXPECT_TRUE(entry(sidebar, QStringLiteral("All shots"))->isChecked());
}

TEST(Sidebar, MissingFileMarksAreCheckedAgainWhenTheWindowComesBack) {
    WindowFixture fixture;
    QTemporaryDir folder;
    const QString film = folder.filePath(QStringLiteral("reel.mov"));
    const QString moved = folder.filePath(QStringLiteral("elsewhere.mov"));
    QFile(film).open(QIODevice::WriteOnly);
    fixture.load(testing::groupedProject({film.toStdString()}, 2));
    Sidebar& sidebar = fixture.window.sidebar();
    const auto comeBack = [&] {
        QEvent activation(QEvent::ActivationChange);
        QCoreApplication::sendEvent(&sidebar, &activation);
    };
    const std::pair<std::function<void()>, const char*> steps[] = {
        {[&] { QFile::rename(film, moved); }, "exclamationmark.triangle"},
        {[&] { QFile::rename(moved, film); }, "film"},
    };
    for (const auto& [change, symbol] : steps) {
        change();
        comeBack();
        EXPECT_EQ(entry(sidebar, QStringLiteral("reel.mov"))->symbol(), QString::fromLatin1(symbol));
    }
}

TEST(Sidebar, CountsAndFilmEntriesFollowTheReview) {
    WindowFixture fixture;
    QTemporaryDir folder;
    const QString present = folder.filePath(QStringLiteral("present.mov"));
    QFile(present).open(QIODevice::WriteOnly);
    Project project = testing::groupedProject({present.toStdString(), folder.filePath("moved.mov").toStdString()}, 4);
    project.shots.mut(0).disclosure = Disclosure::modified;
    project.shots.mut(1).disclosure = Disclosure::none;
    project.shots.mut(2).boundaryScore = 0.79;
    fixture.load(project);
    ASSERT_EQ(fixture.store.error(), std::nullopt);
    Sidebar& sidebar = fixture.window.sidebar();

    EXPECT_EQ(entry(sidebar, QStringLiteral("All shots"))->count(), 8u);
    EXPECT_EQ(entry(sidebar, QStringLiteral("Needs review"))->count(), 6u);
    EXPECT_EQ(entry(sidebar, QStringLiteral("Labelled"))->count(), 1u);
    EXPECT_EQ(entry(sidebar, QStringLiteral("Check boundaries"))->count(), 1u);
    EXPECT_EQ(entry(sidebar, QStringLiteral("present.mov"))->symbol(), QStringLiteral("film"));
    EXPECT_EQ(entry(sidebar, QStringLiteral("moved.mov"))->symbol(), QStringLiteral("exclamationmark.triangle"));
    EXPECT_EQ(entry(sidebar, QStringLiteral("moved.mov"))->count(), 4u);

    entry(sidebar, QStringLiteral("moved.mov"))->click();
    EXPECT_EQ(fixture.store.listOptions().filter.key(), project.films[1].id.text());
    EXPECT_TRUE(entry(sidebar, QStringLiteral("moved.mov"))->isChecked());
    EXPECT_FALSE(entry(sidebar, QStringLiteral("All shots"))->isChecked());
}

TEST(Sidebar, SimilarShotsTurnsOnGroupSortWhichStaysOn) {
    WindowFixture fixture;
    Sidebar& sidebar = fixture.window.sidebar();
    auto* groupSwitch = fixture.window.findChild<ToggleSwitch*>();
    ASSERT_NE(groupSwitch, nullptr);

    entry(sidebar, QStringLiteral("Similar shots"))->click();
    EXPECT_EQ(fixture.store.listOptions().filter.key(), "groups");
    EXPECT_TRUE(fixture.store.listOptions().groupSort);
    EXPECT_TRUE(groupSwitch->isChecked());

    entry(sidebar, QStringLiteral("Needs review"))->click();
    EXPECT_EQ(fixture.store.listOptions().filter.key(), "review");
    EXPECT_TRUE(fixture.store.listOptions().groupSort);
    groupSwitch->click();
    EXPECT_FALSE(fixture.store.listOptions().groupSort);
}

}  // namespace
}  // namespace marrowick
