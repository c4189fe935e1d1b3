// Grouping rules, category text and enrichment of a real film's shots.
#include "analysis/shot_imaging.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "analysis/feature_print.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

// Prints that differ only in their overall-brightness byte, so that distances grow linearly with
// the difference of the bytes.
FeaturePrint printAt(std::uint8_t brightness) {
    FeaturePrint print;
    print.values[FeaturePrint::kValues - FeaturePrint::kOverall] = brightness;
    return print;
}

// The distance between two prints made by printAt.
float apart(std::uint8_t a, std::uint8_t b) { return FeaturePrint::distance(printAt(a), printAt(b)); }

Shot shotWith(std::optional<std::uint8_t> brightness) {
    Shot shot;
    shot.id = Uuid::random();
    if (brightness) shot.feature = makeBlob(printAt(*brightness).encode());
    return shot;
}

std::vector<std::int64_t> groupsOf(const std::vector<std::optional<std::uint8_t>>& prints, float threshold) {
    SharedVector<Shot> shots;
    for (const auto& print : prints) shots.push_back(shotWith(print));
    std::vector<std::int64_t> groups;
    for (const Shot& shot : ShotImaging::group(shots, threshold)) groups.push_back(shot.group);
    return groups;
}

TEST(ShotImagingGroup, FirstMembersAreExemplarsTheNearestWinsAndTheEarliestBreaksTies) {
    EXPECT_TRUE(groupsOf({}, 0.35f).empty());
    EXPECT_EQ(groupsOf({std::nullopt, std::nullopt}, 0.35f), (std::vector<std::int64_t>{0, 0}));

    const float step = apart(100, 110);  // ten brightness steps
    ASSERT_GT(step, 0);
    // Exactly at the threshold joins.
    EXPECT_EQ(groupsOf({100, 110}, step), (std::vector<std::int64_t>{1, 1}));
    // 120 is within reach of the second member (110) but not of the exemplar (100): a new group.
    EXPECT_EQ(groupsOf({100, 110, 120}, step), (std::vector<std::int64_t>{1, 1, 2}));
    // 118 lies within reach of both exemplars (100 and 130) and nearer to 130.
    const float wide = apart(100, 120);
    EXPECT_EQ(groupsOf({100, 130, 118}, wide), (std::vector<std::int64_t>{1, 2, 2}));
    // At equal distance the group created first wins.
    EXPECT_EQ(groupsOf({100, 130, 115}, wide), (std::vector<std::int64_t>{1, 2, 1}));
    // Shots without prints never open a group; numbers follow first members.
    EXPECT_EQ(groupsOf({std::nullopt, 200, 10, std::nullopt, 200}, step), (std::vector<std::int64_t>{0, 1, 2, 0, 1}));
    // Removing the first shot of group 1 renumbers from 1.
    EXPECT_EQ(groupsOf({10, std::nullopt, 200}, step), (std::vector<std::int64_t>{1, 0, 2}));
    // A threshold that is not a number matches nothing.
    EXPECT_EQ(groupsOf({100, 100}, std::nanf("")), (std::vector<std::int64_t>{1, 2}));
}

TEST(ShotImagingGroup, AnUnreadablePrintFailsTheWholeRunAndCancellationStopsIt) {
    SharedVector<Shot> shots{shotWith(100), shotWith(100)};
    shots.mut(1).feature = makeBlob({'b', 'p', 'l', 'i', 's', 't', '0', '0'});
    EXPECT_THROW(ShotImaging::group(shots, 0.35f), ReviewError);

    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(ShotImaging::group(SharedVector<Shot>{shotWith(1)}, 0.35f, stop.get_token()), Cancelled);
}

TEST(ShotImagingCategory, KeepsThreeConfidentLabelsInOrderWithSpacesForUnderscores) {
    EXPECT_EQ(ShotImaging::categoryText({}), "");
    EXPECT_EQ(ShotImaging::categoryText({{"high_contrast", 0.9f}, {"sky", 0.11f}, {"dark", 0.12f}, {"bright", 0.5f},
                                         {"text_or_graphics", 0.4f}}),
              "high contrast, dark, bright");
}

TEST(ShotImagingEnrich, TakesAnUprightPictureNearTheMiddleAndDescribesIt) {
    const std::filesystem::path films = MARROWICK_TEST_FILMS_DIR;
    Film film;
    film.path = (films / "portrait.mp4").string();
    film.duration = 0.4;
    film.fps = 25;
    Shot shot;
    shot.start = 0.0;
    shot.end = 0.37;  // the middle, 0.185 s, falls between frames
    shot.note = "kept";
    const Shot enriched = ShotImaging::enrich(shot, film);
    ASSERT_TRUE(enriched.thumbnail && enriched.feature);
    EXPECT_EQ(enriched.note, "kept");
    const std::vector<std::uint8_t>& jpeg = *enriched.thumbnail;
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    EXPECT_NO_THROW(FeaturePrint::decode(*enriched.feature));

    film.path = (films / "not-media.mp4").string();
    EXPECT_THROW(ShotImaging::enrich(shot, film), ReviewError);
}

}  // namespace
}  // namespace marrowick
