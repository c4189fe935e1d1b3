// The video surface and its frame conversion: layouts, rotation, pictures that stay as they were
// handed out, and the picture converted for the shown size as the frame, fit or size change.
#include "ui/native_player.h"

#include <functional>

#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <QVideoSink>

#include <gtest/gtest.h>

#include "ui/video_frame_scaler.h"
#include "workspace_fixtures.h"

namespace marrowick {
namespace {

struct Yuv {
    uchar y, u, v;
};

// BT.709 video-range codes.
constexpr Yuv kWhite{235, 128, 128}, kBlack{16, 128, 128}, kRed{63, 102, 240};

// A 4:2:0 frame in YUV420P or YV12 (chroma planes swapped), coloured by `colourAt`.
QVideoFrame planarFrame(QVideoFrameFormat::PixelFormat format, QSize size, const std::function<Yuv(int, int)>& colourAt) {
    QVideoFrameFormat surface(size, format);
    surface.setColorSpace(QVideoFrameFormat::ColorSpace_BT709);
    surface.setColorRange(QVideoFrameFormat::ColorRange_Video);
    QVideoFrame frame(surface);
    frame.map(QVideoFrame::WriteOnly);
    const int u = format == QVideoFrameFormat::Format_YV12 ? 2 : 1, v = 3 - u;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const Yuv colour = colourAt(x, y);
            frame.bits(0)[y * frame.bytesPerLine(0) + x] = colour.y;
            if (x % 2 || y % 2) continue;
            frame.bits(u)[y / 2 * frame.bytesPerLine(u) + x / 2] = colour.u;
            frame.bits(v)[y / 2 * frame.bytesPerLine(v) + x / 2] = colour.v;
        }
    frame.unmap();
    return frame;
}

QVideoFrame plainFrame(Yuv colour, QSize size = {64, 36}) {
    return planarFrame(QVideoFrameFormat::Format_YUV420P, size, [colour](int, int) { return colour; });
}

bool near(QRgb actual, QRgb expected) {
    constexpr int kTolerance = 4;
    return std::abs(qRed(actual) - qRed(expected)) <= kTolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= kTolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= kTolerance;
}

TEST(VideoFrameScaler, ConvertsEachLayoutToTheSameColours) {
    VideoFrameScaler scaler;
    for (const auto format : {QVideoFrameFormat::Format_YUV420P, QVideoFrameFormat::Format_YV12}) {
        const QImage red = scaler.scaled(planarFrame(format, {32, 16}, [](int, int) { return kRed; }), {8, 4});
        ASSERT_EQ(red.size(), QSize(8, 4));
        EXPECT_TRUE(near(red.pixel(4, 2), qRgb(255, 0, 0))) << format << ": " << std::hex << red.pixel(4, 2);
    }
    // A layout without a plane path goes through Qt's own conversion.
    QVideoFrame packed(QVideoFrameFormat(QSize(4, 4), QVideoFrameFormat::Format_AYUV));
    packed.map(QVideoFrame::WriteOnly);
    for (int i = 0; i < 16; ++i) {
        uchar* pixel = packed.bits(0) + i * 4;
        pixel[0] = 255, pixel[1] = kRed.y, pixel[2] = kRed.u, pixel[3] = kRed.v;
    }
    packed.unmap();
    const QImage viaQt = scaler.scaled(packed, {2, 2});
    ASSERT_EQ(viaQt.size(), QSize(2, 2));
    EXPECT_EQ(viaQt.format(), QImage::Format_RGB32);
    EXPECT_GT(qRed(viaQt.pixel(1, 1)), 200);
    EXPECT_TRUE(scaler.scaled(QVideoFrame(), {8, 8}).isNull());
}

TEST(VideoFrameScaler, TurnsAndMirrorsFramesUpright) {
    // White on the left half, black on the right.
    QVideoFrame frame = planarFrame(QVideoFrameFormat::Format_YUV420P, {32, 16},
                                    [](int x, int) { return x < 16 ? kWhite : kBlack; });
    VideoFrameScaler scaler;
    frame.setRotationAngle(QVideoFrame::Rotation90);
    EXPECT_EQ(VideoFrameScaler::uprightSize(frame), QSize(16, 32));
    const QImage turned = scaler.scaled(frame, {16, 32});
    ASSERT_EQ(turned.size(), QSize(16, 32));
    EXPECT_TRUE(near(turned.pixel(8, 4), qRgb(255, 255, 255))) << "left side turned to the top";
    EXPECT_TRUE(near(turned.pixel(8, 28), qRgb(0, 0, 0)));

    frame.setRotationAngle(QVideoFrame::Rotation0);
    frame.setMirrored(true);
    const QImage mirrored = scaler.scaled(frame, {32, 16});
    EXPECT_TRUE(near(mirrored.pixel(4, 8), qRgb(0, 0, 0)));
    EXPECT_TRUE(near(mirrored.pixel(28, 8), qRgb(255, 255, 255)));
}

TEST(VideoFrameScaler, PicturesHandedOutStayAsTheyWereAndFreedOnesAreReused) {
    VideoFrameScaler scaler;
    const QSize size(16, 8);
    QImage white = scaler.scaled(plainFrame(kWhite), size);
    QImage black = scaler.scaled(plainFrame(kBlack), size);
    QImage red = scaler.scaled(plainFrame(kRed), size);
    EXPECT_TRUE(near(white.pixel(8, 4), qRgb(255, 255, 255)));
    EXPECT_TRUE(near(black.pixel(8, 4), qRgb(0, 0, 0)));
    EXPECT_TRUE(near(red.pixel(8, 4), qRgb(255, 0, 0)));

    const uchar* freed = red.constBits();
    white = black = red = QImage();
    const QImage again = scaler.scaled(plainFrame(kWhite), size);
    EXPECT_EQ(again.constBits(), freed);
}

struct SurfaceFixture {
    QVideoSink sink;
    NativePlayer surface{&sink};

    SurfaceFixture() {
        surface.resize(320, 240);
        surface.show();
    }
    bool shows(QSize size) const {
        return testing::waitUntil([&] { return surface.picture().size() == size; });
    }
    QRgb centre() {
        const QImage painted = surface.grab().toImage();
        return painted.pixel(painted.width() / 2, painted.height() / 2);
    }
};

TEST(NativePlayer, ConvertsTheFrameForTheShownSizeAsFitAndSizeChange) {
    SurfaceFixture fixture;
    fixture.sink.setVideoFrame(plainFrame(kWhite));
    ASSERT_TRUE(fixture.shows({320, 180}));
    EXPECT_TRUE(near(fixture.centre(), qRgb(255, 255, 255)));
    EXPECT_EQ(fixture.surface.grab().toImage().pixel(160, 10), qRgb(0, 0, 0)) << "fit leaves black bars";

    fixture.surface.setFill(true);
    EXPECT_TRUE(fixture.shows({427, 240}));
    fixture.surface.resize(160, 120);
    EXPECT_TRUE(fixture.shows({213, 120}));
    EXPECT_TRUE(near(fixture.surface.grab().toImage().pixel(80, 2), qRgb(255, 255, 255))) << "fill crops";
}

TEST(NativePlayer, ShowsTheNewestFrameAndKeepsItOnAnEmptyOne) {
    SurfaceFixture fixture;
    for (const Yuv colour : {kBlack, kWhite, kRed}) fixture.sink.setVideoFrame(plainFrame(colour));
    EXPECT_TRUE(testing::waitUntil([&] { return near(fixture.centre(), qRgb(255, 0, 0)); }));
    fixture.sink.setVideoFrame(QVideoFrame());
    QCoreApplication::processEvents();
    EXPECT_TRUE(near(fixture.centre(), qRgb(255, 0, 0)));
}

}  // namespace
}  // namespace marrowick
