// The built-in scorer on real recordings from the media corpus that scripts/fetch-media-corpus
// fetches: shots of their own (a hand-held shot where the subject covers the lens and the camera
// pulls back fast, a fixed shot whose recording skips a few frames), and a school clip that opens
// on a two-frame slate before the scene from the same camera.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/colour_difference_scorer.h"
#include "analysis/shot_detector.h"

namespace marrowick {
namespace {

// The corpus folder: $MARROWICK_MEDIA_CORPUS, else the build tree's media-corpus folder.
std::filesystem::path corpusFolder() {
    if (const char* folder = std::getenv("MARROWICK_MEDIA_CORPUS"); folder && *folder) return folder;
    return MARROWICK_MEDIA_CORPUS_DIR;
}

// The decoded-frame index of each shot start after the first, found with the built-in scorer.
std::vector<std::ptrdiff_t> cutFrames(const char* name) {
    const std::filesystem::path film = corpusFolder() / name;
    if (!std::filesystem::exists(film)) {
        ADD_FAILURE() << film << " is missing: fetch the corpus with scripts/fetch-media-corpus " << corpusFolder()
                      << ", or set MARROWICK_MEDIA_CORPUS to a folder holding it.";
        return {};
    }
    ShotDetector detector(std::make_unique<ColourDifferenceScorer>());
    const auto [info, shots] = detector.detect(film, 0.5, {});
    std::vector<std::ptrdiff_t> cuts;
    for (std::size_t s = 1; s < shots.size(); ++s)
        cuts.push_back(std::lower_bound(info.frameTimes->begin(), info.frameTimes->end(), shots[s].start - 1e-6) -
                       info.frameTimes->begin());
    return cuts;
}

TEST(RealFootage, OneShotRecordingsGiveNoCut) {
    for (const char* name : {"python3-imageio--cockatoo.mp4", "node-opencv--motion.mov", "python3-mecavideo--balle-jbart.mp4"})
        EXPECT_EQ(cutFrames(name), std::vector<std::ptrdiff_t>{}) << name;
}

// Two still frames of a name card on the air table, then the pucks on the same table from the same
// camera: a small change of picture, but between still pictures, and the opening shot it leaves
// is a held picture rather than an odd first frame.
TEST(RealFootage, SlateBeforeTheSceneIsAShot) {
    const std::vector<std::ptrdiff_t> cuts = cutFrames("python3-mecavideo--Effet_force_magnetique.ogv");
    ASSERT_EQ(cuts.size(), 1u);
    EXPECT_NEAR(static_cast<double>(cuts[0]), 2.0, 2.0);
}

}  // namespace
}  // namespace marrowick
