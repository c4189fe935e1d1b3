// Frame and shot neighbours, shuttle speeds, and the controller's transport on a fake player.
#include "workspace/frame_steps.h"

#include <cmath>

#include <gtest/gtest.h>

#include "store_harness.h"
#include "workspace/preferences.h"
#include "workspace/transport.h"
#include "workspace_fixtures.h"

namespace marrowick {
namespace {

constexpr double kNtsc = 24000.0 / 1001.0;

Film gridFilm(double fps, int frames) {
    Film film;
    film.id = Uuid::random();
    film.fps = fps;
    film.duration = frames / fps;
    return film;
}

// What a player reports after a seek to a frame: whole milliseconds, rounded up.
double reported(double seconds) { return std::ceil(seconds * 1000 - 1e-6) / 1000; }

TEST(FrameSteps, StepsLandOnTheNeighbouringGridFrameFromWhatThePlayerReports) {
    for (const double fps : {kNtsc, 25.0}) {
        const Film film = gridFilm(fps, 72);
        for (int frame = 0; frame < 71; ++frame) {
            const double shown = reported(frame / fps);
            EXPECT_DOUBLE_EQ(FrameSteps::frameAt(film, shown), frame / fps) << fps << " frame " << frame;
            EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, shown, 1), (frame + 1) / fps) << fps << " frame " << frame;
            if (frame > 0) {
                EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, shown, -1), (frame - 1) / fps);
            }
        }
        // A millisecond reading just under a frame's exact time still counts as that frame.
        EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, std::floor(37 / fps * 1000) / 1000, 1), 38 / fps);
        // Inside a frame (paused mid-playback) the step goes to the next frame, not two ahead.
        EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, 10.4 / fps, 1), 11 / fps);
        EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, 10.4 / fps, -1), 9 / fps);
    }
}

TEST(FrameSteps, StepsStopAtTheFilmsFirstAndLastFrame) {
    const Film film = gridFilm(25, 72);
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, 0, -1), 0);
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, 71 / 25.0, 1), 71 / 25.0);
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, 99, 1), 71 / 25.0);
    // Ten-frame steps: ten frames on, and held at the ends rather than wrapping or stopping short.
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, reported(30 / 25.0), 10), 40 / 25.0);
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, reported(30 / 25.0), -10), 20 / 25.0);
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, reported(5 / 25.0), -10), 0);
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, reported(65 / 25.0), 10), 71 / 25.0);
}

TEST(FrameSteps, FrameTimesWinOverTheRateWhenTheFilmHasThem) {
    Film film = gridFilm(25, 20);
    // Variable rate: 0.04 s steps, then a gap, then 0.1 s steps.
    std::vector<double> times;
    for (int i = 0; i < 10; ++i) times.push_back(i * 0.04);
    for (int i = 0; i < 10; ++i) times.push_back(0.86 + i * 0.1);
    film.frameTimes = makeFrameTimes(times);
    film.duration = 1.86;
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, reported(0.36), 1), 0.86);
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, reported(0.86), -1), 0.36);
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, 0.6, 1), 0.86) << "inside the gap the shown frame is 0.36";
    EXPECT_DOUBLE_EQ(FrameSteps::neighbour(film, reported(1.76), 1), 1.76);
}

TEST(FrameSteps, ShotJumpsGoToTheNeighbouringStartOfTheSameFilm) {
    Project project = testing::makeProject(2, 4);  // one-second shots at 25 fps
    const Film& film = project.films[0];
    const auto& shots = project.shots;
    EXPECT_EQ(FrameSteps::neighbouringShot(project, film, 2.5, 1), shots[3].id);
    EXPECT_EQ(FrameSteps::neighbouringShot(project, film, 2.5, -1), shots[2].id) << "back from inside: its own start";
    EXPECT_EQ(FrameSteps::neighbouringShot(project, film, reported(2.0), -1), shots[1].id);
    EXPECT_EQ(FrameSteps::neighbouringShot(project, film, reported(2.0), 1), shots[3].id);
    EXPECT_FALSE(FrameSteps::neighbouringShot(project, film, 0, -1));
    EXPECT_FALSE(FrameSteps::neighbouringShot(project, film, 3.2, 1)) << "the other film's shots do not count";
}

TEST(FrameSteps, ShuttleDoublesUpToEightTimesEitherWay) {
    double rate = 0;
    std::vector<double> forward;
    for (int press = 0; press < 5; ++press) forward.push_back(rate = FrameSteps::shuttleRate(rate, 1));
    EXPECT_EQ(forward, (std::vector<double>{1, 2, 4, 8, 8}));
    EXPECT_EQ(FrameSteps::shuttleRate(4, -1), -1) << "reversing starts again at normal speed";
    EXPECT_EQ(FrameSteps::shuttleRate(-2, -1), -4);
    EXPECT_EQ(FrameSteps::shuttleRate(-8, -1), -8);
    EXPECT_EQ(FrameSteps::shuttleRate(-8, 1), 1);
}

class TransportTest : public testing::StoreHarness {};

TEST_F(TransportTest, DoesNothingWhileThePlayerHoldsNoItem) {
    startWith(testing::makeProject(1, 3));
    player->calls.clear();
    store->transport().stepFrame(1);
    store->transport().jumpToShot(1);
    store->transport().shuttle(1);
    EXPECT_TRUE(player->calls.empty());
    EXPECT_TRUE(store->selection().empty());
}

TEST_F(TransportTest, StepsJumpsAndShuttlesThePlayersFilm) {
    startWith(testing::makeProject(2, 3));
    const Project& project = store->project();
    store->focus(project.shots[1].id, false);
    player->time = reported(1.0);
    store->transport().stepFrame(1);
    EXPECT_DOUBLE_EQ(*player->lastSeek, 1.04);
    store->transport().stepFrame(-1);
    EXPECT_DOUBLE_EQ(*player->lastSeek, 0.96);

    player->time = 1.5;
    store->transport().jumpToShot(1);
    EXPECT_EQ(store->selection(), std::set<Uuid>{project.shots[2].id});
    EXPECT_DOUBLE_EQ(*player->lastSeek, 2.0);
    player->time = 2.0;
    store->transport().jumpToShot(-1);
    EXPECT_EQ(store->selection(), std::set<Uuid>{project.shots[1].id});

    store->transport().shuttle(1);
    store->transport().shuttle(1);
    EXPECT_EQ(player->rate(), 2);
    store->transport().togglePlay();
    EXPECT_EQ(player->rate(), 0);
    store->transport().shuttle(1);
    EXPECT_EQ(player->rate(), 1) << "a paused player starts again at normal speed";
    store->transport().stopShuttle();
    store->transport().togglePlay();
    EXPECT_EQ(player->rate(), 1);

    player->time = reported(1.2);
    store->transport().stepFrame(10);
    EXPECT_DOUBLE_EQ(*player->lastSeek, 1.6);
    store->transport().goToFilmEdge(-1);
    EXPECT_DOUBLE_EQ(*player->lastSeek, 0);
    store->transport().goToFilmEdge(1);
    EXPECT_DOUBLE_EQ(*player->lastSeek, 2.96) << "the last frame, not the film's end";
    EXPECT_FALSE(player->playing);
}

TEST_F(TransportTest, SoundIsSilentWhileMutedOrShuttlingFastOrBackwards) {
    startWith(testing::makeProject(1, 3));
    store->focus(store->project().shots[0].id, false);
    store->transport().setVolume(40);
    EXPECT_DOUBLE_EQ(player->volume, 0.4);
    struct Step {
        void (*act)(Transport&);
        bool silent;
    };
    const Step steps[] = {
        {[](Transport& t) { t.playForward(); }, false},
        {[](Transport& t) { t.shuttle(1); }, true},   // 2x
        {[](Transport& t) { t.stopShuttle(); }, false},
        {[](Transport& t) { t.shuttle(1); }, false},  // 1x from pause
        {[](Transport& t) { t.shuttle(-1); }, true},  // backwards
        {[](Transport& t) { t.togglePlay(); }, false},
        {[](Transport& t) { t.toggleMute(); }, true},
        {[](Transport& t) { t.playForward(); }, true},
        {[](Transport& t) { t.toggleMute(); }, false},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].act(store->transport());
        EXPECT_EQ(player->silent, steps[i].silent) << "step " << i;
    }
    EXPECT_EQ(Preferences::volume(), 40);
    EXPECT_FALSE(Preferences::muted());
    store->transport().setVolume(250);
    EXPECT_EQ(store->presentation().volume, 100);
    Preferences::setVolume(80);
}

TEST_F(TransportTest, LoopRepeatsTheCurrentShotOfThePlayersFilm) {
    startWith(testing::makeProject(2, 3));
    const Project& project = store->project();
    store->focus(project.shots[1].id, false);
    EXPECT_FALSE(player->loopStart);
    store->transport().toggleLoop();
    EXPECT_EQ(player->loopStart, project.shots[1].start);
    EXPECT_EQ(player->forwardEnd, project.shots[1].end);
    store->focus(project.shots[4].id, false);
    EXPECT_EQ(player->loopStart, project.shots[4].start) << "the loop follows the selection";
    store->setSelection({});
    store->focusSelected();
    EXPECT_FALSE(player->loopStart);
    store->focus(project.shots[0].id, false);
    store->transport().toggleLoop();
    EXPECT_FALSE(player->loopStart);
}

}  // namespace
}  // namespace marrowick
