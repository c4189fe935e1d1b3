#include "interchange/boundary_cross_check.h"

#include <gtest/gtest.h>

namespace marrowick {

namespace {

std::vector<Shot> tiling(const std::vector<double>& starts, double end) {
    std::vector<Shot> shots;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        Shot shot;
        shot.start = starts[i];
        shot.end = i + 1 < starts.size() ? starts[i + 1] : end;
        shot.boundaryScore = 1.0;
        shots.push_back(shot);
    }
    return shots;
}

}  // namespace

TEST(BoundaryCrossCheck, NotesCutsOnlyOneSideFinds) {
    Film film;
    film.fps = 25;
    std::vector<Shot> listed = tiling({0, 2, 5}, 8);
    listed[1].note = "from the editor";
    // Detection agrees on 2 s within two frames, misses 5 s and finds 6.5 s.
    BoundaryCrossCheck::annotate(listed, tiling({0, 2.08, 6.5}, 8), film);
    EXPECT_EQ(listed[0].note, "");
    EXPECT_EQ(listed[0].boundaryScore, 1.0);
    EXPECT_EQ(listed[1].boundaryScore, 1.0);
    EXPECT_EQ(listed[2].boundaryScore, BoundaryCrossCheck::kDisagreementScore);
    EXPECT_EQ(listed[1].note, "from the editor");
    EXPECT_EQ(listed[2].note,
              "Check boundaries: detection finds no cut where this shot starts.\n"
              "Check boundaries: detection finds a cut at 00:00:06.500 that the cut list does not have.");

    // In timecode, counted from the film's own start.
    film.duration = 8;
    film.startTimecode = "01:00:00:00";
    std::vector<Shot> again = tiling({0, 2, 5}, 8);
    BoundaryCrossCheck::annotate(again, tiling({0, 2.08, 6.5}, 8), film, TimeDisplay::timecode);
    EXPECT_EQ(again[2].note,
              "Check boundaries: detection finds no cut where this shot starts.\n"
              "Check boundaries: detection finds a cut at 01:00:06:12 that the cut list does not have.");
}

}  // namespace marrowick
