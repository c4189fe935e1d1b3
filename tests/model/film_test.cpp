#include "model/film.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace marrowick {

TEST(Film, SnapsToFrameTimesZeroAndTheDuration) {
    Film film;
    film.duration = 0.75;
    film.fps = 25;
    film.frameTimes = makeFrameTimes({0.0, 0.25, 0.5});
    EXPECT_EQ(film.snap(0.3), 0.25);
    EXPECT_EQ(film.snap(0.375), 0.25);  // equal distance: the earlier frame
    EXPECT_EQ(film.snap(0.45), 0.5);
    EXPECT_EQ(film.snap(0.7), 0.75);    // after the last frame the duration is the upper candidate
    EXPECT_EQ(film.snap(-1), 0.0);
    EXPECT_EQ(film.snap(9), 0.75);
    EXPECT_EQ(film.snap(0.25), 0.25);

    film.frameTimes = makeFrameTimes({0.1, 0.2});
    EXPECT_EQ(film.snap(0.04), 0.0);    // before the first frame, 0 is the lower candidate
}

TEST(Film, SnapsToTheFrameRateGridWithoutFrameTimes) {
    Film film;
    film.duration = 10;
    film.fps = 25;
    EXPECT_EQ(film.snap(1.01), 1.0);
    EXPECT_EQ(film.snap(1.02), 1.04);  // 25.5 frames go up
    EXPECT_EQ(film.snap(1.03), 1.04);
    film.frameTimes = makeFrameTimes({});  // empty frame times fall back to the grid
    EXPECT_EQ(film.snap(1.03), 1.04);
    EXPECT_TRUE(std::isnan(film.snap(std::nan(""))));
    EXPECT_EQ(film.snap(std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
}

}  // namespace marrowick
