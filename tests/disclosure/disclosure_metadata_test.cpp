// Labelled shots as frame-exact markers: rates as exact ratios, rounding, order and the work note.
#include "disclosure/disclosure_metadata.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "disclosure/labelled_film.h"

namespace marrowick {
namespace {

TEST(FrameRate, IsTheSmallestExactRatioAndItsXmpText) {
    const struct {
        double fps;
        const char* text;
    } rows[] = {
        {25, "f25"},
        {30000.0 / 1001, "f30000s1001"},
        {24000.0 / 1001, "f24000s1001"},
        {60000.0 / 1001, "f60000s1001"},
        {12.5, "f25s2"},
        {29.97, "f2997s100"},
        {1.0 / 3, "f1s3"},
        {std::sqrt(2.0), "f1414s1000"},  // no exact ratio: thousandths
        {0, "f1"},
        {-25, "f1"},
        {std::numeric_limits<double>::quiet_NaN(), "f1"},
        {std::numeric_limits<double>::infinity(), "f1"},
    };
    for (const auto& row : rows) EXPECT_EQ(FrameRate::of(row.fps).xmpText(), row.text) << row.fps;
}

TEST(FrameRate, CountsTheNearestFrameAndNeverBelowZero) {
    const FrameRate ntsc = FrameRate::of(30000.0 / 1001);
    EXPECT_EQ(ntsc.frameAt(1001.0 / 30000 * 300), 300);
    EXPECT_EQ(ntsc.frameAt(10.0), 300);  // 299.7
    EXPECT_EQ(FrameRate::of(25).frameAt(0.019), 0);
    EXPECT_EQ(FrameRate::of(25).frameAt(0.021), 1);
    EXPECT_EQ(FrameRate::of(25).frameAt(-3), 0);
    EXPECT_EQ(FrameRate::of(25).frameAt(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(DisclosureMetadata, OneMarkerPerLabelledShotByStart) {
    const Project project = testing::projectOf(
        "/films/a.mov", 640, 360, 4.0, {Disclosure::none, Disclosure::modified, Disclosure::none, Disclosure::generated});
    std::vector<Shot> shots = project.shots.toVector();
    std::swap(shots[1], shots[3]);  // the order given need not be time order
    shots[3].end = 2.52;            // 63 frames at 25 fps
    const DisclosureMetadata metadata = disclosureMetadata(project.films[0], shots, project);
    EXPECT_EQ(metadata.digitalSourceType, kCompositeWithTrainedAlgorithmicMedia);
    EXPECT_EQ(metadata.frameRate, "f25");
    EXPECT_EQ(metadata.description, "Per-shot visible disclosure selected.");
    EXPECT_EQ(metadata.markers, (std::vector<DisclosureMarker>{{25, 38, Disclosure::modified},
                                                               {75, 25, Disclosure::generated}}));
}

TEST(DisclosureMetadata, NoSourceTypeWithoutLabelsAndTheCreativeWorkNote) {
    Project project = testing::projectOf("/films/a.mov", 640, 360, 2.0, {Disclosure::none, Disclosure::none});
    project.artisticWork = true;
    project.workDisclosure = std::string("Made\x01with AI\tand\r\n<care>\x7f\xef\xbf\xbf\0.", 30);
    const DisclosureMetadata metadata = disclosureMetadata(project.films[0], project.shots.toVector(), project);
    EXPECT_EQ(metadata.digitalSourceType, std::nullopt);
    EXPECT_TRUE(metadata.markers.empty());
    // Characters XML cannot carry become spaces; tab, line breaks and markup stay.
    EXPECT_EQ(metadata.description, "Creative-work disclosure note: Made with AI\tand\r\n<care>   .");
}

}  // namespace
}  // namespace marrowick
