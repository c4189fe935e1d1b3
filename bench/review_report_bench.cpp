// Times the review report of a 2,000-shot, 3-film review in which every shot is labelled and
// carries a 480x300 thumbnail (the worst case: every shot is a row with a picture). Prints the
// PDF and HTML times, each against the 10 s budget, and the PDF against the HTML made in the
// same run.
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>

#include "analysis/jpeg_encoder.h"
#include "bench_timing.h"
#include "model/review_error.h"
#include "ui/report_file.h"

namespace {

using namespace marrowick;

constexpr std::size_t kShots = 2000;
constexpr std::size_t kFilms = 3;
constexpr double kBudgetMilliseconds = 10'000;

void metric(const char* name, double value, const char* unit) { std::printf("metric: %s %.3f %s\n", name, value, unit); }

// A gradient with a shifting stripe, so that the pictures differ and compress like frames.
Blob thumbnail(std::size_t variant) {
    RgbaImage image;
    image.width = 480;
    image.height = 300;
    image.pixels.resize(std::size_t(image.width) * image.height * 4);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t* pixel = &image.pixels[(std::size_t(y) * image.width + x) * 4];
            const bool stripe = (x + static_cast<int>(variant) * 37) % 120 < 12;
            pixel[0] = static_cast<std::uint8_t>(stripe ? 250 : x / 2);
            pixel[1] = static_cast<std::uint8_t>(y * 255 / image.height);
            pixel[2] = static_cast<std::uint8_t>((variant * 53 + x + y) % 256);
            pixel[3] = 255;
        }
    return makeBlob(*JpegEncoder::encode(image, 85));
}

Project reviewProject() {
    Project project;
    project.name = "Benchmark review";
    std::vector<Blob> pictures;
    for (std::size_t i = 0; i < 64; ++i) pictures.push_back(thumbnail(i));
    for (std::size_t f = 0; f < kFilms; ++f) {
        Film film;
        film.id = Uuid::random();
        film.path = "/media/reel " + std::to_string(f + 1) + ".mov";
        film.fps = 25;
        film.width = 1920;
        film.height = 1080;
        film.detector = "TransNetV2";
        film.sourceSHA256 = std::string(64, 'a');
        const std::size_t shots = kShots / kFilms + (f < kShots % kFilms ? 1 : 0);
        film.duration = 4.0 * static_cast<double>(shots);
        project.films.push_back(film);
        for (std::size_t s = 0; s < shots; ++s) {
            Shot shot;
            shot.id = Uuid::random();
            shot.filmID = film.id;
            shot.start = 4.0 * static_cast<double>(s);
            shot.end = shot.start + 4;
            shot.disclosure = s % 2 ? Disclosure::modified : Disclosure::generated;
            shot.note = s % 5 ? "" : "Sky replaced in grading; see the VFX log, entry " + std::to_string(s) + ".";
            shot.thumbnail = pictures[(s + f) % pictures.size()];
            project.shots.push_back(shot);
        }
    }
    return project;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const Project project = reviewProject();
    ReviewReport::Options options;
    options.version = "bench";
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "marrowick-report-bench";
    std::filesystem::create_directories(folder);
    const double html = bench::medianMilliseconds(3, [&] { ReportFile::write(project, options, folder / "report.html"); });
    const double pdf = bench::medianMilliseconds(3, [&] { ReportFile::write(project, options, folder / "report.pdf"); });
    metric("review_report_html_2000_shots", html, "ms");
    metric("review_report_pdf_2000_shots", pdf, "ms");
    metric("review_report_pdf_bytes", static_cast<double>(std::filesystem::file_size(folder / "report.pdf")), "bytes");
    metric("review_report_html_per_budget", html / kBudgetMilliseconds, "ratio");
    metric("review_report_pdf_per_budget", pdf / kBudgetMilliseconds, "ratio");
    metric("review_report_pdf_per_html", pdf / html, "ratio");
    std::filesystem::remove_all(folder);
    return 0;
}
