// One upright picture near a time.
#include "analysis/frame_grabber.h"

#include <gtest/gtest.h>

#include "model/review_error.h"
#include "test_films.h"

namespace marrowick {
namespace {

using testing::testFilm;

TEST(FrameGrabber, GivesAnUprightPictureFittedIntoTheBox) {
    const RgbaImage full = FrameGrabber::picture(testFilm("portrait.mp4"), 0.2, 0.1, 1000, 1000);
    EXPECT_EQ(full.width, 90);  // never enlarged
    EXPECT_EQ(full.height, 160);
    ASSERT_EQ(full.pixels.size(), 90u * 160u * 4u);
    EXPECT_GT(full.pixels[(10 * 90 + 45) * 4], 200);       // red at the top
    EXPECT_GT(full.pixels[(150 * 90 + 45) * 4 + 2], 200);  // blue at the bottom
    EXPECT_EQ(full.pixels[3], 255);

    const RgbaImage small = FrameGrabber::picture(testFilm("portrait.mp4"), 0.2, 0.1, 45, 45);
    EXPECT_EQ(small.width, 25);
    EXPECT_EQ(small.height, 45);
}

TEST(FrameGrabber, PicturesAFewPixelsWide) {
    // The scaler writes whole vector registers; a 2 x 2 picture must still fit its buffer.
    for (int run = 0; run < 20; ++run) {
        const RgbaImage tiny = FrameGrabber::picture(testFilm("tiny-2x2.mp4"), 0.2, 0.1, 480, 300);
        ASSERT_EQ(tiny.width, 2);
        ASSERT_EQ(tiny.height, 2);
        ASSERT_EQ(tiny.pixels.size(), 16u);
    }
}

TEST(FrameGrabber, FindsTheFrameNearTheTimeOrNone) {
    // cuts.mp4 changes picture at 1.6 s: the frames either side differ.
    const RgbaImage before = FrameGrabber::picture(testFilm("cuts.mp4"), 1.56, 0.01, 64, 64);
    const RgbaImage after = FrameGrabber::picture(testFilm("cuts.mp4"), 1.6, 0.01, 64, 64);
    const RgbaImage again = FrameGrabber::picture(testFilm("cuts.mp4"), 1.61, 0.02, 64, 64);
    EXPECT_NE(before.pixels, after.pixels);
    EXPECT_EQ(after.pixels, again.pixels);
    EXPECT_THROW(FrameGrabber::picture(testFilm("cuts.mp4"), 60.0, 0.5, 64, 64), ReviewError);
    EXPECT_THROW(FrameGrabber::picture(testFilm("audio-only.m4a"), 0, 1, 64, 64), ReviewError);
}

}  // namespace
}  // namespace marrowick
