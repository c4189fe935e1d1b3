// Shot detection: the peak rule, windowing and indexing, tiling, messages, cancellation.
#include "analysis/shot_detector.h"

#include <cmath>
#include <fstream>
#include <limits>

#include <gtest/gtest.h>

#include "analysis/colour_difference_scorer.h"
#include "analysis/file_fingerprint.h"
#include "model/project.h"
#include "model/review_error.h"
#include "test_films.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::testFilm;

std::vector<FramePrediction> predictions(std::vector<double> scores) {
    std::vector<FramePrediction> result;
    for (std::size_t i = 0; i < scores.size(); ++i) result.push_back({static_cast<double>(i), scores[i], 0});
    return result;
}

TEST(ShotDetectorBoundaries, OneCutPerRunOnTheFrameAfterItsPeak) {
    // 0.7, 0.9, 0.9, 0.6: the earliest of the equal peaks wins; the cut opens the next frame.
    EXPECT_EQ(ShotDetector::boundaries(predictions({0.1, 0.7, 0.9, 0.9, 0.6, 0.1, 0.1}), 0.5, 7),
              (std::vector<Boundary>{{0, 1}, {3, 0.9}}));
    // A score equal to the threshold opens a run.
    EXPECT_EQ(ShotDetector::boundaries(predictions({0.1, 0.5, 0.1, 0.1}), 0.5, 4),
              (std::vector<Boundary>{{0, 1}, {2, 0.5}}));
    // Two runs split by one frame below the threshold give two cuts; so does a NaN.
    EXPECT_EQ(ShotDetector::boundaries(predictions({0.8, 0.2, 0.9, 0.1, 0.1}), 0.5, 5),
              (std::vector<Boundary>{{0, 1}, {1, 0.8}, {3, 0.9}}));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ShotDetector::boundaries(predictions({0.1, 0.8, nan, 0.9, 0.1}), 0.5, 5),
              (std::vector<Boundary>{{0, 1}, {2, 0.8}, {4, 0.9}}));
}

TEST(ShotDetectorBoundaries, DropsCutsAtTheEdges) {
    // A peak on the last frame would open a shot at the duration: dropped.
    EXPECT_EQ(ShotDetector::boundaries(predictions({0.1, 0.1, 0.6, 0.9}), 0.5, 4), (std::vector<Boundary>{{0, 1}}));
    // A run reaching the last frame with its peak earlier still cuts.
    EXPECT_EQ(ShotDetector::boundaries(predictions({0.1, 0.9, 0.6, 0.7}), 0.5, 4),
              (std::vector<Boundary>{{0, 1}, {2, 0.9}}));
    // A peak on frame 0 would cut at frame 1's time only if that is later than 0 + 1e-6.
    std::vector<FramePrediction> close = {{0, 0.9, 0}, {0.0000005, 0.1, 0}, {1, 0.1, 0}};
    EXPECT_EQ(ShotDetector::boundaries(close, 0.5, 2), (std::vector<Boundary>{{0, 1}}));
    // A candidate past the duration (frame times beyond a short container duration) is dropped.
    EXPECT_EQ(ShotDetector::boundaries(predictions({0.1, 0.9, 0.1, 0.1}), 0.5, 1.5), (std::vector<Boundary>{{0, 1}}));
    EXPECT_EQ(ShotDetector::boundaries({}, 0.5, 1), (std::vector<Boundary>{{0, 1}}));
}

TEST(ShotDetectorShots, TileTheFilmAndCarryTheirCutScores) {
    Film film;
    film.id = Uuid::random();
    film.duration = 10;
    const std::vector<Shot> shots = ShotDetector::shots(film, {{0, 1}, {4, 0.7}, {4, 0.8}, {9.5, 0.6}});
    ASSERT_EQ(shots.size(), 3u);
    EXPECT_EQ(shots[0].start, 0);
    EXPECT_EQ(shots[0].end, 4);
    EXPECT_EQ(shots[0].boundaryScore, 1);
    EXPECT_EQ(shots[1].start, 4);
    EXPECT_EQ(shots[1].boundaryScore, 0.8);
    EXPECT_EQ(shots[2].end, 10);
    for (const Shot& shot : shots) {
        EXPECT_EQ(shot.filmID, film.id);
        EXPECT_EQ(shot.disclosure, Disclosure::unreviewed);
        EXPECT_FALSE(shot.thumbnail);
    }
    EXPECT_NE(shots[0].id, shots[1].id);
}

// Records every window; its "single" output is 1.0 at the window positions in `peaks` of call n.
class ScriptedScorer final : public ShotScorer {
public:
    std::vector<std::vector<int>> peaks;
    std::vector<WindowInputs> windows;
    std::function<void()> onScore;

    std::string name() const override { return "Scripted"; }
    WindowScores score(const WindowInputs& inputs) override {
        windows.push_back(inputs);
        if (onScore) onScore();
        WindowScores scores{std::vector<float>(100, 0.0f), std::vector<float>(100, 0.25f)};
        if (windows.size() <= peaks.size())
            for (const int index : peaks[windows.size() - 1]) scores.single[index] = 1.0f;
        return scores;
    }
};

struct Detection {
    Film film;
    std::vector<Shot> shots;
    std::vector<WindowInputs> windows;
    std::vector<double> progress;
};

Detection detectWith(const std::string& name, std::vector<std::vector<int>> peaks = {}) {
    auto scorer = std::make_unique<ScriptedScorer>();
    scorer->peaks = std::move(peaks);
    ScriptedScorer& recorder = *scorer;
    ShotDetector detector(std::move(scorer));
    Detection result;
    auto [film, shots] = detector.detect(testFilm(name), 0.5, [&](double fraction) { result.progress.push_back(fraction); });
    result.film = std::move(film);
    result.shots = std::move(shots);
    result.windows = std::move(recorder.windows);
    return result;
}

// The RGB values of window frame i.
std::vector<float> windowFrame(const WindowInputs& inputs, int i) {
    return {inputs.rgb.begin() + i * kTinyValues, inputs.rgb.begin() + (i + 1) * kTinyValues};
}

TEST(ShotDetectorWindows, OneFrameFilmIsOneShot) {
    const Detection d = detectWith("frames-1.mp4");
    ASSERT_EQ(d.windows.size(), 1u);
    ASSERT_TRUE(d.film.frameTimes);
    EXPECT_EQ(d.film.frameTimes->size(), 1u);
    ASSERT_EQ(d.shots.size(), 1u);
    EXPECT_EQ(d.shots[0].start, 0);
    EXPECT_DOUBLE_EQ(d.shots[0].end, 0.04);
    EXPECT_EQ(d.shots[0].boundaryScore, 1);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(windowFrame(d.windows[0], i), windowFrame(d.windows[0], 0));
}

TEST(ShotDetectorWindows, FiftyFramesNeedOneCallAndFiftyOneNeedTwo) {
    const Detection fifty = detectWith("frames-50.mp4");
    ASSERT_EQ(fifty.windows.size(), 1u);
    EXPECT_EQ(fifty.film.frameTimes->size(), 50u);
    // Window entries 25..74 are frames 0..49; the rest repeat frame 0 before and frame 49 after.
    EXPECT_EQ(windowFrame(fifty.windows[0], 0), windowFrame(fifty.windows[0], 25));
    EXPECT_NE(windowFrame(fifty.windows[0], 25), windowFrame(fifty.windows[0], 74));
    EXPECT_EQ(windowFrame(fifty.windows[0], 99), windowFrame(fifty.windows[0], 74));

    const Detection fiftyOne = detectWith("frames-51.mp4");
    ASSERT_EQ(fiftyOne.windows.size(), 2u);
    EXPECT_EQ(fiftyOne.film.frameTimes->size(), 51u);
    // The second window starts at frame 25 and predicts frame 50 alone at its entry 25.
    EXPECT_EQ(windowFrame(fiftyOne.windows[1], 0), windowFrame(fiftyOne.windows[0], 50));
    EXPECT_EQ(windowFrame(fiftyOne.windows[1], 25), windowFrame(fiftyOne.windows[0], 75));
    EXPECT_EQ(windowFrame(fiftyOne.windows[1], 99), windowFrame(fiftyOne.windows[1], 25));
}

TEST(ShotDetectorWindows, ReadsEntries25To74AndReportsCappedProgress) {
    // 75 frames: window 1 predicts frames 0..49, window 2 frames 50..74. A peak at entry 30 of
    // window 1 is frame 5 (cut at frame 6); a peak at entry 35 of window 2 is frame 60 (cut at 61).
    // Peaks outside 25..74 must not be read.
    const Detection d = detectWith("frames-75.mp4", {{30, 10, 80}, {35, 90}});
    ASSERT_EQ(d.windows.size(), 2u);
    const std::vector<double>& times = *d.film.frameTimes;
    ASSERT_EQ(times.size(), 75u);
    ASSERT_EQ(d.shots.size(), 3u);
    EXPECT_EQ(d.shots[1].start, times[6]);
    EXPECT_EQ(d.shots[2].start, times[61]);
    EXPECT_EQ(d.shots[2].end, d.film.duration);
    // After each window, the time of its last predicted frame over the duration, then 1.0.
    ASSERT_EQ(d.progress.size(), 3u);
    EXPECT_DOUBLE_EQ(d.progress[0], times[49] / d.film.duration);
    EXPECT_LE(d.progress[1], 0.99);
    EXPECT_EQ(d.progress[2], 1.0);
    for (std::size_t i = 1; i < times.size(); ++i) EXPECT_LT(times[i - 1], times[i]);
}

TEST(ShotDetectorFilm, RecordsTheSourceAndTheScorerThatRan) {
    const Detection d = detectWith("cuts.mp4");
    EXPECT_EQ(d.film.path, testFilm("cuts.mp4").string());
    EXPECT_EQ(d.film.fps, 25);
    EXPECT_EQ(d.film.width, 160);
    EXPECT_EQ(d.film.height, 90);
    EXPECT_DOUBLE_EQ(d.film.duration, 6.0);
    EXPECT_EQ(d.film.detector, "Scripted");
    EXPECT_EQ(d.film.sourceSHA256, FileFingerprint::sha256(testFilm("cuts.mp4")));
    EXPECT_FALSE(d.film.bookmark);
    EXPECT_EQ(d.film.frameTimes->size(), 150u);

    const Detection portrait = detectWith("portrait.mp4");
    EXPECT_EQ(portrait.film.width, 90);
    EXPECT_EQ(portrait.film.height, 160);
}

TEST(ShotDetectorFilm, BuiltInScorerFindsCutsAndGradualTransitions) {
    ShotDetector detector(std::filesystem::path("/nonexistent-resources"));
    EXPECT_EQ(detector.detectorName(), ColourDifferenceScorer::kName);
    // Hard cuts land on their frame; a dissolve and a fade through black within 2 frames of the
    // first frame the new picture dominates. A pan across a gradient, three white frames and a
    // dark shape sliding over most of the picture give no cut of their own.
    for (const auto& [stem, tolerance] : {std::pair{"cuts", 0.01}, std::pair{"dissolve", 2.01}, std::pair{"smooth", 0.01},
                                          std::pair{"flash", 0.01}, std::pair{"occlusion", 0.01}}) {
        const auto [film, shots] = detector.detect(testFilm(std::string(stem) + ".mp4"), 0.5, {});
        const auto truth = testing::groundTruth(stem)["cuts"];
        ASSERT_EQ(shots.size(), truth.size() + 1) << stem;
        for (std::size_t i = 0; i < truth.size(); ++i)
            EXPECT_NEAR(shots[i + 1].start * 25.0, truth[i].get<double>(), tolerance) << stem << " cut " << i;
    }
}

TEST(ShotDetectorFilm, ResultsFormValidProjects) {
    ShotDetector detector(std::make_unique<ColourDifferenceScorer>());
    for (const char* name : {"frames-1.mp4", "frames-51.mp4", "cuts.mp4", "dissolve.mp4", "vfr.mp4", "portrait.mp4"}) {
        auto [film, shots] = detector.detect(testFilm(name), 0.5, {});
        Project project;
        project.films.push_back(std::move(film));
        project.shots = SharedVector<Shot>(shots);
        EXPECT_NO_THROW(project.validated()) << name;
    }
}

std::string failureOf(const std::filesystem::path& path) {
    return testing::raisedMessage([&] { ShotDetector(std::make_unique<ColourDifferenceScorer>()).detect(path, 0.5, {}); });
}

TEST(ShotDetectorFailures, GiveTheirMessages) {
    EXPECT_EQ(failureOf(testFilm("audio-only.m4a")), "No video track in audio-only.m4a.");
    // A file cut off mid-way says where reading stopped.
    EXPECT_EQ(failureOf(testFilm("truncated.mp4")), "truncated.mp4: reading stopped at 1.9 s of 6.0 s (the file ends early).");
    // The library's and the system's own texts name the file they are about.
    EXPECT_EQ(failureOf(testFilm("not-media.mp4")), "not-media.mp4: Invalid data found when processing input");
    EXPECT_EQ(failureOf(testFilm("empty.mp4")), "empty.mp4: Invalid data found when processing input");
    EXPECT_EQ(failureOf(testFilm("missing.mp4")), "missing.mp4: No such file or directory");
    testing::TemporaryFolder folder;
    std::filesystem::create_directory(folder.path() / "reel.mov");
    EXPECT_EQ(failureOf(folder.path() / "reel.mov"), "reel.mov: Is a directory");
}

TEST(ShotDetectorFailures, RefusesPicturesAboveThePixelLimit) {
    // A raw stream header announcing 9000 x 9000 pictures (81 megapixels, above 8192 x 8192).
    testing::TemporaryFolder folder;
    std::ofstream(folder.path() / "huge.y4m") << "YUV4MPEG2 W9000 H9000 F25:1 C420jpeg\nFRAME\nabcdef";
    EXPECT_EQ(failureOf(folder.path() / "huge.y4m"), "huge.y4m: Invalid argument");
}

TEST(ShotDetectorFailures, AFileThatChangesDuringAnalysisIsRefused) {
    testing::TemporaryFolder folder;
    const auto copy = folder.path() / "growing.mp4";
    std::filesystem::copy_file(testFilm("frames-75.mp4"), copy);
    auto scorer = std::make_unique<ScriptedScorer>();
    scorer->onScore = [&] { std::ofstream(copy, std::ios::app) << "appended"; };
    ShotDetector detector(std::move(scorer));
    EXPECT_EQ(testing::raisedMessage([&] { detector.detect(copy, 0.5, {}); }),
              "The source file changed during analysis. Import it again after the write completes.");
}

TEST(ShotDetectorCancellation, StopsBeforeFramesWindowsAndHashing) {
    std::stop_source stopped;
    stopped.request_stop();
    ShotDetector detector(std::make_unique<ScriptedScorer>());
    EXPECT_THROW(detector.detect(testFilm("frames-75.mp4"), 0.5, {}, stopped.get_token()), Cancelled);

    // A stop during the first window ends the work before the next frame is read.
    std::stop_source during;
    auto scorer = std::make_unique<ScriptedScorer>();
    ScriptedScorer& recorder = *scorer;
    scorer->onScore = [&] { during.request_stop(); };
    ShotDetector stopping(std::move(scorer));
    EXPECT_THROW(stopping.detect(testFilm("frames-75.mp4"), 0.5, {}, during.get_token()), Cancelled);
    EXPECT_EQ(recorder.windows.size(), 1u);

    // A stop requested from the last progress report of the windows lands in the hashing.
    std::stop_source late;
    ShotDetector hashing(std::make_unique<ScriptedScorer>());
    EXPECT_THROW(hashing.detect(testFilm("frames-50.mp4"), 0.5, [&](double) { late.request_stop(); }, late.get_token()),
                 Cancelled);
}

}  // namespace
}  // namespace marrowick
