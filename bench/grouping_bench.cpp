// Visual grouping: pairwise precision and recall of "same group" on generated scenes that recur
// in several films re-cut, re-graded, re-framed and re-encoded, and the time to group 20,000 shots.
#include <chrono>
#include <ctime>
#include <cstdio>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "analysis/feature_print.h"
#include "analysis/shot_imaging.h"
#include "model/review_error.h"
#include "picture_variants.h"

using namespace marrowick;

namespace {

constexpr int kWidth = 640, kHeight = 360, kFrames = 24, kFilms = 4;

// Foreground generators placed over a colour-gradient background: each scene differs in layout,
// colour and content.
std::string sceneGraph(int scene) {
    static const char* foregrounds[] = {"testsrc2", "mandelbrot", "cellauto=rule=110:random_seed=5", "life=mold=10:ratio=0.3:seed=9",
                                        "smptebars", "rgbtestsrc", "testsrc", "mandelbrot=start_scale=1.5"};
    const int fgWidth = 160 + (scene * 53) % 320, fgHeight = 90 + (scene * 37) % 180;
    const int x = (scene * 97) % (kWidth - fgWidth), y = (scene * 61) % (kHeight - fgHeight);
    const std::string foreground = foregrounds[scene % 8];
    const std::string separator = foreground.find('=') == std::string::npos ? "=" : ":";
    char colours[64];
    std::snprintf(colours, sizeof colours, ":c0=0x%06x:c1=0x%06x", (scene * 2654435761u) % 0xFFFFFFu,
                  (scene * 40503u + 0x808080u) % 0xFFFFFFu);
    const std::string points = ":x0=" + std::to_string((scene * 31) % kWidth) + ":y0=" + std::to_string((scene * 17) % kHeight) +
                               ":x1=" + std::to_string((scene * 71 + 300) % kWidth) +
                               ":y1=" + std::to_string((scene * 43 + 200) % kHeight);
    return "gradients=s=" + std::to_string(kWidth) + "x" + std::to_string(kHeight) + ":r=25:speed=0.02:nb_colors=2" +
           colours + points + "[bg];" + foreground + separator + "s=" + std::to_string(fgWidth) + "x" +
           std::to_string(fgHeight) + ":r=25[fg];[bg][fg]overlay=x=" + std::to_string(x) + ":y=" + std::to_string(y) +
           ",format=rgba";
}

std::vector<RgbaImage> renderScene(int scene) {
    const std::string command = "ffmpeg -nostdin -loglevel error -f lavfi -i '" + sceneGraph(scene) + "' -frames:v " +
                                std::to_string(kFrames) + " -f rawvideo -pix_fmt rgba -";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw ReviewError("cannot run ffmpeg");
    std::vector<RgbaImage> frames;
    const std::size_t bytes = std::size_t(kWidth) * kHeight * 4;
    for (int i = 0; i < kFrames; ++i) {
        RgbaImage frame{kWidth, kHeight, std::vector<std::uint8_t>(bytes)};
        if (std::fread(frame.pixels.data(), 1, bytes, pipe) != bytes) break;
        frames.push_back(std::move(frame));
    }
    pclose(pipe);
    if (frames.size() != std::size_t(kFrames)) throw ReviewError("ffmpeg rendered too few frames: " + command);
    return frames;
}

Shot shotWithPrint(const FeaturePrint& print) {
    Shot shot;
    shot.feature = makeBlob(print.encode());
    return shot;
}

// Scenes x films: each film holds every scene once, at another moment, in another grade, crop and encode.
void precisionAndRecall(int scenes) {
    std::mt19937 random(2026);
    std::vector<FeaturePrint> prints;
    std::vector<int> truth;
    std::vector<std::vector<RgbaImage>> rendered;
    for (int s = 0; s < scenes; ++s) rendered.push_back(renderScene(s));
    for (int film = 0; film < kFilms; ++film)
        for (int s = 0; s < scenes; ++s) {
            prints.push_back(FeaturePrint::of(bench::variant(rendered[std::size_t(s)][std::size_t(film * 6)], random)));
            truth.push_back(s);
        }
    SharedVector<Shot> shots;
    for (const FeaturePrint& print : prints) shots.push_back(shotWithPrint(print));
    const SharedVector<Shot> grouped = ShotImaging::group(shots, 0.35f);
    long truePairs = 0, falsePairs = 0, missedPairs = 0;
    float sameMax = 0, otherMin = 1;
    double sameSum = 0, otherSum = 0;
    long sameCount = 0, otherCount = 0;
    for (std::size_t i = 0; i < prints.size(); ++i)
        for (std::size_t j = i + 1; j < prints.size(); ++j) {
            const bool same = truth[i] == truth[j];
            const bool together = grouped[i].group == grouped[j].group;
            truePairs += same && together;
            falsePairs += !same && together;
            missedPairs += same && !together;
            const float distance = FeaturePrint::distance(prints[i], prints[j]);
            if (same) sameMax = std::max(sameMax, distance), sameSum += distance, ++sameCount;
            else otherMin = std::min(otherMin, distance), otherSum += distance, ++otherCount;
        }
    const double precision = truePairs + falsePairs ? double(truePairs) / double(truePairs + falsePairs) : 1.0;
    const double recall = truePairs + missedPairs ? double(truePairs) / double(truePairs + missedPairs) : 1.0;
    std::printf("scenes %d, films %d: same-scene distance mean %.3f max %.3f; other-scene mean %.3f min %.3f\n", scenes,
                kFilms, sameSum / double(sameCount), sameMax, otherSum / double(otherCount), otherMin);
    std::printf("metric: grouping_pair_precision_at_0.35 %.4f ratio\n", precision);
    std::printf("metric: grouping_pair_recall_at_0.35 %.4f ratio\n", recall);
}

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// A picture of random coloured rectangles over a two-colour gradient.
RgbaImage randomScene(std::mt19937& random, int width, int height) {
    std::uniform_int_distribution<int> byte(0, 255);
    RgbaImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 4, 255)};
    const int a[3] = {byte(random), byte(random), byte(random)}, b[3] = {byte(random), byte(random), byte(random)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                image.pixels[(std::size_t(y) * width + x) * 4 + c] = std::uint8_t((a[c] * (width - x) + b[c] * x) / width);
    for (int r = 0; r < 6; ++r) {
        std::uniform_int_distribution<int> px(0, width - 1), py(0, height - 1);
        const int x0 = px(random), y0 = py(random), x1 = std::min(width, x0 + 4 + px(random) / 2),
                  y1 = std::min(height, y0 + 4 + py(random) / 2);
        const int colour[3] = {byte(random), byte(random), byte(random)};
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                for (int c = 0; c < 3; ++c) image.pixels[(std::size_t(y) * width + x) * 4 + c] = std::uint8_t(colour[c]);
    }
    return image;
}

// 20,000 shots: 4,000 scenes, each in five films.
void groupingTime() {
    std::mt19937 random(7);
    std::vector<FeaturePrint> scenes;
    std::vector<RgbaImage> bases;
    for (int s = 0; s < 4000; ++s) bases.push_back(randomScene(random, 96, 54));
    SharedVector<Shot> shots;
    for (int film = 0; film < 5; ++film)
        for (const RgbaImage& base : bases) shots.push_back(shotWithPrint(FeaturePrint::of(bench::variant(base, random, 96, 54, false))));
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = threadSeconds();
    const SharedVector<Shot> grouped = ShotImaging::group(shots, 0.35f);
    const double cpu = threadSeconds() - cpuStart;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::int64_t groups = 0;
    for (const Shot& shot : grouped) groups = std::max(groups, shot.group);
    std::printf("20000 shots in %lld groups\n", static_cast<long long>(groups));
    std::printf("metric: grouping_20000_shots_seconds %.3f s\n", seconds);
    // The work itself, unaffected by other programs sharing the processor.
    std::printf("metric: grouping_20000_shots_cpu_seconds %.3f s\n", cpu);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const int scenes = argc > 1 ? std::stoi(argv[1]) : 48;
        precisionAndRecall(scenes);
        groupingTime();
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "grouping bench: " << error.what() << "\n";
        return 1;
    }
}
