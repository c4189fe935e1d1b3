// The built-in scorer on real recordings of one shot each, from the media corpus that
// scripts/fetch-media-corpus fetches: a hand-held shot where the subject covers the lens and the
// camera pulls back fast, and a fixed shot whose recording skips a few frames.
#include <cstdlib>
#include <filesystem>
#include <string>

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

TEST(RealFootage, OneShotRecordingsGiveNoCut) {
    ShotDetector detector(std::make_unique<ColourDifferenceScorer>());
    for (const char* name : {"python3-imageio--cockatoo.mp4", "node-opencv--motion.mov", "python3-mecavideo--balle-jbart.mp4"}) {
        const std::filesystem::path film = corpusFolder() / name;
        ASSERT_TRUE(std::filesystem::exists(film))
            << film << " is missing: fetch the corpus with scripts/fetch-media-corpus " << corpusFolder()
            << ", or set MARROWICK_MEDIA_CORPUS to a folder holding it.";
        const auto [info, shots] = detector.detect(film, 0.5, {});
        std::string starts;
        for (const Shot& shot : shots) starts += " " + std::to_string(shot.start);
        EXPECT_EQ(shots.size(), 1u) << name << ": shots start at" << starts;
    }
}

}  // namespace
}  // namespace marrowick
