// The delivery export end to end with the real FFmpeg on generated films (labelled slow).
#include "delivery/delivery_export.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "delivery/delivery_film_fixtures.h"
#include "delivery/delivery_names.h"
#include "delivery/local_process.h"
#include "delivery/mastering_graph.h"
#include "delivery/output_disclosure.h"
#include "disclosure/xmp_readback.h"
#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using namespace testing;
using ::testing::HasSubstr;

std::filesystem::path exportAll(const DeliveryRequest& request, const std::filesystem::path& destination,
                                const DeliveryProgress& progress = {}, std::stop_token stop = {}) {
    const auto jobs = DeliveryExport::check(request, stop);
    return DeliveryExport::write(request, jobs, destination, progress, stop);
}

std::string failureOf(const DeliveryRequest& request, const std::filesystem::path& destination) {
    return testing::raisedMessage([&] { exportAll(request, destination); });
}

std::vector<std::string> summaryLines(const std::filesystem::path& folder) {
    std::vector<std::string> lines;
    std::string text = readText(folder / DeliveryNames::kSummaryFileName);
    EXPECT_FALSE(text.ends_with("\n"));
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return lines;
        start = end + 1;
    }
}

const std::set<std::string> kPackage{"review.marrowick", "shot-review.csv", "disclosure-record.txt",
                                     "EU_modified_white.png", "EU_generated_white.png"};

std::set<std::string> withPackage(std::set<std::string> names) {
    names.insert(kPackage.begin(), kPackage.end());
    return names;
}

// The output and its three side files, and the disclosure sidecar of containers without XMP.
std::set<std::string> outputFiles(const std::string& stem, const std::string& container) {
    std::set<std::string> names{stem + "." + container, stem + ".encoding.json", stem + ".ffprobe.json",
                                stem + ".encoder.log"};
    if (container != "mp4" && container != "mov") names.insert(stem + "." + container + ".xmp");
    return names;
}

std::filesystem::path onlyEntry(const std::filesystem::path& folder) {
    const auto names = namesIn(folder);
    EXPECT_EQ(names.size(), 1u);
    return folder / *names.begin();
}

using DeliveryExportTest = EncodeScratchTest;

TEST_F(DeliveryExportTest, EveryCodecFamilyEncodesAndVerifies) {
    Project project;
    addReviewedFilm(project, copyFilm(scratch, "delivery-rec709.mov", "Spot A.mov"), {0.4},
                    {Disclosure::generated, Disclosure::modified});
    const std::vector<std::string> keys{"web_h264_1080p",      "hevc_10bit_archive",  "web_vp9_webm_1080p",
                                        "master:prores_422",   "master:prores_422hq", "master:prores_4444",
                                        "master:prores_4444xq", "xdcam_hd422_pal_tvc"};
    std::vector<std::pair<std::string, double>> reports;
    const std::filesystem::path folder =
        exportAll(requestFor(project, keys), out(),
                  [&](const std::string& activity, double fraction) { reports.emplace_back(activity, fraction); });
    EXPECT_EQ(folder.parent_path(), out());
    EXPECT_TRUE(folder.filename().string().starts_with("Marrowick-delivery-"));

    std::set<std::string> expected{DeliveryNames::kSummaryFileName};
    const char* stems[] = {"1-Spot_A_web",          "2-Spot_A_hevc10",       "3-Spot_A_web_vp9",
                           "4-Spot_A_prores_422",   "5-Spot_A_prores_422hq", "6-Spot_A_prores_4444",
                           "7-Spot_A_prores_4444xq", "8-Spot_A_xdcam"};
    const char* containers[] = {"mp4", "mp4", "webm", "mov", "mov", "mov", "mov", "mxf"};
    for (int index = 0; index < 8; ++index) expected.merge(outputFiles(stems[index], containers[index]));
    EXPECT_EQ(namesIn(folder), withPackage(expected));
    EXPECT_EQ(summaryLines(folder).size(), 8u);
    EXPECT_EQ(summaryLines(folder)[7],
              "8-Spot_A_xdcam.mxf \u2014 EU broadcast TV commercial (XDCAM HD422 1080i25) \u2014 1920x1080 \u2014 ");

    const auto xdcam = nlohmann::json::parse(readText(folder / "8-Spot_A_xdcam.ffprobe.json"));
    int monoTracks = 0;
    for (const auto& stream : xdcam["streams"])
        if (stream["codec_type"] == "audio" && stream["channels"] == 1) ++monoTracks;
    EXPECT_EQ(monoTracks, 2);
    for (int index = 0; index < 8; ++index) {
        const std::filesystem::path output = folder / (std::string(stems[index]) + "." + containers[index]);
        const std::filesystem::path sidecar = MasteringExporter::disclosureSidecar(output);
        EXPECT_EQ(std::filesystem::exists(sidecar) ? XmpPacket::read(readText(sidecar)) : exempiDisclosure(output),
                  generatedThenModified())
            << output;
    }
    EXPECT_EQ(exiftoolDisclosure(folder / "1-Spot_A_web.mp4"), generatedThenModified());
    EXPECT_EQ(exiftoolDisclosure(folder / "8-Spot_A_xdcam.mxf.xmp"), generatedThenModified());
    EXPECT_EQ(nlohmann::json::parse(readText(folder / "1-Spot_A_web.encoding.json"))["key"], "web_h264_1080p");
    EXPECT_FALSE(readText(folder / "2-Spot_A_hevc10.encoder.log").empty());

    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front().first, "Web H.264 1080p (MP4) \u00b7 Spot A.mov");
    EXPECT_DOUBLE_EQ(reports.back().second, 1.0);
    for (std::size_t index = 1; index < reports.size(); ++index)
        EXPECT_GE(reports[index].second, reports[index - 1].second);
}

TEST_F(DeliveryExportTest, OutputsAreNumberedFilmByFilm) {
    Project project;
    addReviewedFilm(project, copyFilm(scratch, "delivery-rec709.mov", "Trailer final.cut.mov"));
    addReviewedFilm(project, copyFilm(scratch, "delivery-untagged.mov", "b.mov"));
    DeliveryRequest request = requestFor(project, {"web_h264_1080p", "master:prores_422", "hevc_10bit_archive"});
    request.assumeRec709 = true;
    const std::filesystem::path folder = exportAll(request, out());
    const std::vector<std::string> lines = summaryLines(folder);
    ASSERT_EQ(lines.size(), 6u);
    const char* names[] = {"1-Trailer_final_cut_web.mp4", "2-Trailer_final_cut_prores_422.mov",
                           "3-Trailer_final_cut_hevc10.mp4", "4-b_web.mp4", "5-b_prores_422.mov", "6-b_hevc10.mp4"};
    for (int index = 0; index < 6; ++index) {
        EXPECT_TRUE(lines[index].starts_with(std::string(names[index]) + " \u2014 ")) << lines[index];
        EXPECT_TRUE(std::filesystem::exists(folder / names[index]));
    }
    EXPECT_THAT(lines[3], HasSubstr("160x90 \u2014 Untagged source colour is assumed SDR Rec.709"));
}

TEST_F(DeliveryExportTest, BlockedTargetsLeaveNoFilesAtAll) {
    Project project;
    addReviewedFilm(project, copyFilm(scratch, "delivery-rec709.mov", "a.mov"));
    addReviewedFilm(project, copyFilm(scratch, "delivery-hdr.mov", "hdr.mov"));
    EXPECT_EQ(failureOf(requestFor(project, {"web_h264_1080p"}), out()),
              "hdr.mov: HDR/linear media needs a colour-managed finish before this SDR exporter. It will not be "
              "silently relabelled or tone-mapped.");
    EXPECT_TRUE(namesIn(out()).empty());

    Project untagged;
    addReviewedFilm(untagged, copyFilm(scratch, "delivery-untagged.mov", "plain.mov"));
    EXPECT_EQ(failureOf(requestFor(untagged, {"web_h264_1080p"}), out()),
              "plain.mov has untagged colour. Confirm SDR Rec.709 in the export dialog, or tag/finish the source "
              "first.");

    const FFmpegTools withoutX265 =
        standInTools(scratch / "x265", "if [ \"$2\" = -encoders ]; then \"$REAL\" \"$@\" | grep -v libx265; exit 0; fi\n"
                              "exec \"$REAL\" \"$@\"");
    EXPECT_EQ(failureOf(requestFor(project, {"web_h264_1080p", "hevc_10bit_archive"}, withoutX265), out()),
              "Local FFmpeg lacks encoder libx265. Choose a full build that includes it.");
    const FFmpegTools withoutOpus = standInTools(scratch / "opus", "\"$REAL\" \"$@\" | grep -v libopus");
    EXPECT_EQ(failureOf(requestFor(project, {"web_vp9_webm_1080p"}, withoutOpus), out()),
              "Local FFmpeg lacks audio encoder libopus.");
    EXPECT_TRUE(namesIn(out()).empty());
}

TEST_F(DeliveryExportTest, AacCarriesTheFirstSoundStreamAndPcmCarriesAll) {
    Project project;
    addReviewedFilm(project, copyFilm(scratch, "delivery-three-sounds.mov", "three.mov"));
    const std::filesystem::path folder = exportAll(requestFor(project, {"web_h264_1080p", "master:prores_422"}), out());
    const auto audioStreams = [&](const std::string& report) {
        const auto probe = nlohmann::json::parse(readText(folder / report));
        int count = 0;
        for (const auto& stream : probe["streams"]) count += stream["codec_type"] == "audio";
        return count;
    };
    EXPECT_EQ(audioStreams("1-three_web.ffprobe.json"), 1);
    EXPECT_EQ(audioStreams("2-three_prores_422.ffprobe.json"), 3);
}

TEST_F(DeliveryExportTest, DurationToleranceDecidesWhetherTheOutputStays) {
    Project near;
    addReviewedFilm(near, copyFilm(scratch, "delivery-rec709.mov", "near.mov", 1.1));
    const std::filesystem::path kept = exportAll(requestFor(near, {"master:prores_422"}), out());
    EXPECT_TRUE(std::filesystem::exists(kept / "1-near_prores_422.mov"));

    Project far;
    addReviewedFilm(far, copyFilm(scratch, "delivery-rec709.mov", "far.mov", 1.2));
    std::filesystem::create_directories(scratch / "far");
    EXPECT_EQ(failureOf(requestFor(far, {"master:prores_422"}), scratch / "far"),
              "Encoded duration differs from source.");
    EXPECT_EQ(namesIn(onlyEntry(scratch / "far")), kPackage);
}

TEST_F(DeliveryExportTest, CancelDuringTheThirdJobKeepsTheFirstTwo) {
    Project project;
    addReviewedFilm(project, copyFilm(scratch, "delivery-rec709.mov", "c.mov"));
    std::stop_source stop;
    const DeliveryRequest request = requestFor(project, {"master:prores_422", "master:prores_422hq", "web_h264_1080p"});
    const auto jobs = DeliveryExport::check(request, stop.get_token());
    const auto cancelInThirdJob = [&](const std::string& activity, double) {
        if (activity.starts_with("Web H.264")) stop.request_stop();
    };
    EXPECT_THROW(DeliveryExport::write(request, jobs, out(), cancelInThirdJob, stop.get_token()), Cancelled);
    std::set<std::string> expected = outputFiles("1-c_prores_422", "mov");
    expected.merge(outputFiles("2-c_prores_422hq", "mov"));
    EXPECT_EQ(namesIn(onlyEntry(out())), withPackage(expected));
}

TEST_F(DeliveryExportTest, FailingEncodesLeaveNoPartialOutput) {
    Project project;
    addReviewedFilm(project, copyFilm(scratch, "delivery-rec709.mov", "a.mov"));
    const auto failing = [&](const std::string& folder, const std::string& script,
                             const std::string& key = "master:prores_422") {
        std::filesystem::create_directories(scratch / folder);
        const FFmpegTools tools = standInTools(scratch / (folder + "-bin"), script);
        const std::string message = failureOf(requestFor(project, {key}, tools), scratch / folder);
        EXPECT_EQ(namesIn(onlyEntry(scratch / folder)), kPackage);
        return message;
    };
    const char* encodersOrRun = "if [ \"$2\" = -encoders ]; then exec \"$REAL\" \"$@\"; fi\n";
    EXPECT_EQ(failing("exits", std::string(encodersOrRun) + "out=\"\"; for a; do out=\"$a\"; done\n"
                                                            ": > \"$out\"; echo 'Conversion failed!' >&2; exit 1"),
              "ffmpeg failed (1):\nConversion failed!\n");
    EXPECT_THAT(failing("killed", std::string(encodersOrRun) + "out=\"\"; for a; do out=\"$a\"; done\n"
                                                             ": > \"$out\"; kill -9 $$"),
                HasSubstr("ffmpeg failed ("));
    // An output that fails verification goes, and its disclosure sidecar with it.
    EXPECT_EQ(failing("unverified",
                      std::string(encodersOrRun) + "out=\"\"; for a; do out=\"$a\"; done\ncp '" +
                          testFilm("delivery-rec709.mov").string() + "' \"$out\"",
                      "web_vp9_webm_1080p"),
              "Encoded codec/pixel format does not match the preset.");
}

TEST_F(DeliveryExportTest, AFailureLaterOnKeepsVerifiedOutputs) {
    Project project;
    addReviewedFilm(project, copyFilm(scratch, "delivery-rec709.mov", "first.mov"));
    const Film second = copyFilm(scratch, "delivery-rec709.mov", "second.mov");
    addReviewedFilm(project, second);
    const DeliveryRequest request = requestFor(project, {"master:prores_422"});
    const auto jobs = DeliveryExport::check(request, {});
    std::filesystem::remove(second.path);
    EXPECT_THROW(DeliveryExport::write(request, jobs, out(), {}, {}), ReviewError);
    EXPECT_EQ(namesIn(onlyEntry(out())), withPackage(outputFiles("1-first_prores_422", "mov")));

    writeText(scratch / "file", "not a folder");
    EXPECT_THROW(exportAll(request, scratch / "file" / "deliveries"), ReviewError);
}

// Decodes every frame of a film as 8-bit RGB.
std::string framesOf(const std::filesystem::path& film) {
    return LocalProcess::run(realTools().ffmpeg,
                             {"-v", "error", "-i", film.string(), "-f", "rawvideo", "-pix_fmt", "rgb24", "-"})
        .data;
}

// The smallest rectangle holding every pixel that differs from the flat grey by more than noise.
LabelRect changedArea(const std::string& frames, std::size_t frame, int width, int height) {
    int left = width, top = height, right = -1, bottom = -1;
    const std::size_t frameBytes = static_cast<std::size_t>(width) * height * 3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = frame * frameBytes + (static_cast<std::size_t>(y) * width + x) * 3;
            if (std::abs(static_cast<unsigned char>(frames[at + 1]) - 128) <= 24) continue;
            left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
        }
    if (right < 0) return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

bool inside(const LabelRect& area, const LabelRect& rect) {
    return area.x >= rect.x - 1 && area.y >= rect.y - 1 && area.x + area.width <= rect.x + rect.width + 1 &&
           area.y + area.height <= rect.y + rect.height + 1;
}

TEST_F(DeliveryExportTest, LabelsShowOnExactlyTheDecidedFramesAtTheLayoutRectangle) {
    Project project;
    project.corner = "Top left";
    project.labelWidth = 0.3;
    addReviewedFilm(project, copyFilm(scratch, "delivery-grey.mov", "grey.mov", 2.0), {0.6, 1.2, 1.6},
                    {Disclosure::none, Disclosure::generated, Disclosure::modified, Disclosure::none});
    const std::filesystem::path folder = exportAll(requestFor(project, {"master:prores_422hq"}), out());
    const std::string frames = framesOf(folder / "1-grey_prores_422hq.mov");
    ASSERT_EQ(frames.size(), 50u * 160 * 90 * 3);

    const EncodePlan plan = planFor(cataloguePreset("master:prores_422hq"), 160, 90);
    const LabelRect generated = MasteringExporter::labelRect(plan, project, Disclosure::generated, resourceRoot());
    const LabelRect modified = MasteringExporter::labelRect(plan, project, Disclosure::modified, resourceRoot());
    for (std::size_t frame = 0; frame < 50; ++frame) {
        SCOPED_TRACE(frame);
        const LabelRect area = changedArea(frames, frame, 160, 90);
        if (frame < 15 || frame >= 40) {
            EXPECT_EQ(area.width, 0);
            continue;
        }
        const LabelRect& rect = frame < 30 ? generated : modified;
        EXPECT_TRUE(inside(area, rect));
        EXPECT_GT(area.width * area.height * 2, rect.width * rect.height);
    }
    EXPECT_EQ(frames.substr(15 * 43200, 43200), frames.substr(29 * 43200, 43200));
    EXPECT_NE(frames.substr(29 * 43200, 43200), frames.substr(30 * 43200, 43200));
}

}  // namespace
}  // namespace marrowick
