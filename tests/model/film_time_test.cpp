#include "model/film_time.h"

#include <gtest/gtest.h>

#include "project_fixture.h"

namespace marrowick {
namespace {

Film filmAt(double fps, double duration, const std::string& tag) {
    Film film = testing::makeFilm(duration);
    film.fps = fps;
    FilmTime::takeTimecodeTag(film, tag);
    return film;
}

constexpr double kNtsc30 = 30000.0 / 1001;
constexpr double kNtsc60 = 60000.0 / 1001;
constexpr double kNtsc24 = 24000.0 / 1001;

}  // namespace

TEST(FilmTime, ReadsTheTagFormsFfmpegReports) {
    struct Case {
        double fps;
        const char* tag;
        const char* start;
        int rate;
        bool drop;
    };
    const Case cases[] = {
        {kNtsc30, "01:00:00;00", "01:00:00;00", 30, true},
        {kNtsc30, "01:00:00:00", "01:00:00:00", 30, false},  // 29.97 non-drop as the tag says
        {kNtsc60, "00:09:59;56", "00:09:59;56", 60, true},
        {kNtsc60, "00:09:59.56", "00:09:59;56", 60, true},   // the period some writers use for drop frame
        {kNtsc24, "00:59:58:00", "00:59:58:00", 24, false},
        {25, "10:00:00:00", "10:00:00:00", 25, false},
        {25, " 10:00:00:00\t", "10:00:00:00", 25, false},
        {25, "01:00:00;00", "01:00:00:00", 25, false},        // no drop frame at 25
        {25, "", "00:00:00:00", 25, false},
        {25, "-00:00:01:00", "00:00:00:00", 25, false},       // negative timecode
        {25, "01:00:00:25", "00:00:00:00", 25, false},        // no frame 25 at 25 fps
        {kNtsc30, "00:01:00;00", "00:00:00;00", 30, true},    // a number drop frame skips
        {kNtsc60, "", "00:00:00;00", 60, true},
        {25, "100:00:00:00", "00:00:00:00", 25, false},
    };
    for (const Case& c : cases) {
        const Film film = filmAt(c.fps, 10, c.tag);
        const FilmTime::Counting counting = FilmTime::counting(film);
        EXPECT_EQ(film.startTimecode, c.start) << c.tag;
        EXPECT_EQ(film.timecodeRate, c.rate) << c.tag;
        EXPECT_EQ(counting.dropFrame, c.drop) << c.tag;
        EXPECT_TRUE(FilmTime::timecodeValid(film)) << c.tag;
        EXPECT_EQ(FilmTime::timecode(film, 0), c.start) << c.tag;
    }
}

TEST(FilmTime, TimecodeRunsAcrossTheMinuteAndTenMinuteMarks) {
    struct Case {
        double fps;
        const char* tag;
        std::int64_t frame;
        const char* expected;
    };
    const Case cases[] = {
        {kNtsc30, "00:00:59;29", 1, "00:01:00;02"},
        {kNtsc30, "00:09:59;28", 2, "00:10:00;00"},
        {kNtsc30, "00:09:59;28", 3, "00:10:00;01"},
        {kNtsc30, "00:10:59;29", 1, "00:11:00;02"},
        {kNtsc60, "00:00:59;59", 1, "00:01:00;04"},
        {kNtsc60, "00:09:59;59", 1, "00:10:00;00"},
        {kNtsc30, "00:00:59:29", 1, "00:01:00:00"},  // 29.97 non-drop skips nothing
        {kNtsc24, "00:59:59:23", 1, "01:00:00:00"},
        {25, "23:59:59:24", 1, "24:00:00:00"},       // hours are not wrapped, like the clock string
    };
    for (const Case& c : cases) {
        const Film film = filmAt(c.fps, 10, c.tag);
        const double at = FilmTime::frameTime(film, c.frame);
        EXPECT_EQ(FilmTime::timecode(film, at), c.expected) << c.tag << " + " << c.frame;
        EXPECT_EQ(FilmTime::parse(film, c.expected), at) << c.expected;
    }
}

TEST(FilmTime, TimecodeFrameNumberAndSecondsLandOnTheSameFrame) {
    Film decoded = filmAt(25, 2, "01:00:00:00");
    decoded.frameTimes = makeFrameTimes({0.0, 0.04, 0.1, 0.5, 1.0, 1.5});  // variable frame spacing
    const Film grid = filmAt(kNtsc30, 60, "00:00:59;00");
    struct Case {
        const Film* film;
        const char* timecode;
        const char* frame;
        const char* seconds;
        std::int64_t index;
    };
    const Case cases[] = {
        {&decoded, "01:00:00:03", "#3", "0.5", 3},
        {&decoded, "01:00:00:03", "#3", "0.9", 3},       // inside a frame: that frame
        {&decoded, "01:00:00:06", "#6", "2", 6},         // the end: one past the last frame
        {&grid, "00:01:00;02", "#30", "1.001", 30},
        {&grid, "00:01:00;02", "#30", "1.0005", 30},     // a player position just before the frame
        {&grid, "00:00:59;00", "#0", "0", 0},
    };
    for (const Case& c : cases) {
        const std::optional<double> byTimecode = FilmTime::parse(*c.film, c.timecode);
        const std::optional<double> byFrame = FilmTime::parse(*c.film, c.frame);
        const std::optional<double> bySeconds = FilmTime::parse(*c.film, c.seconds);
        ASSERT_TRUE(byTimecode && byFrame && bySeconds) << c.timecode;
        EXPECT_EQ(*byTimecode, *byFrame) << c.timecode;
        EXPECT_EQ(FilmTime::frameIndex(*c.film, *byTimecode), c.index) << c.timecode;
        EXPECT_EQ(FilmTime::frameIndex(*c.film, *bySeconds), c.index) << c.seconds;
        EXPECT_EQ(FilmTime::text(*c.film, *bySeconds, TimeDisplay::timecode), c.timecode);
        EXPECT_EQ(FilmTime::text(*c.film, *bySeconds, TimeDisplay::frames), c.frame);
    }
}

TEST(FilmTime, TypedTextOutsideTheFilmOrMalformedIsRefused) {
    const Film film = filmAt(25, 2, "01:00:00:00");
    for (const char* typed : {"", "#", "#-1", "#51", "#1.5", "00:59:59:24", "01:00:00:25", "01:00:02:01", "1:00:00:00",
                              "abc", "1,5", "1e400", "nan", "#99999999999999999999"})
        EXPECT_EQ(FilmTime::parse(film, typed), std::nullopt) << typed;
    EXPECT_EQ(FilmTime::parse(film, "#50"), 2.0);
    EXPECT_EQ(FilmTime::parse(film, " 1.25 "), 1.25);
}

TEST(FilmTime, OldFilmsCountFromZeroAtTheirFrameRate) {
    Film film = testing::makeFilm(4);
    film.fps = kNtsc30;
    EXPECT_EQ(FilmTime::timecode(film, 1.001), "00:00:01;00");
    EXPECT_EQ(FilmTime::rateName(film), "29.97 fps drop frame");
    EXPECT_EQ(FilmTime::rateName(filmAt(kNtsc30, 4, "00:00:00:00")), "29.97 fps");
    EXPECT_EQ(FilmTime::rateName(filmAt(kNtsc24, 4, "")), "23.976 fps");
    EXPECT_EQ(FilmTime::rateName(filmAt(50, 4, "")), "50 fps");
    EXPECT_EQ(FilmTime::text(film, 1.5, TimeDisplay::seconds), "00:00:01.500");
    for (const TimeDisplay display : {TimeDisplay::timecode, TimeDisplay::frames, TimeDisplay::seconds})
        EXPECT_EQ(parseTimeDisplay(timeDisplayName(display)), display);
    EXPECT_EQ(parseTimeDisplay("Timecode"), std::nullopt);
}

}  // namespace marrowick
