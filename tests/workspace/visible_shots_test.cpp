// Filters, search and sort order of the shot list.
#include "workspace/visible_shots.h"

#include <gtest/gtest.h>

#include "workspace_fixtures.h"

namespace marrowick {
namespace {

// The shots listed under the sidebar's filter key `filter`.
std::vector<Uuid> shown(ShotListQuery& query, const Project& project, const std::string& filter,
                        std::string search = "", bool groupSort = false) {
    return query.visible(project, ShotListOptions{ShotFilter::parse(filter), std::move(search), groupSort}).ids();
}

std::vector<Uuid> ids(const Project& project, std::initializer_list<std::size_t> indices) {
    std::vector<Uuid> result;
    for (const std::size_t index : indices) result.push_back(project.shots[index].id);
    return result;
}

TEST(VisibleShots, FixedFiltersKeepTheirShots) {
    Project project = testing::makeProject(1, 6);
    project.shots.mut(0).boundaryScore = 0.79;
    project.shots.mut(1).boundaryScore = 0.8;
    project.shots.mut(2).disclosure = Disclosure::modified;
    project.shots.mut(3).disclosure = Disclosure::generated;
    project.shots.mut(4).disclosure = Disclosure::none;
    project.shots.mut(2).group = 7;
    project.shots.mut(4).group = 7;
    project.shots.mut(5).group = 9;  // alone in its group
    ShotListQuery query;

    EXPECT_EQ(shown(query, project, "uncertain"), ids(project, {0}));
    EXPECT_EQ(shown(query, project, "review"), ids(project, {0, 1, 5}));
    EXPECT_EQ(shown(query, project, "labelled"), ids(project, {2, 3}));
    EXPECT_EQ(shown(query, project, "groups"), ids(project, {2, 4}));
    EXPECT_EQ(shown(query, project, "group:7"), ids(project, {2, 4}));
    EXPECT_EQ(shown(query, project, "group:0"), ids(project, {0, 1, 3}));
    EXPECT_EQ(shown(query, project, "all").size(), 6u);
}

TEST(VisibleShots, FilmFilterNeedsTheCanonicalIdentifierAndUnknownKeysShowNothing) {
    const Project project = testing::makeProject(2, 2);
    const std::string film = project.films[1].id.text();
    std::string lowerCase = film;
    for (char& c : lowerCase) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ShotListQuery query;

    EXPECT_EQ(shown(query, project, film), ids(project, {2, 3}));
    for (const std::string& key : {lowerCase, std::string("group:"), std::string("group:7x"), std::string("ALL"),
                                   std::string("group: 7"), std::string("")})
        EXPECT_TRUE(shown(query, project, key).empty()) << key;
    for (const std::string& key : {film, std::string("group:-3"), std::string("carried"), std::string("all")})
        EXPECT_EQ(ShotFilter::parse(key).key(), key);
}

TEST(VisibleShots, SearchIsTrimmedCaseInsensitiveAndCoversEveryField) {
    Project project = testing::makeProject(2, 3);
    project.shots.mut(0).note = "Crowd at the gate";
    project.shots.mut(1).group = 12;
    project.shots.mut(2).note = "take 12 of the storm";
    project.shots.mut(3).category = "Street";
    project.shots.mut(4).assistantNote = "STRASSE at night";
    ShotListQuery query;

    EXPECT_EQ(shown(query, project, "all", "  crowd \n"), ids(project, {0}));
    EXPECT_EQ(shown(query, project, "all", "12"), ids(project, {1, 2}));
    EXPECT_EQ(shown(query, project, "all", "street"), ids(project, {3}));
    EXPECT_EQ(shown(query, project, "all", "Straße"), ids(project, {4}));
    EXPECT_EQ(shown(query, project, "all", "REEL2.MOV"), ids(project, {3, 4, 5}));
    EXPECT_EQ(shown(query, project, "review", "reel1"), ids(project, {0, 1, 2}));
    EXPECT_EQ(shown(query, project, "all", " \t").size(), 6u);
}

TEST(VisibleShots, SearchSeesEditsAndRenamedFilms) {
    Project project = testing::makeProject(1, 2);
    ShotListQuery query;
    EXPECT_TRUE(shown(query, project, "all", "harbour").empty());

    project.shots.mut(1).note = "Harbour";
    EXPECT_EQ(shown(query, project, "all", "harbour"), ids(project, {1}));
    project.shots.mut(1).note = "";
    EXPECT_TRUE(shown(query, project, "all", "harbour").empty());

    project.films[0].path = "/media/harbour.mov";
    EXPECT_EQ(shown(query, project, "all", "harbour").size(), 2u);
}

TEST(VisibleShots, SearchKeysFollowUndoneSnapshotsAndInsertedShots) {
    const Project original = testing::makeProject(1, 600);  // several storage chunks
    ShotListQuery query;
    EXPECT_TRUE(shown(query, original, "all", "storm").empty());

    Project edited = original;
    edited.shots.mut(300).note = "storm";
    EXPECT_EQ(shown(query, edited, "all", "storm"), ids(edited, {300}));
    EXPECT_TRUE(shown(query, original, "all", "storm").empty()) << "back to the snapshot before the edit";

    Project inserted = edited;
    Shot extra = inserted.shots[0];
    extra.id = Uuid::random();
    extra.note = "";
    inserted.shots.insert(0, extra);
    EXPECT_EQ(shown(query, inserted, "all", "storm"), ids(inserted, {301}));
    // Shots hidden by the filter while searching are still tracked.
    inserted.shots.mut(5).note = "storm";
    EXPECT_EQ(shown(query, inserted, "group:3", "storm"), std::vector<Uuid>{});
    inserted.shots.mut(5).note = "";
    EXPECT_EQ(shown(query, inserted, "all", "storm"), ids(inserted, {301}));
}

TEST(VisibleShots, GroupSortLeadsWithUngroupedThenFilmOrderAndStart) {
    Project project = testing::makeProject(2, 3);
    // Shots out of start order in the array, and films whose shots interleave.
    const Shot late = project.shots[2];
    project.shots.erase(2);
    project.shots.insert(0, late);  // film 1: starts 2, 0, 1
    const std::vector<Uuid> byFilmThenStart = ids(project, {1, 2, 0, 3, 4, 5});
    ShotListQuery query;
    EXPECT_EQ(shown(query, project, "all"), byFilmThenStart);

    project.shots.mut(0).group = 1;  // film 1 start 2
    project.shots.mut(3).group = 1;  // film 2 start 0
    project.shots.mut(1).group = 2;  // film 1 start 0
    EXPECT_EQ(shown(query, project, "all", "", true), ids(project, {2, 4, 5, 0, 3, 1}));
}

}  // namespace
}  // namespace marrowick
