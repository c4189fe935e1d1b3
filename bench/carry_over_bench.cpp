// Import of a new cut into a review that holds a decided earlier version of the same film, as a
// ratio to the same import into a review without it, measured in the same run (best of the
// rounds each), and the size of the frame-key cache file the earlier film left behind.
//
// marrowick-bench-carry_over [MINUTES] [FOLDER] [ROUNDS]: generated films of MINUTES (default 15)
// at 320 x 180, 25 fps, made once into FOLDER (default build/bench-films).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "bench_timing.h"
#include "analysis/colour_difference_scorer.h"
#include "analysis/import_pipeline.h"
#include "model/review_error.h"

using namespace marrowick;

namespace {

constexpr double kShotSeconds = 3.6;  // 90 frames

void run(const std::string& command) {
    if (std::system(command.c_str()) != 0) throw ReviewError("cannot render a benchmark film: " + command);
}

std::string shellQuoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// Moving colour gradients under FFmpeg's test pattern, whose clock makes every frame its own; every
// 3.6 s the hue turns by the golden angle, which cuts to a shot unlike the ones before.
std::filesystem::path earlierFilm(const std::filesystem::path& folder, int minutes) {
    const std::filesystem::path film = folder / ("carry-earlier-" + std::to_string(minutes) + "min.mp4");
    if (std::filesystem::exists(film)) return film;
    std::filesystem::create_directories(folder);
    const std::string shot = "floor(t/" + std::to_string(kShotSeconds) + ")";
    run("ffmpeg -nostdin -loglevel error -y -f lavfi -i 'gradients=s=320x180:r=25:nb_colors=3:seed=5:speed=0.013'"
        " -f lavfi -i 'testsrc2=s=320x180:r=25' -filter_complex '[0][1]blend=all_mode=overlay:all_opacity=0.6,"
        "hue=H=mod(" + shot + "*2.39996\\,6.2832):s=1+0.3*sin(" + shot + "),format=yuv420p' -t " +
        std::to_string(minutes * 60) + " -c:v libx264 -preset ultrafast -crf 16 -g 50 " + shellQuoted(film.string() + ".part.mp4"));
    std::filesystem::rename(film.string() + ".part.mp4", film);
    return film;
}

// A re-edit of the earlier film: its second half first, then its first half less two seconds,
// encoded again at another quality and key-frame distance.
std::filesystem::path newCut(const std::filesystem::path& earlier, const std::filesystem::path& folder, int minutes) {
    const std::filesystem::path film = folder / ("carry-new-" + std::to_string(minutes) + "min.mp4");
    if (std::filesystem::exists(film)) return film;
    const std::string half = std::to_string(kShotSeconds * std::floor(minutes * 30 / kShotSeconds));
    run("ffmpeg -nostdin -loglevel error -y -i " + shellQuoted(earlier) + " -filter_complex '[0:v]split[x][y];"
        "[x]trim=start=" + half + ",setpts=PTS-STARTPTS[a];[y]trim=start=2:end=" + half +
        ",setpts=PTS-STARTPTS[b];[a][b]concat=n=2:v=1:a=0[v]' -map '[v]' -c:v libx264 -preset ultrafast -crf 22"
        " -g 120 -pix_fmt yuv420p " + shellQuoted(film.string() + ".part.mp4"));
    std::filesystem::rename(film.string() + ".part.mp4", film);
    return film;
}

// The earlier film imported (which caches its keys, as any import does) and every shot decided.
Project reviewedProject(const std::filesystem::path& earlier, ShotDetector& detector, const SignatureCache& cache) {
    Project project;
    CarryOver carry({}, cache);
    ImportPipeline::importInto(project, detector, {earlier}, {}, {}, {}, &carry);
    for (std::size_t i = 0; i < project.shots.size(); ++i)
        project.shots.mut(i).disclosure = i % 3 == 0 ? Disclosure::generated : Disclosure::none;
    return project;
}

struct Timing {
    double wall = 1e300;
    double cpu = 1e300;
    double matching = 1e300;  // from "Matching earlier cuts" to the end
    std::size_t carried = 0;
    std::size_t shots = 0;
};

// Imports the new cut into a copy of the project, as marrowick-cli does: every film of the project
// that holds decisions is an earlier film.
void timeImport(Timing& best, const Project& start, const std::filesystem::path& film, ShotDetector& detector,
                const SignatureCache& cache) {
    Project project = start;
    CarryOver carry(ImportPipeline::reviewedFilms(project), cache);
    ImportPipeline::Events events;
    std::chrono::steady_clock::time_point matchingFrom{};
    events.progress = [&](double, const std::string& activity) {
        if (activity.starts_with("Matching")) matchingFrom = std::chrono::steady_clock::now();
    };
    events.carried = [&](const Film&, const CarryReport& report) {
        best.carried = report.carried;
        best.shots = report.shots;
    };
    const auto begin = std::chrono::steady_clock::now();
    const double cpuBegin = bench::processSeconds();
    ImportPipeline::importInto(project, detector, {film}, events, {}, {}, &carry);
    const auto end = std::chrono::steady_clock::now();
    best.cpu = std::min(best.cpu, bench::processSeconds() - cpuBegin);
    best.wall = std::min(best.wall, std::chrono::duration<double>(end - begin).count());
    if (matchingFrom != std::chrono::steady_clock::time_point{})
        best.matching = std::min(best.matching, std::chrono::duration<double>(end - matchingFrom).count());
}

std::uintmax_t cacheBytes(const SignatureCache& cache, const Project& project) {
    return std::filesystem::file_size(*cache.fileOf(project.films.front().sourceSHA256.value()));
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
        const std::filesystem::path folder = argc > 2 ? argv[2] : "build/bench-films";
        const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
        const std::filesystem::path earlier = earlierFilm(folder, minutes);
        const std::filesystem::path later = newCut(earlier, folder, minutes);
        const std::filesystem::path cacheFolder = folder / "carry-signature-cache";
        std::filesystem::remove_all(cacheFolder);
        const SignatureCache cache(cacheFolder);
        ShotDetector detector(std::make_unique<ColourDifferenceScorer>());
        const Project reviewed = reviewedProject(earlier, detector, cache);
        const std::uintmax_t bytes = cacheBytes(cache, reviewed);
        Timing without, with;
        for (int round = 0; round < rounds; ++round) {
            timeImport(without, Project{}, later, detector, cache);
            timeImport(with, reviewed, later, detector, cache);
        }
        std::filesystem::remove_all(cacheFolder);
        std::printf("%d min at 320x180: carried %zu of %zu shots; import without %.2f s (cpu %.2f s), with %.2f s "
                    "(cpu %.2f s, matching %.2f s)\n",
                    minutes, with.carried, with.shots, without.wall, without.cpu, with.wall, with.cpu, with.matching);
        std::printf("metric: carry_over_import_ratio %.3f ratio\n", with.wall / without.wall);
        std::printf("metric: carry_over_import_cpu_ratio %.3f ratio\n", with.cpu / without.cpu);
        std::printf("metric: signature_cache_bytes %ju bytes\n", bytes);
        std::printf("metric: signature_cache_2h_25fps %.1f MB\n", double(bytes) / (minutes * 60) * 7200 / 1e6);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "carry-over bench: " << error.what() << "\n";
        return 1;
    }
}
