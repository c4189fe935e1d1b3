#include "interchange/cut_list_mapping.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "interchange/cut_list_matchers.h"
#include "interchange/edl_reader.h"

namespace marrowick {

using testing::failureOf;

namespace {

// A film of `frames` frames at `fps` whose frame times start at 0.
Film filmOf(int frames, double fps) {
    Film film;
    film.id = Uuid::random();
    film.fps = fps;
    film.duration = frames / fps;
    std::vector<double> times;
    for (int i = 0; i < frames; ++i) times.push_back(i / fps);
    film.frameTimes = makeFrameTimes(std::move(times));
    return film;
}

CutList listOf(std::vector<CutEvent> events, double frameRate = 0) {
    CutList list;
    list.frameRate = frameRate;
    list.events = std::move(events);
    return list;
}

std::vector<std::pair<double, double>> rangesOf(const std::vector<Shot>& shots) {
    std::vector<std::pair<double, double>> ranges;
    for (const Shot& shot : shots) ranges.emplace_back(shot.start, shot.end);
    return ranges;
}

}  // namespace

TEST(CutListMapping, ShotsTileTheFilmWithTransitionsAndGapsAsShotsOfTheirOwn) {
    // 01:00:00:00 is the first record in: the film's time 0.
    const char* edl =
        "001  A  V  C        00:00:00:00 00:00:02:00 01:00:00:00 01:00:02:00\n"
        "002  B  V  D    010 00:00:00:00 00:00:03:00 01:00:02:00 01:00:05:00\n"
        "003  C  V  C        00:00:00:00 00:00:02:00 01:00:06:00 01:00:08:00\n";
    const Film film = filmOf(200, 25);
    const CutList list = EdlReader::read(edl, 25);
    CutListMapping::check(list, film);
    const std::vector<Shot> shots = CutListMapping::shots(list, film);
    EXPECT_THAT(rangesOf(shots), ::testing::ElementsAre(std::pair(0.0, 2.0), std::pair(2.0, 2.4), std::pair(2.4, 5.0),
                                                        std::pair(5.0, 6.0), std::pair(6.0, 8.0)));
    for (const Shot& shot : shots) {
        EXPECT_EQ(shot.filmID, film.id);
        EXPECT_EQ(shot.boundaryScore, 1.0);
        EXPECT_EQ(shot.disclosure, Disclosure::unreviewed);
    }
}

TEST(CutListMapping, SnapsToTheFilmsOwnFrameTimes) {
    // A film whose frames sit 10 ms late against the list's grid; cut list times land on them.
    Film film = filmOf(100, 25);
    std::vector<double> late;
    for (double time : *film.frameTimes) late.push_back(time == 0 ? 0 : time + 0.01);
    film.frameTimes = makeFrameTimes(late);
    const std::vector<Shot> shots = CutListMapping::shots(listOf({{0, 1.5}, {1.5, 4}}), film);
    ASSERT_EQ(shots.size(), 2u);
    EXPECT_EQ(shots[0].end, late[37]);  // 1.49 is nearer 1.5 than 1.53
    EXPECT_EQ(shots[1].start, shots[0].end);
    EXPECT_EQ(shots[1].end, film.duration);
}

TEST(CutListMapping, LengthWithinAFrameOverOrASecondUnder) {
    const Film film = filmOf(100, 25);  // 4 s
    // Longer by less than a frame: the last shot ends at the film's end.
    const CutList justOver = listOf({{10, 12}, {12, 14.03}});
    CutListMapping::check(justOver, film);
    EXPECT_EQ(CutListMapping::shots(justOver, film).back().end, 4.0);
    EXPECT_EQ(failureOf([&] { CutListMapping::check(listOf({{10, 12}, {12, 14.05}}), film); }),
              "The cut list runs 00:00:04.050, longer than the film (00:00:04.000).");
    // Shorter by less than a second: one final shot to the end.
    const CutList short_ = listOf({{0, 3.2}});
    CutListMapping::check(short_, film);
    EXPECT_THAT(rangesOf(CutListMapping::shots(short_, film)),
                ::testing::ElementsAre(std::pair(0.0, 3.2), std::pair(3.2, 4.0)));
    EXPECT_EQ(failureOf([&] { CutListMapping::check(listOf({{0, 2.96}}), film); }),
              "The cut list runs 00:00:02.960, more than a second shorter than the film (00:00:04.000).");
}

TEST(CutListMapping, RefusesListsThatDoNotFitTheFilm) {
    const Film film = filmOf(100, 25);
    const auto failure = [&](const CutList& list) {
        return failureOf([&] { CutListMapping::check(list, film); });
    };
    EXPECT_EQ(failure(listOf({{0, 4}}, 24)), "The cut list's frame rate (24 fps) does not match the film's (25 fps).");
    CutList dropFrame = listOf({{0, 4}}, 30000.0 / 1001);
    dropFrame.frameRateText = "29.97 fps drop frame";
    EXPECT_EQ(failure(dropFrame), "The cut list's frame rate (29.97 fps drop frame) does not match the film's (25 fps).");
    EXPECT_EQ(failure(listOf({{0, 2.5}, {2, 4}})), "The cut list's events overlap or go backwards at 00:00:02.000.");
    EXPECT_EQ(failure(listOf({{0, 2}, {3, 2.5}})), "The cut list's events overlap or go backwards at 00:00:03.000.");
    EXPECT_EQ(failure(listOf({{0, 2}, {2, 4}, {1, 1, CutKind::transition}})),
              "The cut list's events overlap or go backwards at 00:00:01.000.");
    EXPECT_EQ(failure(listOf({})), "The cut list has no video events.");
    EXPECT_EQ(failure(listOf({{0, 4, CutKind::gap}})), "The cut list has no video events.");
    EXPECT_EQ(failure(listOf({{0, 4}}, 25.004)), "");  // within rounding of the same rate
}

TEST(CutListMapping, MessagesWriteTimesInTheReviewersDisplayCountedInTheFilmsTimecode) {
    Film film = filmOf(100, 25);  // 4 s from 10:00:00:00
    film.startTimecode = "10:00:00:00";
    struct Case {
        TimeDisplay display;
        const char* overlapAt;  // the second event starts at 2 s, inside the first
        const char* runs;       // 4.08 s of programme
        const char* filmLength;
    };
    const Case cases[] = {
        {TimeDisplay::timecode, "10:00:02:00", "00:00:04:02", "00:00:04:00"},
        {TimeDisplay::frames, "#50", "102 frames", "100 frames"},
        {TimeDisplay::seconds, "00:00:02.000", "00:00:04.080", "00:00:04.000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(failureOf([&] { CutListMapping::check(listOf({{0, 2.5}, {2, 4}}), film, c.display); }),
                  std::string("The cut list's events overlap or go backwards at ") + c.overlapAt + ".");
        EXPECT_EQ(failureOf([&] { CutListMapping::check(listOf({{0, 4.08}}), film, c.display); }),
                  std::string("The cut list runs ") + c.runs + ", longer than the film (" + c.filmLength + ").");
    }
    // A time outside the film names no frame of it.
    EXPECT_EQ(failureOf([&] { CutListMapping::check(listOf({{0, 2}, {5, 4}}), film, TimeDisplay::timecode); }),
              "The cut list's events overlap or go backwards at 00:00:05.000.");
}

TEST(CutListMapping, StartTimeOfTheTimelineIsTheFilmsZero) {
    const Film film = filmOf(100, 25);
    CutList list = listOf({{1, 3}, {3, 4}});
    list.origin = 0.0;  // a timeline starting with one second of nothing
    EXPECT_THAT(rangesOf(CutListMapping::shots(list, film)),
                ::testing::ElementsAre(std::pair(0.0, 1.0), std::pair(1.0, 3.0), std::pair(3.0, 4.0)));
    EXPECT_EQ(CutListMapping::detectorName("/cuts/Reel 1.edl"), "Cut list: Reel 1.edl");
}

}  // namespace marrowick
