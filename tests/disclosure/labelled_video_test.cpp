// Display copies decoded frame by frame: the label exactly on the labelled frames at the geometry's
// rectangle, timing, sound and raster carried over, and every failure leaving no partial movie.
#include "disclosure/labelled_video.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stop_token>

#include "raised_message.h"
#include "disclosure/label_assets.h"
#include "disclosure/label_geometry.h"
#include "disclosure/labelled_film.h"
#include "disclosure/temporary_folder.h"
#include "disclosure/xmp_readback.h"
#include "resource_folder.h"

namespace marrowick {
namespace {

using testing::decodeLuma;
using testing::labelsProject;
using testing::probeMovie;
using testing::testFilm;


std::vector<Shot> shotsOf(const Project& project) { return {project.shots.begin(), project.shots.end()}; }

void exportFirstFilm(const Project& project, const std::filesystem::path& to,
                     const Exporter::VideoProgress& progress = {}, std::stop_token stop = {}) {
    Exporter::labelledVideo(project.films[0], shotsOf(project), project, to, kResources, progress, std::move(stop));
}

std::size_t entries(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// Mean absolute luma difference of two pictures over the pixels the predicate picks.
template <class Picks>
double meanDifference(const std::vector<float>& a, const std::vector<float>& b, int width, int height, Picks picks) {
    double sum = 0;
    std::size_t count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (picks(x, y)) {
                const std::size_t i = static_cast<std::size_t>(y) * width + x;
                sum += std::abs(a[i] - b[i]);
                ++count;
            }
    return count ? sum / count : 0;
}

bool inside(const LabelRect& r, int x, int y, int margin = 0) {
    return x >= r.x - margin && x < r.x + r.width + margin && y >= r.y - margin && y < r.y + r.height + margin;
}

TEST(LabelledVideo, LabelSitsOnExactlyTheLabelledFramesAtTheGeometrysRectangle) {
    TemporaryFolder folder;
    const Project project = labelsProject();
    const std::filesystem::path movie = folder.path() / "1-labels-labelled.mov";
    std::vector<double> progress;
    exportFirstFilm(project, movie, [&](double fraction) { progress.push_back(fraction); });
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));

    const auto source = decodeLuma(testFilm("labels.mp4"));
    const auto output = decodeLuma(movie);
    ASSERT_EQ(output.luma.size(), 75u);
    ASSERT_EQ(output.times, source.times);  // frames 0, 24 (last generated), 25 (first none), 50, 74
    for (std::size_t i = 0; i < output.luma.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const double t = output.times[i];
        const bool labelled = t < 1.0 || t >= 2.0;
        const Disclosure decision = t < 1.0 ? Disclosure::generated : Disclosure::modified;
        const LabelRect rect = LabelGeometry::rect(project, std::nullopt, 640, 360,
                                                   LabelAssets::aspect(kResources, decision, LabelStyle::white));
        const double inRect = meanDifference(output.luma[i], source.luma[i], 640, 360,
                                             [&](int x, int y) { return inside(rect, x, y); });
        const double elsewhere = meanDifference(output.luma[i], source.luma[i], 640, 360,
                                                [&](int x, int y) { return !inside(rect, x, y); });
        EXPECT_LT(elsewhere, 0.5);
        if (!labelled) {
            EXPECT_LT(inRect, 0.5);
            continue;
        }
        EXPECT_GT(inRect, 50);
        // Opaque artwork pixels show the white label; clear ones show the picture beneath.
        const RgbaImage art = LabelAssets::overlay(kResources, decision, rect, LabelStyle::white);
        const auto alphaAt = [&](int x, int y) {
            return art.pixels[(static_cast<std::size_t>(y - rect.y) * art.width + (x - rect.x)) * 4 + 3];
        };
        const double clear = meanDifference(output.luma[i], source.luma[i], 640, 360,
                                            [&](int x, int y) { return inside(rect, x, y) && alphaAt(x, y) == 0; });
        EXPECT_LT(clear, 2.0);
        std::vector<float> artLuma(output.luma[i].size());  // BT.601, video range, as for standard definition
        for (int y = 0; y < rect.height; ++y)
            for (int x = 0; x < rect.width; ++x) {
                const std::uint8_t* p = &art.pixels[(static_cast<std::size_t>(y) * art.width + x) * 4];
                artLuma[static_cast<std::size_t>(y + rect.y) * 640 + x + rect.x] =
                    16.0f + 219.0f * (0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2]) / 255.0f;
            }
        const double opaque = meanDifference(output.luma[i], artLuma, 640, 360,
                                             [&](int x, int y) { return inside(rect, x, y) && alphaAt(x, y) == 255; });
        EXPECT_LT(opaque, 4.0);
    }
}

TEST(LabelledVideo, KeepsTimingAndSoundAndWritesHighProfileH264) {
    TemporaryFolder folder;
    const std::filesystem::path movie = folder.path() / "copy.mov";
    exportFirstFilm(labelsProject(), movie);
    const auto streams = probeMovie(movie);
    EXPECT_EQ(streams.codecs, (std::vector<std::string>{"h264", "aac"}));  // the AAC track copied
    EXPECT_EQ(streams.videoProfile, "High");
    EXPECT_EQ(streams.pixelFormat, "yuv420p");
    EXPECT_NEAR(streams.duration, 3.0, 0.05);
    EXPECT_EQ(entries(folder.path()), 1u);  // no temporary file beside it
}

// The byte offset of the first top-level box of the given type in a QuickTime file; -1 if none.
std::int64_t topLevelBox(const std::filesystem::path& movie, const std::string& type) {
    std::ifstream file(movie, std::ios::binary);
    unsigned char header[8];
    for (std::int64_t offset = 0; file.seekg(offset) && file.read(reinterpret_cast<char*>(header), 8);) {
        if (std::string(reinterpret_cast<char*>(header) + 4, 4) == type) return offset;
        const std::int64_t size = (std::int64_t{header[0]} << 24) | (header[1] << 16) | (header[2] << 8) | header[3];
        if (size < 8) return -1;
        offset += size;
    }
    return -1;
}

TEST(LabelledVideo, DisclosureTravelsInsideTheMovieAsXmp) {
    TemporaryFolder folder;
    Project project = testing::projectOf(testFilm("portrait.mp4"), 90, 160, 0.4, {Disclosure::generated});
    Shot none = project.shots[0];
    Shot modified = project.shots[0];
    project.shots.mut(0).end = 0.16;
    none.id = Uuid::random(), none.start = 0.16, none.end = 0.28, none.disclosure = Disclosure::none;
    modified.id = Uuid::random(), modified.start = 0.28, modified.end = 0.4, modified.disclosure = Disclosure::modified;
    project.shots.push_back(none);
    project.shots.push_back(modified);
    const std::filesystem::path movie = folder.path() / "labelled.mov";
    exportFirstFilm(project, movie);
    const DisclosureMetadata expected{kCompositeWithTrainedAlgorithmicMedia, "Per-shot visible disclosure selected.",
                                      "f25", {{0, 4, Disclosure::generated}, {7, 3, Disclosure::modified}}};
    EXPECT_EQ(testing::exiftoolDisclosure(movie), expected);
    EXPECT_EQ(testing::exempiDisclosure(movie), expected);
    EXPECT_LT(topLevelBox(movie, "moov"), topLevelBox(movie, "mdat"));  // still starts fast

    const Project unlabelled = testing::projectOf(testFilm("portrait.mp4"), 90, 160, 0.4, {Disclosure::none});
    const std::filesystem::path plain = folder.path() / "plain.mov";
    exportFirstFilm(unlabelled, plain);
    const DisclosureMetadata nothingLabelled{std::nullopt, "Per-shot visible disclosure selected.", "f25", {}};
    EXPECT_EQ(testing::exiftoolDisclosure(plain), nothingLabelled);
    EXPECT_EQ(testing::exempiDisclosure(plain), nothingLabelled);
    EXPECT_FALSE(testing::exiftool::report(plain).contains("DigitalSourceType"));
}

TEST(LabelledVideo, TenBitSourcesBecomeProResHq) {
    TemporaryFolder folder;
    const Project project =
        testing::projectOf(testFilm("ten-bit.mp4"), 320, 180, 0.4, {Disclosure::generated});
    const std::filesystem::path movie = folder.path() / "copy.mov";
    exportFirstFilm(project, movie);
    const auto streams = probeMovie(movie);
    EXPECT_EQ(streams.codecs, (std::vector<std::string>{"prores"}));
    EXPECT_EQ(streams.videoProfile, "HQ");
    EXPECT_EQ(streams.pixelFormat, "yuv422p10le");
    const auto output = decodeLuma(movie);
    const auto source = decodeLuma(testFilm("ten-bit.mp4"));
    ASSERT_EQ(output.times, source.times);
    const LabelRect rect = LabelGeometry::rect(project, std::nullopt, 320, 180,
                                               LabelAssets::aspect(kResources, Disclosure::generated, LabelStyle::white));
    EXPECT_GT(meanDifference(output.luma[0], source.luma[0], 320, 180, [&](int x, int y) { return inside(rect, x, y); }),
              20);
    EXPECT_LT(meanDifference(output.luma[0], source.luma[0], 320, 180, [&](int x, int y) { return !inside(rect, x, y); }),
              1.0);
}

TEST(LabelledVideo, RotatedSourcesAreWrittenUprightAndOtherRastersRefused) {
    TemporaryFolder folder;
    Project project = testing::projectOf(testFilm("portrait.mp4"), 90, 160, 0.4, {Disclosure::none});
    const std::filesystem::path movie = folder.path() / "copy.mov";
    exportFirstFilm(project, movie);
    const auto streams = probeMovie(movie);
    EXPECT_EQ(streams.width, 90);
    EXPECT_EQ(streams.height, 160);
    EXPECT_FALSE(streams.rotated);
    const auto output = decodeLuma(movie);
    ASSERT_EQ(output.luma.size(), 10u);
    EXPECT_GT(output.luma[0][20 * 90 + 45], output.luma[0][140 * 90 + 45] + 20);  // red (brighter) above blue
    std::filesystem::remove(movie);

    project.films[0].width = 160;
    project.films[0].height = 90;
    EXPECT_EQ(testing::raisedMessage([&] { exportFirstFilm(project, movie); }),
              "Source display raster changed. Reimport the film before exporting.");
    EXPECT_EQ(entries(folder.path()), 0u);
}

TEST(LabelledVideo, OddRastersArePaddedAtTheRightAndBottomWithTheLabelOnTheSourceRaster) {
    TemporaryFolder folder;
    const Project project = testing::projectOf(testFilm("odd-raster.mov"), 641, 361, 0.4, {Disclosure::generated});
    const std::filesystem::path movie = folder.path() / "copy.mov";
    exportFirstFilm(project, movie);
    const auto output = decodeLuma(movie);
    const auto source = decodeLuma(testFilm("odd-raster.mov"));
    EXPECT_EQ(output.width, 642);
    EXPECT_EQ(output.height, 362);
    ASSERT_EQ(output.times, source.times);
    const LabelRect rect = LabelGeometry::rect(project, std::nullopt, 641, 361,
                                               LabelAssets::aspect(kResources, Disclosure::generated, LabelStyle::white));
    // The source's pixels keep their places: compare on the source raster, row by row.
    std::vector<float> kept(static_cast<std::size_t>(641) * 361);
    for (int y = 0; y < 361; ++y)
        std::copy_n(output.luma[0].begin() + static_cast<std::ptrdiff_t>(y) * 642, 641,
                    kept.begin() + static_cast<std::ptrdiff_t>(y) * 641);
    EXPECT_GT(meanDifference(kept, source.luma[0], 641, 361, [&](int x, int y) { return inside(rect, x, y); }), 20);
    EXPECT_LT(meanDifference(kept, source.luma[0], 641, 361, [&](int x, int y) { return !inside(rect, x, y, 2); }),
              3.0);
    EXPECT_LT(output.luma[0][361 * 642 + 100], 20);  // the padding row is black
}

TEST(LabelledVideo, AProgramStreamKeepsEveryFrame) {
    TemporaryFolder folder;
    const Project project = testing::projectOf(testFilm("program-stream.mpg"), 160, 90, 2.0, {Disclosure::generated});
    const std::filesystem::path movie = folder.path() / "copy.mov";
    exportFirstFilm(project, movie);
    EXPECT_EQ(decodeLuma(movie).times.size(), 50u);
}

TEST(LabelledVideo, SoundMovIsNotMadeForIsStoredAsPcm) {
    TemporaryFolder folder;
    const std::filesystem::path movie = folder.path() / "copy.mov";
    exportFirstFilm(testing::projectOf(testFilm("opus-sound.mkv"), 320, 180, 1.0, {Disclosure::modified}), movie);
    const auto streams = probeMovie(movie);
    EXPECT_EQ(streams.codecs, (std::vector<std::string>{"h264", "pcm_s24le"}));
    EXPECT_EQ(decodeLuma(movie).luma.size(), 25u);
}

TEST(LabelledVideo, RefusedSourcesLeaveNothing) {
    TemporaryFolder folder;
    const std::filesystem::path movie = folder.path() / "copy.mov";
    Project project = labelsProject();
    project.shots.mut(1).disclosure = Disclosure::unreviewed;
    EXPECT_EQ(testing::raisedMessage([&] { exportFirstFilm(project, movie); }),
              "Review every shot in this film before video export.");

    project = labelsProject();
    project.films[0].sourceSHA256 = std::string(64, '0');
    EXPECT_EQ(testing::raisedMessage([&] { exportFirstFilm(project, movie); }),
              "Source changed since review: labels.mp4. Reimport and review the new edit before export.");

    project = testing::projectOf(testFilm("audio-only.m4a"), 320, 180, 1.0, {Disclosure::none});
    EXPECT_EQ(testing::raisedMessage([&] { exportFirstFilm(project, movie); }),
              "Cannot create a video exporter for this source.");

    project = testing::projectOf(folder.path() / "gone.mp4", 320, 180, 1.0, {Disclosure::none});
    EXPECT_EQ(testing::raisedMessage([&] { exportFirstFilm(project, movie); }),
              "gone.mp4: No such file or directory");

    project = testing::projectOf(testFilm("truncated.mp4"), 160, 90, 6.0, {Disclosure::generated});
    EXPECT_EQ(testing::raisedMessage([&] { exportFirstFilm(project, movie); }), "Video export did not finish.");
    EXPECT_EQ(entries(folder.path()), 0u);
}

TEST(LabelledVideo, CancellingOrLosingTheFolderMidwayLeavesNoMovie) {
    TemporaryFolder folder;
    const std::filesystem::path movie = folder.path() / "copy.mov";
    std::stop_source stop;
    EXPECT_THROW(exportFirstFilm(labelsProject(), movie, [&](double) { stop.request_stop(); }, stop.get_token()),
                 Cancelled);
    EXPECT_EQ(entries(folder.path()), 0u);

    const std::filesystem::path vanishing = folder.path() / "vanishing";
    std::filesystem::create_directories(vanishing);
    const std::string message = testing::raisedMessage([&] {
        exportFirstFilm(labelsProject(), vanishing / "copy.mov", [&](double) { std::filesystem::remove_all(vanishing); });
    });
    EXPECT_EQ(message, "Could not write \"copy.mov\": No such file or directory.");
    EXPECT_FALSE(std::filesystem::exists(vanishing));
}

// Exports with the file size limit set, which makes every write past it fail as a full disk
// would; exits 0 when the export failed with the write error and left nothing.
[[noreturn]] void exportOntoAFullDisk(const std::filesystem::path& folder) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64 * 1024, 64 * 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string message = testing::raisedMessage([&] { exportFirstFilm(labelsProject(), folder / "copy.mov"); });
    std::fprintf(stderr, "%s\n", message.c_str());
    std::exit(entries(folder) == 0 && message.rfind("Could not write", 0) == 0 ? 0 : 1);
}

TEST(LabelledVideoDeathTest, AFullDiskFailsWithTheWriteErrorAndLeavesNoMovie) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TemporaryFolder folder;
    EXPECT_EXIT(exportOntoAFullDisk(folder.path()), ::testing::ExitedWithCode(0),
                "Could not write \"copy.mov\": File too large.");
}

}  // namespace
}  // namespace marrowick
