#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "model/review_error.h"
#include "project_fixture.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::makeFilm;
using testing::makeShot;

// One film, 0.75 s, frames every 0.25 s, with shots [0, 0.25) [0.25, 0.5) [0.5, 0.75), all decided.
Project threeShots() {
    Project project;
    Film film = makeFilm(0.75);
    film.frameTimes = makeFrameTimes({0.0, 0.25, 0.5});
    testing::addTiledFilm(project, film, {0.25, 0.5});
    for (std::size_t i = 0; i < project.shots.size(); ++i) {
        Shot& shot = project.shots.mut(i);
        shot.disclosure = Disclosure::generated;
        shot.thumbnail = makeBlob({1});
        shot.feature = makeBlob({2});
        shot.group = 4;
        shot.note = "note " + std::to_string(i);
    }
    return project;
}

// A film of 10 s at 25 fps split into [0, 4) and [4, 10).
Project twoShotsOnAGrid() {
    Project project;
    testing::addTiledFilm(project, makeFilm(10), {4});
    return project;
}

bool isReset(const Shot& shot) {
    return shot.disclosure == Disclosure::unreviewed && !shot.thumbnail && !shot.feature && shot.group == 0;
}


}  // namespace

TEST(ShotRangeEditing, SplitSnapsCopiesAndResetsBothHalves) {
    Project project = twoShotsOnAGrid();
    project.shots.mut(1).note = "keep";
    project.shots.mut(1).disclosure = Disclosure::none;
    const Uuid id = project.shots[1].id;
    project.split(id, 6.01);
    ASSERT_EQ(project.shots.size(), 3u);
    const Shot& first = project.shots[1];
    const Shot& second = project.shots[2];
    EXPECT_EQ(first.id, id);
    EXPECT_EQ(first.end, 6.0);
    EXPECT_EQ(second.start, 6.0);
    EXPECT_EQ(second.end, 10.0);
    EXPECT_EQ(second.boundaryScore, 1.0);
    EXPECT_EQ(second.note, "keep");
    EXPECT_NE(second.id, id);
    EXPECT_TRUE(isReset(first) && isReset(second));
    const ReviewEvent& entry = project.history.back();
    EXPECT_EQ(entry.action, "split");
    EXPECT_EQ(entry.shotIDs, (std::vector<Uuid>{id, second.id}));
    EXPECT_EQ(entry.detail, "6.0");
    EXPECT_GT(entry.date, 0);
    EXPECT_NO_THROW(project.validated());
}

TEST(ShotRangeEditing, SplitNeedsAFrameOnEitherSide) {
    Project project = threeShots();
    const Project before = project;
    const char* message = "Split must leave at least one frame on either side.";
    EXPECT_EQ(testing::raisedMessage([&] { project.split(project.shots[1].id, 0.4); }), message);  // one-frame shot
    EXPECT_EQ(testing::raisedMessage([&] { project.split(project.shots[1].id, 0.26); }), message);  // snaps to its start
    EXPECT_EQ(testing::raisedMessage([&] { project.split(project.shots[1].id, std::nan("")); }), message);
    EXPECT_EQ(project, before);
}

TEST(ShotRangeEditing, UnknownShotsAndFilmsChangeNothing) {
    Project project = threeShots();
    project.shots.push_back(makeShot(makeFilm(1), 0, 1));  // its film is not in the project
    const Project before = project;
    const Uuid stranger = Uuid::random();
    project.split(stranger, 0.3);
    project.moveRange(stranger, 0, 1);
    project.mergeWithNext(stranger);
    project.setNote(stranger, "x");
    project.split(project.shots[3].id, 0.5);
    project.moveRange(project.shots[3].id, 0, 0.5);
    EXPECT_EQ(project, before);
}

TEST(ShotRangeEditing, MoveRangeMovesNeighboursAndResetsAllThree) {
    Project project = threeShots();
    const Uuid first = project.shots[0].id, middle = project.shots[1].id, last = project.shots[2].id;
    // Applying the current range changes no time but still resets the shot and both neighbours.
    project.moveRange(middle, 0.25, 0.5);
    for (const Shot& shot : project.shots) EXPECT_TRUE(isReset(shot));
    EXPECT_EQ(project.history.back().action, "move-boundaries");
    EXPECT_EQ(project.history.back().shotIDs, (std::vector<Uuid>{middle, first, last}));
    EXPECT_EQ(project.history.back().detail, "0.25..<0.5");

    Project grid = twoShotsOnAGrid();
    grid.moveRange(grid.shots[0].id, 3.0, 1.53);  // first shot: the given start is ignored
    EXPECT_EQ(grid.shots[0].start, 0.0);
    EXPECT_EQ(grid.shots[0].end, 1.52);
    EXPECT_EQ(grid.shots[1].start, 1.52);
    EXPECT_EQ(grid.history.back().detail, "0.0..<1.52");
    EXPECT_EQ(grid.history.back().shotIDs.size(), 2u);
    grid.moveRange(grid.shots[1].id, 2.0, 0);  // last shot: the given end is ignored
    EXPECT_EQ(grid.shots[1].end, 10.0);
    EXPECT_EQ(grid.shots[0].end, 2.0);
    EXPECT_NO_THROW(grid.validated());
}

TEST(ShotRangeEditing, MoveRangeKeepsNeighboursAtLeastOneFrameLong) {
    Project project = threeShots();
    const Project before = project;
    const char* message = "Boundaries must keep the neighbouring shots at least one frame long.";
    EXPECT_EQ(testing::raisedMessage([&] { project.moveRange(project.shots[1].id, 0.0, 0.5); }), message);  // = previous start
    EXPECT_EQ(testing::raisedMessage([&] { project.moveRange(project.shots[1].id, 0.25, 0.75); }), message);  // = next end
    EXPECT_EQ(testing::raisedMessage([&] { project.moveRange(project.shots[1].id, 0.5, 0.25); }), message);  // reversed
    EXPECT_EQ(project, before);
}

TEST(ShotRangeEditing, MoveRangeFindsNeighboursInStartOrder) {
    Project project;
    const Film film = makeFilm(9);
    project.films.push_back(film);
    project.shots.push_back(makeShot(film, 6, 9));
    project.shots.push_back(makeShot(film, 0, 3));
    project.shots.push_back(makeShot(film, 3, 6));
    project.moveRange(project.shots[2].id, 2, 7);
    EXPECT_EQ(project.shots[1].end, 2.0);
    EXPECT_EQ(project.shots[0].start, 7.0);
    EXPECT_EQ(project.history.back().shotIDs,
              (std::vector<Uuid>{project.shots[2].id, project.shots[1].id, project.shots[0].id}));
    EXPECT_NO_THROW(project.validated());
}

TEST(ShotRangeEditing, MergeKeepsTheFirstShotAndDropsTheNext) {
    Project project = threeShots();
    const Uuid first = project.shots[0].id, second = project.shots[1].id;
    project.mergeWithNext(first);
    ASSERT_EQ(project.shots.size(), 2u);
    EXPECT_EQ(project.shots[0].id, first);
    EXPECT_EQ(project.shots[0].end, 0.5);
    EXPECT_EQ(project.shots[0].note, "note 0");
    EXPECT_TRUE(isReset(project.shots[0]));
    EXPECT_EQ(project.shots[1].disclosure, Disclosure::generated);  // the untouched shot keeps its decision
    EXPECT_EQ(project.history.back().action, "merge");
    EXPECT_EQ(project.history.back().shotIDs, (std::vector<Uuid>{first, second}));
    EXPECT_EQ(project.history.back().detail, "Review reset after merge");

    const Project before = project;
    EXPECT_EQ(testing::raisedMessage([&] { project.mergeWithNext(project.shots[1].id); }), "There is no following shot in this film.");
    EXPECT_EQ(project, before);
}

TEST(ShotRangeEditing, MergeTakesTheNearestFollowingShotOfTheSameFilm) {
    Project project;
    const Film film = makeFilm(9);
    const Film other = makeFilm(9);
    project.films = {film, other};
    project.shots.push_back(makeShot(film, 6, 9));
    project.shots.push_back(makeShot(other, 3, 9));
    project.shots.push_back(makeShot(film, 0, 3));
    project.shots.push_back(makeShot(film, 3, 6));
    project.shots.push_back(makeShot(other, 0, 3));
    project.mergeWithNext(project.shots[2].id);
    ASSERT_EQ(project.shots.size(), 4u);
    EXPECT_EQ(project.shots[2].end, 6.0);
    EXPECT_EQ(project.shots[2].start, 0.0);
    EXPECT_NO_THROW(project.validated());
}

}  // namespace marrowick
