// Model benchmarks: an edit with validation and an undo snapshot at the project limits, the memory
// held by 30 snapshots, and project file encode/decode throughput against plain nlohmann::json.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <deque>
#include <functional>
#include <vector>

#include "bench_timing.h"
#include "model/project_json.h"
#include "project_generator.h"
#include "project_memory.h"

namespace marrowick::bench {
namespace {

constexpr std::size_t kUndoLimit = 30;

void metric(const char* name, double value, const char* unit) { std::printf("metric: %s %.3f %s\n", name, value, unit); }

using bench::median;
using bench::medianMilliseconds;
using bench::millisecondsOf;

// Processor time of this thread: on a machine shared with other builds, the wall-clock figure
// also counts time the thread spent waiting for a core.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double medianThreadMilliseconds(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = threadMilliseconds();
        work();
        times.push_back(threadMilliseconds() - start);
    }
    return median(times);
}

// One decision on one shot, validation of the whole project, and the undo snapshot the workspace
// keeps: the three steps of every edit the reviewer makes.
void editValidateSnapshot(Project& project, std::deque<Project>& undo, std::size_t edit) {
    const Uuid& id = project.shots[(edit * 7919) % project.shots.size()].id;
    project.decide({id}, edit % 2 == 0 ? Disclosure::modified : Disclosure::none);
    project.validated();
    undo.push_back(project);
    if (undo.size() > kUndoLimit) undo.pop_front();
}

void measureEdits(Project project) {
    std::deque<Project> undo;
    std::size_t edit = 0;
    const double ms = medianMilliseconds(61, [&] { editValidateSnapshot(project, undo, edit++); });
    const double cpuMs = medianThreadMilliseconds(61, [&] { editValidateSnapshot(project, undo, edit++); });
    metric("model_edit_validate_snapshot_ms", ms, "ms");
    metric("model_edit_validate_snapshot_cpu_ms", cpuMs, "ms");
}

void measureSnapshotMemory(Project project) {
    ProjectMemory memory;
    const double own = static_cast<double>(memory.add(project));
    std::vector<Project> undo;
    for (std::size_t edit = 0; edit < kUndoLimit; ++edit) {
        undo.push_back(project);
        project.decide({project.shots[(edit * 6007) % project.shots.size()].id}, Disclosure::generated);
    }
    double extra = 0;
    for (const Project& snapshot : undo) extra += static_cast<double>(memory.add(snapshot));
    std::printf("project %.1f MB, 30 snapshots add %.2f MB\n", own / 1e6, extra / 1e6);
    metric("model_snapshot_memory_ratio", extra / own, "ratio");
}

double megabytesPerSecond(std::size_t bytes, double milliseconds) { return bytes / 1e6 / (milliseconds / 1e3); }

void measureThroughput() {
    ProjectShape shape;
    shape.films = 100;
    shape.shotsPerFilm = 200;
    shape.thumbnailBytes = 3000;
    shape.featureBytes = 768;
    const Project project = generateProject(shape);
    std::string text;
    const double encodeMs = medianMilliseconds(5, [&] { text = ProjectJson::encode(project); });
    const double decodeMs = medianMilliseconds(5, [&] { ProjectJson::decode(text); });
    nlohmann::json document;
    const double parseMs = medianMilliseconds(3, [&] { document = nlohmann::json::parse(text); });
    const double dumpMs = medianMilliseconds(3, [&] { (void)document.dump(); });
    std::printf("project file %.1f MB (%zu films, %zu shots)\n", text.size() / 1e6, project.films.size(), project.shots.size());
    metric("model_encode_mb_per_s", megabytesPerSecond(text.size(), encodeMs), "MB/s");
    metric("model_decode_mb_per_s", megabytesPerSecond(text.size(), decodeMs), "MB/s");
    metric("model_nlohmann_dump_mb_per_s", megabytesPerSecond(text.size(), dumpMs), "MB/s");
    metric("model_nlohmann_parse_mb_per_s", megabytesPerSecond(text.size(), parseMs), "MB/s");
    metric("model_encode_vs_nlohmann_dump", dumpMs / encodeMs, "ratio");
    metric("model_decode_vs_nlohmann_parse", parseMs / decodeMs, "ratio");
}

}  // namespace
}  // namespace marrowick::bench

int main() {
    using namespace marrowick::bench;
    const marrowick::Project limits = generateProject(ProjectShape{});
    std::printf("generated %zu films, %zu shots\n", limits.films.size(), limits.shots.size());
    measureEdits(limits);
    measureSnapshotMemory(limits);
    measureThroughput();
    return 0;
}
