// Reviewing with the keyboard alone in the main window: frames, shots, shuttle, in and out.
#include "ui/review_keys.h"

#include <functional>

#include <QAbstractButton>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "ui/inspector.h"
#include "ui/range_section.h"
#include "ui/time_field.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

struct KeysFixture : testing::WindowFixture {
    KeysFixture() {
        load(testing::makeProject(2, 3));
        store.focus(store.project().shots[0].id, false);
        window.setFocus();
    }
    const Shot& shot(std::size_t index) const { return store.project().shots[index]; }
    void at(double seconds) {
        player->time = seconds;
        player->tick();
    }
};

TEST(ReviewKeys, ArrowsStepFramesAndJumpBetweenTheFilmsShots) {
    KeysFixture fixture;
    fixture.at(0);
    fixture.press(Qt::Key_Right);
    EXPECT_DOUBLE_EQ(*fixture.player->lastSeek, 0.04);
    fixture.at(0.04);
    fixture.press(Qt::Key_Left);
    EXPECT_DOUBLE_EQ(*fixture.player->lastSeek, 0);

    fixture.press(Qt::Key_Down);
    EXPECT_EQ(fixture.store.selection(), std::set<Uuid>{fixture.shot(1).id});
    fixture.at(1.0);
    fixture.press(Qt::Key_Down);
    fixture.at(2.0);
    fixture.press(Qt::Key_Down);
    EXPECT_EQ(fixture.store.selection(), std::set<Uuid>{fixture.shot(2).id}) << "the last shot of the film stays";
    fixture.press(Qt::Key_Up);
    EXPECT_EQ(fixture.store.selection(), std::set<Uuid>{fixture.shot(1).id});
}

TEST(ReviewKeys, ShuttleKeysAndTheMenusNextUnreviewedLiveTogether) {
    KeysFixture fixture;
    fixture.press(Qt::Key_L);
    fixture.press(Qt::Key_L);
    EXPECT_EQ(fixture.player->rate(), 2);
    fixture.press(Qt::Key_K);
    EXPECT_EQ(fixture.player->rate(), 0);
    fixture.press(Qt::Key_J, Qt::ShiftModifier);
    EXPECT_EQ(fixture.player->rate(), -1);
    fixture.press(Qt::Key_K);
    fixture.press(Qt::Key_J);
    EXPECT_EQ(fixture.store.selection(), std::set<Uuid>{fixture.shot(1).id}) << "J still moves to the next unreviewed";
    EXPECT_EQ(fixture.player->rate(), 0);
}

TEST(ReviewKeys, EveryPlayCommandPlaysForwardAtNormalSpeedAfterShuttling) {
    struct Shuttle {
        const char* name;
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    };
    const Shuttle shuttles[] = {
        {"L L (2x forward)", {{Qt::Key_L, Qt::NoModifier}, {Qt::Key_L, Qt::NoModifier}}},
        {"J J (2x backward)", {{Qt::Key_J, Qt::ShiftModifier}, {Qt::Key_J, Qt::ShiftModifier}}},
        {"J (backward)", {{Qt::Key_J, Qt::ShiftModifier}}},
        {"L L L (4x forward)", {{Qt::Key_L, Qt::NoModifier}, {Qt::Key_L, Qt::NoModifier}, {Qt::Key_L, Qt::NoModifier}}},
    };
    const std::pair<const char*, std::function<void(KeysFixture&)>> plays[] = {
        {"Space", [](KeysFixture& f) { f.press(Qt::Key_Space); }},
        {"Play shot", [](KeysFixture& f) { f.action("Play shot").trigger(); }},
        {"transport Play", [](KeysFixture& f) {
             testing::findWidget<QAbstractButton>(f.window, QStringLiteral("Play / Pause")).click();
         }},
    };
    for (const Shuttle& shuttle : shuttles) {
        for (const auto& [play, run] : plays) {
            KeysFixture fixture;
            for (const auto& [key, modifiers] : shuttle.keys) fixture.press(key, modifiers);
            // Forward shuttling ends at the shot's end, paused with its rate kept.
            if (fixture.player->rate() > 0) fixture.player->pause();
            run(fixture);
            EXPECT_EQ(fixture.player->rate(), 1) << shuttle.name << ", then " << play;
        }
    }
}

TEST(ReviewKeys, IAndOMarkTheRangeButTypingInAFieldKeepsTheLetters) {
    KeysFixture fixture;
    fixture.at(0.32);
    fixture.press(Qt::Key_I);
    fixture.at(0.88);
    fixture.press(Qt::Key_O);
    RangeSection& range = fixture.window.inspector().range();
    EXPECT_EQ(range.inPoint(), 0.32);
    EXPECT_EQ(range.outPoint(), 0.88);

    range.outField().setFocus();
    range.outField().clear();
    QTest::keyClicks(&range.outField(), QStringLiteral("oi"));
    EXPECT_EQ(range.outField().text(), QStringLiteral("oi"));
    EXPECT_EQ(range.inPoint(), 0.32);
}

}  // namespace
}  // namespace marrowick
