// Delivery export of a 60 s 1080p25 film to the web H.264 target (probing, planning, source
// fingerprint, review package, label pictures, encode, verification, side files) against FFmpeg run
// by hand with the identical argument list, in the same run. The two alternate: by hand, ours, by
// hand, ours, ..., by hand. Each export is compared with the mean of the runs by hand just before
// and just after it, so a machine whose speed drifts during the run (other work, a shared host)
// weighs on both sides alike; the median of those ratios is the result. Also prints the CPU time of
// both sides and the time of every step around the encode, each timed again on its own.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "analysis/file_fingerprint.h"
#include "bench_timing.h"
#include "delivery/delivery_export.h"
#include "delivery/delivery_preset_json.h"
#include "delivery/local_process.h"
#include "delivery/mastering_encode.h"
#include "delivery/output_disclosure.h"
#include "delivery/output_verification.h"
#include "delivery/preset_catalogue.h"
#include "disclosure/review_package.h"
#include "disclosure/safe_zones.h"
#include "model/atomic_file.h"
#include "model/uuid.h"

namespace marrowick {
namespace {

constexpr double kSeconds = 60;

std::filesystem::path makeFilm(const FFmpegTools& tools, const std::filesystem::path& folder) {
    const std::filesystem::path film = folder / "delivery-60s-1080p25.mov";
    LocalProcess::run(tools.ffmpeg, {"-nostdin", "-v", "error", "-f", "lavfi", "-i",
                                     "testsrc2=s=1920x1080:r=25:d=60", "-f", "lavfi", "-i",
                                     "sine=frequency=440:sample_rate=48000:duration=60", "-c:v", "libx264", "-preset",
                                     "veryfast", "-pix_fmt", "yuv420p", "-color_primaries", "bt709", "-color_trc",
                                     "bt709", "-colorspace", "bt709", "-ac", "2", "-c:a", "aac", film.string()});
    return film;
}

// A reviewed project as an import leaves it, source fingerprint included.
Project reviewedProject(const std::filesystem::path& path) {
    Project project;
    Film film;
    film.id = Uuid::random();
    film.path = path.string();
    film.duration = kSeconds;
    film.fps = 25;
    film.width = 1920;
    film.height = 1080;
    film.detector = "TransNetV2";
    film.sourceSHA256 = FileFingerprint::sha256(path);
    project.films.push_back(film);
    const Disclosure decisions[] = {Disclosure::none, Disclosure::generated, Disclosure::modified};
    for (int index = 0; index < 12; ++index) {
        Shot shot;
        shot.id = Uuid::random();
        shot.filmID = film.id;
        shot.start = index * 5.0;
        shot.end = index * 5.0 + 5.0;
        shot.disclosure = decisions[index % 3];
        project.shots.push_back(shot);
    }
    return project;
}

// CPU seconds of every child process waited for so far.
double childSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& time) { return double(time.tv_sec) + double(time.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timed {
    double milliseconds = 0;
    double childSeconds = 0;
};

Timed timed(const std::function<void()>& work) {
    const double before = childSeconds();
    const double milliseconds = bench::millisecondsOf(work);
    return {milliseconds, childSeconds() - before};
}

// FFmpeg by hand: the label pictures and graph written beforehand, then the same arguments.
Timed byHand(const DeliveryRequest& request, const MasteringExporter::EncodeJob& job,
             const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    const MasteringExporter::EncodeFiles files =
        MasteringExporter::writeWorkFiles(job, request.project, folder, folder / "by-hand.mp4", request.resourceRoot);
    const auto arguments = MasteringExporter::arguments(job.plan, job.film, job.source, files);
    return timed([&] { LocalProcess::run(request.tools.ffmpeg, arguments); });
}

void metric(const char* name, double value, const char* unit) { std::printf("metric: %s %.3f %s\n", name, value, unit); }

struct Steps {
    double milliseconds = 0;            // every step around the encode
    double disclosureMilliseconds = 0;  // of which: writing the XMP packet and reading it back
};

// Every step of the export but the encode, timed on its own against the by-hand output.
Steps stepsAroundTheEncode(const DeliveryRequest& request, const MasteringExporter::EncodeJob& job,
                            const std::filesystem::path& output, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "package");
    std::filesystem::create_directories(folder / "work");
    const double fingerprint = bench::millisecondsOf([&] { FileFingerprint::sha256(job.film.path); });
    const double package = bench::millisecondsOf([&] {
        Exporter::reports(request.project, folder / "package", request.resourceRoot, request.safeZoneProfileIDs);
    });
    const double workFiles = bench::millisecondsOf([&] {
        MasteringExporter::writeWorkFiles(job, request.project, folder / "work", output, request.resourceRoot);
    });
    SourceProbe encoded;
    const double probe = bench::millisecondsOf([&] { encoded = SourceProbe::read(output, request.tools.ffprobe); });
    const double verification = bench::millisecondsOf(
        [&] { MasteringExporter::verifyOutput(job.plan, job.film, job.source, encoded); });
    const double disclosure = bench::millisecondsOf([&] {
        MasteringExporter::writeDisclosure(job, request.project, output);
        MasteringExporter::verifyDisclosure(job, request.project, output);
    });
    const double sideFiles = bench::millisecondsOf([&] {
        writeFileAtomically(folder / "side.encoding.json", DeliveryPresetJson::encode(job.plan.preset));
        writeFileAtomically(folder / "side.ffprobe.json", encoded.json);
        writeFileAtomically(folder / "side.encoder.log", std::string(8000, 'x'));
    });
    metric("delivery_step_source_fingerprint_ms", fingerprint, "ms");
    metric("delivery_step_review_package_ms", package, "ms");
    metric("delivery_step_label_pictures_and_graph_ms", workFiles, "ms");
    metric("delivery_step_output_probe_ms", probe, "ms");
    metric("delivery_step_verification_ms", verification, "ms");
    metric("delivery_step_disclosure_xmp_ms", disclosure, "ms");
    metric("delivery_step_side_files_ms", sideFiles, "ms");
    return {fingerprint + package + workFiles + probe + verification + disclosure + sideFiles, disclosure};
}

// How many exports run; each by-hand run before and after one. MARROWICK_BENCH_ROUNDS overrides.
int rounds() {
    const char* text = std::getenv("MARROWICK_BENCH_ROUNDS");
    const int chosen = text ? std::atoi(text) : 5;
    return std::clamp(chosen, 1, 20);
}

struct Round {
    Timed ours;
    double ownSeconds = 0;
    Timed checking;
};

Round ourExport(const DeliveryRequest& request, const std::filesystem::path& folder) {
    Round round;
    std::vector<MasteringExporter::EncodeJob> jobs;
    const double ownBefore = bench::processSeconds();
    round.ours = timed([&] {
        round.checking = timed([&] { jobs = DeliveryExport::check(request, {}); });
        DeliveryExport::write(request, jobs, folder, {}, {});
    });
    round.ownSeconds = bench::processSeconds() - ownBefore;
    std::filesystem::remove_all(folder);
    return round;
}

// Runs by hand and exports, alternating, and each export's ratios against its two neighbours.
struct Comparison {
    std::vector<Timed> byHand;
    std::vector<Round> ours;
    std::vector<double> wallRatios;
    std::vector<double> cpuRatios;
};

Comparison alternate(const DeliveryRequest& request, const MasteringExporter::EncodeJob& job,
                     const std::filesystem::path& folder) {
    Comparison runs;
    runs.byHand.push_back(byHand(request, job, folder / "by-hand-0"));
    for (int index = 1; index <= rounds(); ++index) {
        const Round& ours = runs.ours.emplace_back(ourExport(request, folder / ("ours-" + std::to_string(index))));
        runs.byHand.push_back(byHand(request, job, folder / ("by-hand-" + std::to_string(index))));
        const Timed& before = runs.byHand[runs.byHand.size() - 2];
        const Timed& after = runs.byHand.back();
        const double wall = ours.ours.milliseconds / ((before.milliseconds + after.milliseconds) / 2);
        const double cpu = (ours.ours.childSeconds + ours.ownSeconds) / ((before.childSeconds + after.childSeconds) / 2);
        std::printf("round %d: by hand %.0f ms, ours %.0f ms, by hand %.0f ms: wall %.3f x, cpu %.3f x\n", index,
                    before.milliseconds, ours.ours.milliseconds, after.milliseconds, wall, cpu);
        std::fflush(stdout);
        runs.wallRatios.push_back(wall);
        runs.cpuRatios.push_back(cpu);
    }
    return runs;
}

void report(const Comparison& runs, const Steps& aroundTheEncode) {
    const double checking = runs.ours.back().checking.milliseconds;
    metric("delivery_step_check_encoders_probe_plan_ms", checking, "ms");
    metric("delivery_steps_around_the_encode_ms", aroundTheEncode.milliseconds + checking, "ms");
    std::vector<double> byHand;
    for (const Timed& run : runs.byHand) byHand.push_back(run.milliseconds);
    metric("delivery_step_disclosure_xmp_share_of_encode_by_hand",
           aroundTheEncode.disclosureMilliseconds / bench::median(byHand), "x");
    metric("delivery_rounds", double(runs.ours.size()), "");
    // How far identical runs by hand lie apart: the noise the ratios below stand against.
    const auto [fastest, slowest] = std::minmax_element(
        runs.byHand.begin(), runs.byHand.end(), [](const Timed& a, const Timed& b) { return a.milliseconds < b.milliseconds; });
    metric("ffmpeg_by_hand_slowest_over_fastest", slowest->milliseconds / fastest->milliseconds, "x");
    metric("delivery_cpu_overhead_ratio_median", bench::median(runs.cpuRatios), "x");
    const auto [lowest, highest] = std::minmax_element(runs.wallRatios.begin(), runs.wallRatios.end());
    metric("delivery_overhead_ratio_min", *lowest, "x");
    metric("delivery_overhead_ratio_max", *highest, "x");
    metric("delivery_overhead_ratio_median", bench::median(runs.wallRatios), "x");
}

int run() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("marrowick-bench-" + Uuid::random().text());
    std::filesystem::create_directories(folder);
    const FFmpegTools tools = DeliveryExport::requireTools(MasteringExporter::tools(""));
    const std::filesystem::path resources = MARROWICK_RESOURCE_DIR;
    std::vector<DeliveryPreset> presets;
    for (const DeliveryPreset& preset : PresetCatalogue::bundled(resources))
        if (preset.key == "web_h264_1080p") presets.push_back(preset);
    const DeliveryRequest request{reviewedProject(makeFilm(tools, folder)), presets, Framing::pad, false, tools, resources,
                                  SafeZones::profileIDs(SafeZones::load(resources))};

    // The job planned once for the runs by hand; each export plans its own.
    const MasteringExporter::EncodeJob job = DeliveryExport::check(request, {}).front();
    const Comparison runs = alternate(request, job, folder);
    // The steps around the encode, timed against the last output by hand.
    const std::filesystem::path lastByHand = folder / ("by-hand-" + std::to_string(runs.ours.size()));
    const Steps around = stepsAroundTheEncode(request, job, lastByHand / "by-hand.mp4", folder / "steps");
    std::filesystem::remove_all(folder);
    report(runs, around);
    return 0;
}

}  // namespace
}  // namespace marrowick

int main() { return marrowick::run(); }
