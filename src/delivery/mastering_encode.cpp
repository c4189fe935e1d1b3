// The encode of one job: source check, work folder, label pictures, graph, FFmpeg, disclosure
// packet, verification and side files.
#include "delivery/mastering_encode.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <system_error>

#include "analysis/file_fingerprint.h"
#include "delivery/dc_precision_option.h"
#include "delivery/delivery_preset_json.h"
#include "delivery/local_process.h"
#include "delivery/mastering_graph.h"
#include "delivery/output_disclosure.h"
#include "delivery/output_verification.h"
#include "disclosure/label_assets.h"
#include "disclosure/png_codec.h"
#include "model/atomic_file.h"
#include "model/review_error.h"
#include "model/uuid.h"

namespace marrowick::MasteringExporter {
namespace {

constexpr std::string_view kProgressKey = "out_time_us=";
constexpr double kLastProgressBeforeVerification = 0.99;

// A folder removed with everything in it when the scope ends.
class WorkFolder {
public:
    WorkFolder() : path_(std::filesystem::temp_directory_path() / ("marrowick-encode-" + Uuid::random().text())) {
        std::error_code error;
        if (!std::filesystem::create_directory(path_, error)) throw ReviewError::about(path_, error.message());
    }
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Removes the output and its side files unless the encode completed; a file that existed before
// the encode is never this encode's to remove.
class OutputGuard {
public:
    explicit OutputGuard(std::filesystem::path output) : output_(std::move(output)) {
        std::error_code error;
        owned_ = !std::filesystem::exists(output_, error);
    }
    ~OutputGuard() {
        if (committed_ || !owned_) return;
        std::error_code ignored;
        for (const char* extension : {"encoding.json", "ffprobe.json", "encoder.log"})
            std::filesystem::remove(sideFile(output_, extension), ignored);
        std::filesystem::remove(disclosureSidecar(output_), ignored);
        std::filesystem::remove(output_, ignored);
    }
    OutputGuard(const OutputGuard&) = delete;
    OutputGuard& operator=(const OutputGuard&) = delete;

    void commit() { committed_ = true; }

private:
    std::filesystem::path output_;
    bool owned_ = false;
    bool committed_ = false;
};

void requireReviewed(const std::vector<Shot>& shots) {
    for (const Shot& shot : shots)
        if (shot.disclosure == Disclosure::unreviewed) throw ReviewError("Review every shot before video export.");
}

void requireUnchangedSource(const Film& film, const std::stop_token& stop) {
    if (!film.sourceSHA256) return;
    const std::filesystem::path path(film.path);
    if (FileFingerprint::sha256(path, stop) != *film.sourceSHA256)
        throw ReviewError("Source changed since review: " + path.filename().string());
}

void writeLabel(const EncodePlan& plan, const Project& project, Disclosure disclosure,
                const std::filesystem::path& resourceRoot, const std::filesystem::path& to) {
    const LabelRect rect = labelRect(plan, project, disclosure, resourceRoot);
    const RgbaImage picture =
        LabelAssets::overlay(resourceRoot, disclosure, rect, LabelAssets::styleOrWhite(project.labelStyle));
    const auto png = PngCodec::encodePng(picture);
    if (!png) throw ReviewError("Cannot render label alpha.");
    writeFileAtomically(to, *png);
}

// Progress from FFmpeg's "out_time_us=" lines, held below 1 until the output is verified.
LocalProcess::LineHandler progressLines(double duration, const ProgressHandler& progress) {
    return [duration, &progress](const std::string& line) {
        if (!progress || !line.starts_with(kProgressKey)) return;
        const std::string_view rest = std::string_view(line).substr(kProgressKey.size());
        double microseconds = 0;
        const auto parsed = std::from_chars(rest.data(), rest.data() + rest.size(), microseconds);
        if (parsed.ec != std::errc{} || !(duration > 0)) return;
        progress(std::clamp(microseconds / 1'000'000.0 / duration, 0.0, kLastProgressBeforeVerification));
    };
}

}  // namespace

std::filesystem::path sideFile(const std::filesystem::path& output, const char* extension) {
    std::filesystem::path side = output;
    return side.replace_extension(extension);
}

EncodeFiles writeWorkFiles(const EncodeJob& job, const Project& project, const std::filesystem::path& folder,
                           const std::filesystem::path& output, const std::filesystem::path& resourceRoot) {
    const EncodeFiles files{folder / "overlay.ffgraph", folder / "generated.png", folder / "modified.png", output};
    writeLabel(job.plan, project, Disclosure::generated, resourceRoot, files.generated);
    writeLabel(job.plan, project, Disclosure::modified, resourceRoot, files.modified);
    writeFileAtomically(files.graph, graph(job.plan, job.shots, project, &job.source, resourceRoot));
    return files;
}

void encode(const EncodeJob& job, const Project& project, const FFmpegTools& tools, const std::filesystem::path& to,
            const ProgressHandler& progress, std::stop_token stop, const std::filesystem::path& resourceRoot) {
    requireReviewed(job.shots);
    requireUnchangedSource(job.film, stop);
    const WorkFolder work;
    const EncodeFiles files = writeWorkFiles(job, project, work.path(), to, resourceRoot);

    OutputGuard output(to);
    const ProcessOutput run = LocalProcess::run(tools.ffmpeg, arguments(job.plan, job.film, job.source, files, dcPrecisionOption(tools.ffmpeg)),
                                                progressLines(job.film.duration, progress), stop);
    writeDisclosure(job, project, to);
    const SourceProbe encoded = SourceProbe::read(to, tools.ffprobe, stop);
    verifyOutput(job.plan, job.film, job.source, encoded);
    verifyDisclosure(job, project, to);
    writeFileAtomically(sideFile(to, "encoding.json"), DeliveryPresetJson::encode(job.plan.preset));
    writeFileAtomically(sideFile(to, "ffprobe.json"), encoded.json);
    writeFileAtomically(sideFile(to, "encoder.log"), run.log);
    output.commit();
    if (progress) progress(1.0);
}

}  // namespace marrowick::MasteringExporter
