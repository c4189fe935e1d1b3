// Moving through the review: next unreviewed, toggling the selection, and the player's focus.
#include "workspace/shot_navigation.h"

#include <gtest/gtest.h>

#include "workspace_fixtures.h"

namespace marrowick {
namespace {

VisibleShots allShots(const Project& project) {
    ShotListQuery query;
    return query.visible(project, {});
}

TEST(ShotNavigation, NextUnreviewedSearchesOnwardAndWrapsOnce) {
    Project project = testing::makeProject(1, 4);
    project.shots.mut(1).disclosure = Disclosure::none;
    project.shots.mut(3).disclosure = Disclosure::generated;
    const VisibleShots list = allShots(project);
    const auto& shots = project.shots;

    EXPECT_EQ(ShotNavigation::nextUnreviewed(list, shots[0].id), shots[2].id);
    EXPECT_EQ(ShotNavigation::nextUnreviewed(list, shots[3].id), shots[0].id) << "wraps from the last shot";
    EXPECT_EQ(ShotNavigation::nextUnreviewed(list, std::nullopt), shots[0].id);
    EXPECT_EQ(ShotNavigation::nextUnreviewed(list, Uuid::random()), shots[0].id) << "unlisted: from the start";
    EXPECT_EQ(ShotNavigation::nextUnreviewed(list, shots[2].id), shots[0].id) << "the current shot comes last";

    project.shots.mut(0).disclosure = Disclosure::none;
    project.shots.mut(2).disclosure = Disclosure::modified;
    EXPECT_FALSE(ShotNavigation::nextUnreviewed(allShots(project), shots[0].id));
}

TEST(ShotNavigation, SelectedIsTheFirstSelectedShotInProjectOrder) {
    const Project project = testing::makeProject(1, 3);
    EXPECT_FALSE(ShotNavigation::selected(project, {}));
    EXPECT_FALSE(ShotNavigation::selected(project, {Uuid::random()}));
    EXPECT_EQ(ShotNavigation::selected(project, {project.shots[2].id, project.shots[1].id})->id, project.shots[1].id);
}

TEST(ShotNavigation, FocusLoadsAnotherFilmButOnlySeeksWithinTheSameOne) {
    const Project project = testing::makeProject(2, 3);
    testing::FakePlayer player;
    const Shot& first = project.shots[1];
    ShotNavigation::focus(player, &first, &project.films[0]);
    EXPECT_EQ(player.calls, (std::vector<std::string>{"replace /media/reel1.mov", "pause", "seek"}));
    EXPECT_EQ(player.forwardEnd, 2.0);
    EXPECT_EQ(player.lastSeek, 1.0);

    player.calls.clear();
    ShotNavigation::focus(player, &project.shots[2], &project.films[0]);
    EXPECT_EQ(player.calls, (std::vector<std::string>{"pause", "seek"}));

    ShotNavigation::focus(player, &project.shots[3], &project.films[1]);
    EXPECT_EQ(player.item, std::filesystem::path("/media/reel2.mov"));

    player.calls.clear();
    ShotNavigation::focus(player, nullptr, nullptr);
    EXPECT_EQ(player.calls, (std::vector<std::string>{"pause"}));
}

TEST(ShotNavigation, TimesReachThePlayerOnItsGrid) {
    Project project = testing::makeProject(1, 2);
    project.shots.mut(0).end = 1.0000000001;
    project.shots.mut(1).start = 1.0000000001;
    testing::FakePlayer player;
    ShotNavigation::focus(player, &project.shots[1], &project.films[0]);
    EXPECT_EQ(player.lastSeek, 1.0);
}

}  // namespace
}  // namespace marrowick
