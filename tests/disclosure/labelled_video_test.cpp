// Display copies decoded frame by frame: the label exactly on the labelled frames at the geometry's
// rectangle, timing, sound and raster carried over, and every failure leaving no partial movie.
#include "disclosure/labelled_video.h"

#include <gtest/gtest.h>

#include <cmath>

#include "disclosure/failure_message.h"
#include "disclosure/label_assets.h"
#include "disclosure/label_geometry.h"
#include "disclosure/labelled_film.h"
#include "disclosure/temporary_folder.h"

namespace marrowick {
namespace {

using testing::decodeLuma;
using testing::labelsProject;
using testing::probeMovie;
using testing::testFilm;

const std::filesystem::path kResources = MARROWICK_RESOURCE_DIR;

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
    exportFirstFilm(project, movie);

    const auto source = decodeLuma(testFilm("labels.mp4"));
    const auto output = decodeLuma(movie);
    ASSERT_EQ(output.luma.size(), 75u);
    ASSERT_EQ(output.times, source.times);
    const LabelStyle style = LabelStyle::white;
    for (std::size_t i = 0; i < output.luma.size(); ++i) {
        const double t = output.times[i];
        const bool generated = t < 1.0, modified = t >= 2.0;
        const Disclosure decision = generated ? Disclosure::generated : Disclosure::modified;
        const LabelRect rect = LabelGeometry::rect(project, std::nullopt, 640, 360,
                                                   LabelAssets::aspect(kResources, decision, style));
        const double inRect = meanDifference(output.luma[i], source.luma[i], 640, 360,
                                             [&](int x, int y) { return inside(rect, x, y); });
        const double elsewhere = meanDifference(output.luma[i], source.luma[i], 640, 360,
                                                [&](int x, int y) { return !inside(rect, x, y, 8); });
        std::printf("%zu t=%.3f in=%.2f else=%.2f\n", i, t, inRect, elsewhere);
    }
}

}  // namespace
}  // namespace marrowick
