// The viewer: the picture's share of the window, full screen with the review keys, sound on the
// real player, and remembered splitter sizes.
#include <QSettings>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "ui/inspector.h"
#include "ui/native_player.h"
#include "ui/qt_media_player.h"
#include "ui/remembered_splitter.h"
#include "ui/sidebar.h"
#include "workspace/preferences.h"
#include "widget_lookup.h"

namespace marrowick {
namespace {

struct ViewerFixture : testing::WindowFixture {
    ViewerFixture() {
        load(testing::makeProject(2, 3));  // 1920 x 1080 films of 25 fps
        store.focus(store.project().shots[1].id, false);
        window.setFocus();
    }
};

TEST(Viewer, ThePictureGetsTwoFifthsOfA1600By1000Window) {
    QSettings("Marrowick", "Marrowick").remove("layout/previewSplit");
    ViewerFixture fixture;
    fixture.window.resize(1600, 1000);
    QTest::qWait(50);
    const QRect picture = fixture.window.findChild<NativePlayer*>()->geometry();
    EXPECT_GE(double(picture.width()) * picture.height(), 0.4 * 1600 * 1000)
        << picture.width() << " x " << picture.height();
}

TEST(Viewer, FullScreenKeepsOnlyThePreviewAndTheReviewKeys) {
    ViewerFixture fixture;
    fixture.press(Qt::Key_F);
    EXPECT_TRUE(fixture.store.presentation().fullScreen);
    EXPECT_FALSE(fixture.window.sidebar().isVisible());
    EXPECT_FALSE(fixture.window.inspector().isVisible());
    EXPECT_TRUE(fixture.window.findChild<NativePlayer*>()->isVisible());

    fixture.player->time = 1.0;
    fixture.press(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(*fixture.player->lastSeek, 1.4);
    fixture.press(Qt::Key_Home);
    EXPECT_DOUBLE_EQ(*fixture.player->lastSeek, 0);
    fixture.press(Qt::Key_End);
    EXPECT_DOUBLE_EQ(*fixture.player->lastSeek, 2.96);
    fixture.press(Qt::Key_2);
    EXPECT_EQ(fixture.store.project().shots[1].disclosure, Disclosure::generated);
    fixture.press(Qt::Key_Backslash);
    EXPECT_TRUE(fixture.store.presentation().loop);
    EXPECT_EQ(fixture.player->loopStart, 1.0);

    fixture.press(Qt::Key_Escape);
    EXPECT_FALSE(fixture.store.presentation().fullScreen);
    EXPECT_TRUE(fixture.window.sidebar().isVisible());
    EXPECT_TRUE(fixture.window.inspector().isVisible());
    fixture.press(Qt::Key_Escape);
    EXPECT_FALSE(fixture.store.presentation().fullScreen) << "Escape outside full screen changes nothing";
}

TEST(Viewer, ThePlayerHasAnAudioOutputAndMMutesIt) {
    testing::PrivateDataHome data;
    testing::FakeDialogs dialogs;
    auto* player = new QtMediaPlayer;
    ReviewStore store{std::unique_ptr<MediaPlayer>(player), dialogs, MARROWICK_RESOURCE_DIR};
    AppDelegate delegate{dialogs, {}};
    delegate.setStore(&store);
    MainWindow window{store, delegate};
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    EXPECT_EQ(player->mediaPlayer().audioOutput(), &player->audioOutput());
    EXPECT_FALSE(player->audioOutput().isMuted());
    QTest::keyClick(&window, Qt::Key_M);
    EXPECT_TRUE(player->audioOutput().isMuted());
    EXPECT_TRUE(store.presentation().muted);
    QTest::keyClick(&window, Qt::Key_M);
    EXPECT_FALSE(player->audioOutput().isMuted());

    QSlider* volume = &testing::findWidget<QSlider>(window, QStringLiteral("Volume"));
    volume->setValue(0);
    EXPECT_EQ(player->audioOutput().volume(), 0.0f);
    volume->setValue(100);
    EXPECT_FLOAT_EQ(player->audioOutput().volume(), 1.0f);
    EXPECT_EQ(Preferences::volume(), 100) << "the level is remembered";
}

// Moves a handle as a drag would.
struct DraggedSplitter : RememberedSplitter {
    using RememberedSplitter::RememberedSplitter;
    void drag(int position) { moveSplitter(position, 1); }
};

TEST(Viewer, SplitterSizesAreRememberedAndTheHandleIsWiderThanItsLine) {
    const QString key = QStringLiteral("layout/testSplit");
    QSettings("Marrowick", "Marrowick").remove(key);
    const auto make = [&] {
        auto splitter = std::make_unique<DraggedSplitter>(Qt::Vertical, key);
        splitter->addWidget(new QWidget);
        splitter->addWidget(new QWidget);
        splitter->resize(200, 400);
        splitter->show();
        splitter->restore({300, 100});
        return splitter;
    };
    auto first = make();
    EXPECT_EQ(first->handleWidth(), RememberedSplitter::kHandleWidth);
    EXPECT_GT(first->sizes()[0], first->sizes()[1]);
    first->drag(120);
    const QList<int> moved = first->sizes();
    first.reset();
    EXPECT_EQ(make()->sizes(), moved);
}

}  // namespace
}  // namespace marrowick
