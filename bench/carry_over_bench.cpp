// Import of a new cut into a review that holds a decided earlier version of the same film, as a
// ratio to the same import into a review without it, measured in the same run (best of the
// rounds each), for a re-edit of the whole film and for a trailer of a tenth of its shots; and
// the size of the frame-key cache file the earlier film left behind.
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

std::string shellQuoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// Makes the film once with FFmpeg: arguments are everything between "ffmpeg" and the output file.
std::filesystem::path rendered(const std::filesystem::path& film, const std::string& arguments) {
    if (std::filesystem::exists(film)) return film;
    std::filesystem::create_directories(film.parent_path());
    const std::string part = film.string() + ".part.mp4";
    const std::string command = "ffmpeg -nostdin -loglevel error -y " + arguments + " " + shellQuoted(part);
    if (std::system(command.c_str()) != 0) throw ReviewError("cannot render a benchmark film: " + command);
    std::filesystem::rename(part, film);
    return film;
}

std::string seconds(double value) { return std::to_string(value); }

// Moving colour gradients under FFmpeg's test pattern, whose clock makes every frame its own; every
// 3.6 s the hue turns by the golden angle, which cuts to a shot unlike the ones before.
std::filesystem::path earlierFilm(const std::filesystem::path& folder, int minutes) {
    const std::string shot = "floor(t/" + seconds(kShotSeconds) + ")";
    return rendered(folder / ("carry-earlier-" + std::to_string(minutes) + "min.mp4"),
                    "-f lavfi -i 'gradients=s=320x180:r=25:nb_colors=3:seed=5:speed=0.013' -f lavfi -i "
                    "'testsrc2=s=320x180:r=25' -filter_complex '[0][1]blend=all_mode=overlay:all_opacity=0.6,hue=H=mod(" +
                        shot + "*2.39996\\,6.2832):s=1+0.3*sin(" + shot + "),format=yuv420p' -t " +
                        std::to_string(minutes * 60) + " -c:v libx264 -preset ultrafast -crf 16 -g 50");
}

// Encoded again at another quality and key-frame distance.
const char* kOtherEncoding = " -c:v libx264 -preset ultrafast -crf 22 -g 120 -pix_fmt yuv420p";

// A re-edit of the whole earlier film: its second half first, then its first half less two seconds.
std::filesystem::path reEdit(const std::filesystem::path& earlier, int minutes) {
    const std::string half = seconds(kShotSeconds * std::floor(minutes * 30 / kShotSeconds));
    return rendered(earlier.parent_path() / ("carry-reedit-" + std::to_string(minutes) + "min.mp4"),
                    "-i " + shellQuoted(earlier) + " -filter_complex '[0:v]split[x][y];[x]trim=start=" + half +
                        ",setpts=PTS-STARTPTS[a];[y]trim=start=2:end=" + half +
                        ",setpts=PTS-STARTPTS[b];[a][b]concat=n=2:v=1:a=0[v]' -map '[v]'" + kOtherEncoding);
}

// A trailer: the first shot of every ten of the earlier film.
std::filesystem::path trailer(const std::filesystem::path& earlier, int minutes) {
    return rendered(earlier.parent_path() / ("carry-trailer-" + std::to_string(minutes) + "min.mp4"),
                    "-i " + shellQuoted(earlier) + " -vf 'select=lt(mod(n\\,900)\\,90),setpts=N/25/TB'" +
                        kOtherEncoding);
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

// The new cut imported alternately without and with the reviewed earlier film; prints the best
// times and the ratios under the metric's name.
void compare(const std::string& metric, const std::filesystem::path& film, const Project& reviewed,
             ShotDetector& detector, const SignatureCache& cache, int rounds) {
    Timing without, with;
    for (int round = 0; round < rounds; ++round) {
        timeImport(without, Project{}, film, detector, cache);
        timeImport(with, reviewed, film, detector, cache);
    }
    std::printf("%s: carried %zu of %zu shots; import without %.2f s (cpu %.2f s), with %.2f s (cpu %.2f s, "
                "matching %.2f s)\n",
                film.filename().c_str(), with.carried, with.shots, without.wall, without.cpu, with.wall, with.cpu,
                with.matching);
    std::printf("metric: %s %.3f ratio\n", metric.c_str(), with.wall / without.wall);
    std::printf("metric: %s %.3f ratio\n", (metric.substr(0, metric.size() - 6) + "_cpu_ratio").c_str(),
                with.cpu / without.cpu);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
        const std::filesystem::path folder = argc > 2 ? argv[2] : "build/bench-films";
        const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
        const std::filesystem::path earlier = earlierFilm(folder, minutes);
        const std::filesystem::path cacheFolder = folder / "carry-signature-cache";
        std::filesystem::remove_all(cacheFolder);
        const SignatureCache cache(cacheFolder);
        ShotDetector detector(std::make_unique<ColourDifferenceScorer>());
        const Project reviewed = reviewedProject(earlier, detector, cache);
        const std::uintmax_t bytes = cacheBytes(cache, reviewed);
        std::printf("earlier film: %d min at 320 x 180, 25 fps, %zu shots\n", minutes, reviewed.shots.size());
        std::printf("metric: signature_cache_bytes %ju bytes\n", bytes);
        std::printf("metric: signature_cache_2h_25fps %.1f MB\n", double(bytes) / (minutes * 60) * 7200 / 1e6);
        compare("carry_over_import_ratio", reEdit(earlier, minutes), reviewed, detector, cache, rounds);
        compare("carry_over_trailer_import_ratio", trailer(earlier, minutes), reviewed, detector, cache, rounds);
        std::filesystem::remove_all(cacheFolder);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "carry-over bench: " << error.what() << "\n";
        return 1;
    }
}
