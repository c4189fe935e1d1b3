// Import of a 60 s 1080p25 film end to end (detection, enrichment of every shot, grouping) as a
// ratio to its detection alone, measured in the same run (best of three each).
#include <chrono>
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

// Twenty shots of 1.8 to 4.5 s from FFmpeg's generators, drawn small and scaled to 1080p, H.264
// with a 2 s key-frame interval (the test films' encoder settings).
std::filesystem::path benchFilm(const std::filesystem::path& folder) {
    const std::filesystem::path film = folder / "import-60s-1080p25.mp4";
    if (std::filesystem::exists(film)) return film;
    std::filesystem::create_directories(folder);
    const char* sources[] = {"testsrc2", "mandelbrot", "cellauto=rule=110:random_seed=3", "life=mold=10:seed=4",
                             "smptebars", "rgbtestsrc", "testsrc", "gradients=nb_colors=3:c0=0x203060:c1=0xe0a040:c2=0x40a040:speed=0.05"};
    std::string inputs, graph;
    int total = 0;
    for (int i = 0; i < 20; ++i) {
        const int frames = i == 19 ? 1500 - total : 45 + (i * 37) % 61;
        total += frames;
        const std::string source = sources[i % 8];
        inputs += " -f lavfi -i '" + source + (source.find('=') == std::string::npos ? "=" : ":") + "s=480x270:r=25'";
        graph += "[" + std::to_string(i) + ":v]trim=end_frame=" + std::to_string(frames) +
                 ",setpts=PTS-STARTPTS,format=yuv420p[s" + std::to_string(i) + "];";
    }
    for (int i = 0; i < 20; ++i) graph += "[s" + std::to_string(i) + "]";
    graph += "concat=n=20:v=1:a=0,scale=1920:1080[out]";
    const std::string command = "ffmpeg -nostdin -loglevel error -y" + inputs + " -filter_complex '" + graph +
                                "' -map '[out]' -frames:v 1500 -r 25 -c:v libx264 -preset ultrafast -g 50 -pix_fmt yuv420p '" +
                                film.string() + "'";
    if (std::system(command.c_str()) != 0) throw ReviewError("cannot render the benchmark film");
    return film;
}

struct Timing {
    double wall = 1e300;
    double cpu = 1e300;
};

template <class Work>
void timeBest(Timing& best, Work work) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = marrowick::bench::processSeconds();
    work();
    best.cpu = std::min(best.cpu, marrowick::bench::processSeconds() - cpuStart);
    best.wall = std::min(best.wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::filesystem::path folder = argc > 1 ? argv[1] : "build/bench-films";
        const std::filesystem::path film = benchFilm(folder);
        ShotDetector detector(std::make_unique<ColourDifferenceScorer>());
        Timing detection, import;
        std::size_t shots = 0;
        for (int round = 0; round < 3; ++round) {
            timeBest(detection, [&] { detector.detect(film, 0.5, {}); });
            timeBest(import, [&] {
                Project project;
                ImportPipeline::importInto(project, detector, {film});
                shots = project.shots.size();
            });
        }
        std::printf("%zu shots; detection %.2f s (cpu %.2f s), import %.2f s (cpu %.2f s)\n", shots, detection.wall,
                    detection.cpu, import.wall, import.cpu);
        std::printf("metric: import_to_detection_ratio %.3f ratio\n", import.wall / detection.wall);
        std::printf("metric: import_to_detection_cpu_ratio %.3f ratio\n", import.cpu / detection.cpu);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "import bench: " << error.what() << "\n";
        return 1;
    }
}
