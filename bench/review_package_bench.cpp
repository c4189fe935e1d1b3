// Times the label PNG writer and the shot spreadsheet at the project size limit; prints metric lines.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "disclosure/label_assets.h"
#include "disclosure/png_codec.h"
#include "disclosure/shot_review_csv.h"
#include "model/project_json.h"
#include "model/uuid.h"

namespace {

using namespace marrowick;

const std::filesystem::path kResources = MARROWICK_RESOURCE_DIR;
constexpr std::size_t kShots = 200'000;

using bench::medianMilliseconds;

void metric(const char* name, double value, const char* unit) { std::printf("metric: %s %.3f %s\n", name, value, unit); }

// One film of 200,000 two-second shots, every shot with a short note.
Project largeProject() {
    Project project;
    Film film;
    film.id = Uuid::random();
    film.path = "/media/long film.mov";
    film.duration = 2.0 * kShots;
    film.fps = 25;
    film.width = 1920;
    film.height = 1080;
    film.detector = "TransNetV2";
    project.films.push_back(film);
    for (std::size_t i = 0; i < kShots; ++i) {
        Shot shot;
        shot.id = Uuid::random();
        shot.filmID = film.id;
        shot.start = 2.0 * static_cast<double>(i);
        shot.end = shot.start + 2;
        shot.note = "checked, \"clean\"";
        project.shots.push_back(shot);
    }
    return project;
}

void benchLabels(const std::filesystem::path& folder) {
    const auto artwork = *LabelAssets::url(kResources, Disclosure::generated, LabelStyle::white);
    std::ifstream stream(artwork, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(stream), {}};
    const double decode = medianMilliseconds(9, [&] {
        PngCodec::decodePng({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    });
    const double hd = medianMilliseconds(9, [&] {
        LabelAssets::write(kResources, Disclosure::generated, LabelStyle::white, 346, folder / "hd.png");
    });
    const double uhd = medianMilliseconds(9, [&] {
        LabelAssets::write(kResources, Disclosure::generated, LabelStyle::white, 1536, folder / "uhd.png");
    });
    metric("label_artwork_decode", decode, "ms");
    metric("label_write_346px", hd, "ms");
    metric("label_write_1536px", uhd, "ms");
    metric("label_write_346px_per_decode", hd / decode, "ratio");
    metric("label_write_1536px_per_decode", uhd / decode, "ratio");
}

void benchSpreadsheet() {
    const Project project = largeProject();
    const double csv = medianMilliseconds(5, [&] { shotReviewCsv(project); });
    const double json = medianMilliseconds(5, [&] { ProjectJson::encodePretty(project); });
    metric("shot_review_csv_200k_shots", csv, "ms");
    metric("shot_review_csv_per_pretty_json", csv / json, "ratio");
}

}  // namespace

int main() {
    const auto folder = std::filesystem::temp_directory_path() / ("marrowick-bench-" + Uuid::random().text());
    std::filesystem::create_directories(folder);
    benchLabels(folder);
    benchSpreadsheet();
    std::filesystem::remove_all(folder);
    return 0;
}
