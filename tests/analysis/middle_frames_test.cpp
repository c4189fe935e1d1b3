// Shot middles taken during detection: the same pictures as seeking gives, bounded memory, and
// the block averaging and streaming peak rule underneath.
#include "analysis/middle_frames.h"

#include <map>
#include <set>

#include <gtest/gtest.h>

#include "analysis/boundary_tracker.h"
#include "analysis/colour_difference_scorer.h"
#include "analysis/frame_grabber.h"
#include "analysis/import_pipeline.h"
#include "analysis/internal/planar_yuv.h"
#include "analysis/shot_detector.h"
#include "analysis/shot_imaging.h"
#include "test_films.h"

namespace marrowick {
namespace {

using testing::testFilm;
using Pictures = std::map<std::pair<double, double>, RgbaImage>;

MiddleFrames::Sink collectInto(Pictures& pictures) {
    return [&pictures](double start, double end, const RgbaImage& picture) {
        EXPECT_TRUE(pictures.emplace(std::pair{start, end}, picture).second) << "one picture per shot";
    };
}

void expectSameAsSeeking(const std::string& name, const Pictures& pictures) {
    for (const auto& [range, picture] : pictures) {
        const RgbaImage sought = FrameGrabber::picture(testFilm(name), ShotImaging::middleOf(range.first, range.second),
                                                       ShotImaging::kFrameTolerance_s, ShotImaging::kThumbnailWidth,
                                                       ShotImaging::kThumbnailHeight);
        EXPECT_EQ(picture.width, sought.width);
        EXPECT_EQ(picture.height, sought.height);
        EXPECT_TRUE(picture.pixels == sought.pixels) << "shot at " << range.first;
    }
}

TEST(MiddleFrames, EveryShotGetsThePictureSeekingWouldGive) {
    for (const std::string name : {"cuts.mp4", "dissolve.mp4", "portrait.mp4", "frames-1.mp4", "vfr.mp4"}) {
        SCOPED_TRACE(name);
        Pictures pictures;
        ShotDetector detector(std::make_unique<ColourDifferenceScorer>());
        const std::vector<Shot> shots = detector.detect(testFilm(name), 0.5, {}, {}, collectInto(pictures)).second;
        ASSERT_FALSE(shots.empty());
        EXPECT_EQ(pictures.size(), shots.size());
        for (const Shot& shot : shots) EXPECT_TRUE(pictures.count({shot.start, shot.end}));
        expectSameAsSeeking(name, pictures);
        if (name == "portrait.mp4") {
            EXPECT_EQ(pictures.begin()->second.width, 90);
            EXPECT_EQ(pictures.begin()->second.height, 160);
        }
    }
}

TEST(MiddleFrames, ShotsWhoseMiddleNoLongerFitsAreLeftToTheCaller) {
    // Frames 0-149 with cuts at 40, 70 and 105, all decoded before any prediction: with room for
    // 60 frames only the last shot's middle (frame 127) is still held.
    MediaFile media(testFilm("cuts.mp4"));
    Pictures pictures;
    MiddleFrames keeper(media.info(), 0.5, collectInto(pictures), 60);
    std::vector<double> times;
    while (const AVFrame* frame = media.nextFrame()) {
        times.push_back(media.frameTime());
        keeper.decoded(*frame, times.back());
    }
    ASSERT_EQ(times.size(), 150u);
    const std::set<std::size_t> peaks{39, 69, 104};
    for (std::size_t i = 0; i < times.size(); ++i) keeper.predicted({times[i], peaks.count(i) ? 1.0 : 0.0, 0});
    keeper.ended(media.info().duration);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_DOUBLE_EQ(pictures.begin()->first.first, times[105]);
    expectSameAsSeeking("cuts.mp4", pictures);
}

TEST(MiddleFrames, ImportDescribesShotsAsEnrichmentDoes) {
    ShotDetector detector(std::make_unique<ColourDifferenceScorer>());
    std::vector<Shot> imported;
    Film film;
    ImportPipeline::Events events;
    events.filmDone = [&](Film done, std::vector<Shot> shots) {
        film = std::move(done);
        imported = std::move(shots);
    };
    ImportPipeline::detectAndEnrich(detector, {testFilm("cuts.mp4")}, 0.5, events);
    ASSERT_EQ(imported.size(), 4u);
    for (const Shot& shot : imported) {
        Shot bare = shot;
        bare.thumbnail = nullptr;
        bare.feature = nullptr;
        bare.category.clear();
        const Shot enriched = ShotImaging::enrich(bare, film);
        ASSERT_TRUE(shot.thumbnail && shot.feature);
        EXPECT_TRUE(*shot.thumbnail == *enriched.thumbnail);
        EXPECT_TRUE(*shot.feature == *enriched.feature);
        EXPECT_EQ(shot.category, enriched.category);
    }
}

TEST(PlanarShrink, AveragesBlocksRoundingAndRepeatsTheLastRowAndColumn) {
    // 5 x 3 samples into 3 x 2 blocks of 2 x 2: the right column and bottom row repeat the edge.
    const std::uint8_t plane[] = {0, 2, 10, 11, 100,  //
                                  4, 6, 20, 21, 200,  //
                                  8, 9, 30, 31, 50};
    std::uint8_t out[6] = {};
    shrinkPlane(plane, 5, 5, 3, 2, out, 3, 3, 2);
    EXPECT_EQ(out[0], 3);    // (0 + 2 + 4 + 6) / 4
    EXPECT_EQ(out[1], 16);   // (10 + 11 + 20 + 21) / 4 = 15.5, rounded up
    EXPECT_EQ(out[2], 150);  // (100 + 100 + 200 + 200) / 4
    EXPECT_EQ(out[3], 9);    // rows 2 and 2 again: (8 + 9 + 8 + 9) / 4 = 8.5
    EXPECT_EQ(out[5], 50);
    // Factor 4 (the 1080p case) and an odd factor agree with a plain mean.
    std::vector<std::uint8_t> ramp(12 * 12);
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::uint8_t>((i * 37) % 251);
    for (const int factor : {3, 4}) {
        std::vector<std::uint8_t> shrunk(static_cast<std::size_t>(12 / factor) * (12 / factor));
        shrinkPlane(ramp.data(), 12, 12, 12, factor, shrunk.data(), 12 / factor, 12 / factor, 12 / factor);
        unsigned sum = 0;
        for (int y = 0; y < factor; ++y)
            for (int x = 0; x < factor; ++x) sum += ramp[y * 12 + factor + x];
        EXPECT_EQ(shrunk[1], (sum + factor * factor / 2) / (factor * factor)) << factor;
    }
}

TEST(BoundaryTracker, KnowsTheOpenShotAndTheEarliestNextCut) {
    BoundaryTracker tracker(0.5, 10);
    EXPECT_FALSE(tracker.add({1, 0.1, 0}));
    EXPECT_EQ(tracker.earliestNextCut(), 1);
    EXPECT_FALSE(tracker.add({2, 0.7, 0}));  // a run opens at 2
    EXPECT_FALSE(tracker.add({3, 0.9, 0}));
    EXPECT_EQ(tracker.earliestNextCut(), 2);
    EXPECT_EQ(tracker.openStart(), 0);
    EXPECT_FALSE(tracker.add({4, 0.6, 0}));
    const std::optional<Boundary> cut = tracker.add({5, 0.1, 0});
    ASSERT_TRUE(cut);
    EXPECT_EQ(*cut, (Boundary{4, 0.9}));
    EXPECT_EQ(tracker.openStart(), 4);
    EXPECT_EQ(tracker.earliestNextCut(), 5);
    EXPECT_FALSE(tracker.add({6, 0.8, 0}));
    EXPECT_FALSE(tracker.finish());  // its peak is the last frame: a cut at the duration is dropped
}

}  // namespace
}  // namespace marrowick
