// Delivery export of a 60 s 1080p25 film to the web H.264 target (probing, planning, label
// pictures, encode, verification, side files) against FFmpeg run by hand with the identical
// argument list, in the same run. Prints the overhead ratio.
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_timing.h"
#include "delivery/delivery_export.h"
#include "delivery/local_process.h"
#include "delivery/mastering_encode.h"
#include "delivery/preset_catalogue.h"
#include "disclosure/safe_zones.h"
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

// FFmpeg by hand: the label pictures and graph written beforehand, then the same arguments.
double byHand(const DeliveryRequest& request, const MasteringExporter::EncodeJob& job,
              const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    const MasteringExporter::EncodeFiles files =
        MasteringExporter::writeWorkFiles(job, request.project, folder, folder / "by-hand.mp4", request.resourceRoot);
    const auto arguments = MasteringExporter::arguments(job.plan, job.film, job.source, files);
    return bench::millisecondsOf([&] { LocalProcess::run(request.tools.ffmpeg, arguments); });
}

int run() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("marrowick-bench-" + Uuid::random().text());
    std::filesystem::create_directories(folder);
    const FFmpegTools tools = DeliveryExport::requireTools(MasteringExporter::tools(""));
    const std::filesystem::path resources = MARROWICK_RESOURCE_DIR;
    std::vector<DeliveryPreset> presets;
    for (const DeliveryPreset& preset : PresetCatalogue::bundled(resources))
        if (preset.key == "web_h264_1080p") presets.push_back(preset);
    const DeliveryRequest request{reviewedProject(makeFilm(tools, folder)), presets, "pad", false, tools, resources,
                                  SafeZones::profileIDs(SafeZones::load(resources))};

    std::vector<MasteringExporter::EncodeJob> jobs;
    const double ours = bench::millisecondsOf([&] {
        jobs = DeliveryExport::check(request, {});
        DeliveryExport::write(request, jobs, folder / "ours", {}, {});
    });
    const double baseline = byHand(request, jobs.front(), folder / "by-hand");
    std::filesystem::remove_all(folder);

    std::printf("metric: delivery_web_h264_1080p_60s_ms %.0f ms\n", ours);
    std::printf("metric: ffmpeg_by_hand_web_h264_1080p_60s_ms %.0f ms\n", baseline);
    std::printf("metric: delivery_overhead_ratio %.3f x\n", ours / baseline);
    return 0;
}

}  // namespace
}  // namespace marrowick

int main() { return marrowick::run(); }
