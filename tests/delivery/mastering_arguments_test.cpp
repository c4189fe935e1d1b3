#include "delivery/mastering_arguments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "delivery/dc_precision_option.h"
#include "delivery/encode_fixtures.h"
#include "delivery/ffmpeg_tools.h"
#include "delivery/local_process.h"

namespace marrowick {
namespace {

using namespace testing;
using ::testing::ElementsAreArray;
using Arguments = std::vector<std::string>;

const MasteringExporter::EncodeFiles kFiles{"/work/overlay.ffgraph", "/work/generated.png", "/work/modified.png",
                                            "/out/1-a_web.mp4"};

Arguments argumentsOf(const DeliveryPreset& preset, const SourceProbe& source = probeTagged("bt709"),
                      double duration = 12.5) {
    return MasteringExporter::arguments(planFor(preset), filmAt("/films/a.mov", duration), source, kFiles);
}

// The arguments following the first occurrence of `flag`, or nothing when it is absent.
std::optional<std::string> after(const Arguments& arguments, const std::string& flag) {
    const auto found = std::find(arguments.begin(), arguments.end(), flag);
    if (found == arguments.end() || found + 1 == arguments.end()) return std::nullopt;
    return *(found + 1);
}

long countOf(const Arguments& arguments, const std::string& value) {
    return std::count(arguments.begin(), arguments.end(), value);
}

TEST(MasteringArguments, WholeVectorForTheWebH264Target) {
    const Arguments expected{
        "-hide_banner", "-nostdin", "-n", "-filter_complex_threads", "2", "-threads", "2",
        "-i", "/films/a.mov",
        "-loop", "1", "-framerate", "25", "-i", "/work/generated.png",
        "-loop", "1", "-framerate", "25", "-i", "/work/modified.png",
        "-filter_complex_script", "/work/overlay.ffgraph", "-map", "[outv]",
        "-map", "0:a:0?",
        "-sn", "-dn", "-c:v", "libx264", "-threads", "2", "-pix_fmt:v", "yuv420p",
        "-preset", "slow",
        "-profile:v", "high",
        "-crf", "20.0",
        "-color_primaries:v", "bt709", "-color_trc:v", "bt709", "-colorspace:v", "bt709", "-color_range:v", "tv",
        "-c:a", "aac", "-ar:a", "48000", "-ac:a", "2", "-b:a", "160k",
        "-movflags", "+faststart",
        "-map_metadata", "0",
        "-t", "12.5", "-progress", "pipe:1", "-nostats", "/out/1-a_web.mp4"};
    EXPECT_THAT(argumentsOf(cataloguePreset("web_h264_1080p")), ElementsAreArray(expected));
}

TEST(MasteringArguments, XdcamSplitsStereoAndLocksTheRecipe) {
    const DeliveryPreset xdcam = cataloguePreset("xdcam_hd422_pal_tvc");
    const Arguments arguments = argumentsOf(xdcam);
    const auto map = std::find(arguments.begin(), arguments.end(), "[outv]");
    ASSERT_NE(map, arguments.end());
    EXPECT_THAT(Arguments(map + 1, map + 9), ElementsAreArray(Arguments{"-map", "0:a:0", "-map", "0:a:0", "-filter:a:0",
                                                                        "pan=mono|c0=c0", "-filter:a:1",
                                                                        "pan=mono|c0=c1"}));
    EXPECT_EQ(after(arguments, "-c:v"), "mpeg2video");
    EXPECT_EQ(after(arguments, "-x264-params"), std::nullopt);  // CBR filler is for H.264 only
    EXPECT_EQ(after(arguments, "-b:v"), "50000k");
    EXPECT_EQ(after(arguments, "-bufsize:v"), "17825792");
    EXPECT_EQ(after(arguments, "-c:a"), "pcm_s24le");
    EXPECT_EQ(after(arguments, "-ac:a"), "1");

    const auto block = std::find(arguments.begin(), arguments.end(), "-level:v");
    ASSERT_EQ(arguments.end() - block, 46 + 6);
    EXPECT_EQ(*(block + 32), "-intra_matrix:v");
    EXPECT_TRUE((block + 33)->starts_with("8,16,19,22,26,27,29,34,16,16,"));
    EXPECT_TRUE((block + 33)->ends_with(",46,56,69,83"));
    std::string flat = "16";
    for (int i = 1; i < 64; ++i) flat += ",16";
    EXPECT_EQ(*(block + 35), flat);
    EXPECT_THAT(Arguments(block + 36, block + 47),
                ElementsAreArray(Arguments{"-map_metadata", "-1", "-map_chapters", "-1", "-metadata",
                                           "timecode=00:00:00:00", "-signal_standard", "smpte274m", "-f", "mxf",
                                           "-t"}));
    EXPECT_EQ(countOf(arguments, "-map_metadata"), 1);

    DeliveryPreset broken = xdcam;
    broken.encoding.advancedRecipe = JSONValue(JSONValue::Object{{"video", JSONValue(JSONValue::Object{})}});
    EXPECT_EQ(after(argumentsOf(broken), "-intra_matrix:v"), "");
}

TEST(MasteringArguments, XdcamTakesTheDcPrecisionOptionTheInstalledFFmpegNames) {
    const std::pair<std::string, std::string> helps[] = {
        // FFmpeg 5.1: the encoder lists no such option; the generic "-dc" sets it.
        {"Encoder mpeg2video [MPEG-2 video]:\n  -intra_vlc          <boolean>    E..V....... Use MPEG-2 intra VLC table.\n",
         "-dc"},
        // Later builds: the encoder's own option.
        {"mpeg2video AVOptions:\n  -intra_dc_precision <int>        E..V....... Precision of the Intra DC coefficient - 8 "
         "(from 0 to 3) (default 0)\n",
         "-intra_dc_precision"},
    };
    const DeliveryPreset xdcam = cataloguePreset("xdcam_hd422_pal_tvc");
    for (const auto& [help, option] : helps) {
        EXPECT_EQ(MasteringExporter::dcPrecisionOptionIn(help), option);
        const Arguments arguments = MasteringExporter::arguments(planFor(xdcam), filmAt("/films/a.mov", 12.5),
                                                                 probeTagged("bt709"), kFiles, option);
        EXPECT_EQ(after(arguments, option + ":v"), "1") << option;
        EXPECT_EQ(countOf(arguments, "-dc:v") + countOf(arguments, "-intra_dc_precision:v"), 1) << option;
    }

    // The installed FFmpeg, asked as an encode asks it, accepts the option it is given.
    const std::optional<FFmpegTools> tools = MasteringExporter::tools(std::string());
    if (!tools) GTEST_SKIP() << "no FFmpeg installed";
    const std::string option = MasteringExporter::dcPrecisionOption(tools->ffmpeg);
    EXPECT_EQ(option, MasteringExporter::dcPrecisionOptionIn(
                          LocalProcess::run(tools->ffmpeg, {"-hide_banner", "-h", "encoder=mpeg2video"}).data));
    EXPECT_NO_THROW(LocalProcess::run(tools->ffmpeg, {"-hide_banner", "-nostdin", "-f", "lavfi", "-i",
                                                      "testsrc=d=0.08:s=64x48:r=25", "-c:v", "mpeg2video", option + ":v",
                                                      "1", "-f", "null", "-"}));
}

TEST(MasteringArguments, RateControlBlocks) {
    DeliveryPreset preset = cataloguePreset("web_h264_1080p");
    preset.encoding.rateControl.crf = 18;
    Arguments arguments = argumentsOf(preset);
    EXPECT_EQ(after(arguments, "-crf"), "18.0");
    EXPECT_EQ(countOf(arguments, "-b:v"), 0);

    preset.encoding.rateControl.bitrateKbps = 8000;
    preset.encoding.rateControl.bufsizeKbps = 20000;
    arguments = argumentsOf(preset);
    EXPECT_EQ(after(arguments, "-b:v"), "8000k");
    EXPECT_EQ(after(arguments, "-bufsize:v"), "20000k");

    preset.encoding.rateControl = Rate{RateMode::cbr, std::nullopt, 8000, 8000, 8000, std::nullopt, 36000000};
    arguments = argumentsOf(preset);
    EXPECT_EQ(after(arguments, "-x264-params"), "nal-hrd=cbr:filler=1");
    EXPECT_EQ(after(arguments, "-bufsize:v"), "36000000");
    EXPECT_EQ(after(arguments, "-minrate:v"), "8000k");
    EXPECT_EQ(countOf(arguments, "-crf"), 0);

    const Arguments vp9 = argumentsOf(cataloguePreset("web_vp9_webm_1080p"));
    const auto crf = std::find(vp9.begin(), vp9.end(), "-crf");
    ASSERT_NE(crf, vp9.end());
    EXPECT_THAT(Arguments(crf, crf + 6), ElementsAreArray(Arguments{"-crf", "31.0", "-b:v", "0", "-b:v", "1800k"}));
    EXPECT_EQ(after(vp9, "-deadline"), "good");
    EXPECT_EQ(after(vp9, "-row-mt"), "1");
    EXPECT_EQ(after(vp9, "-c:a"), "libopus");

    const Arguments hevc = argumentsOf(cataloguePreset("hevc_10bit_archive"));
    EXPECT_EQ(after(hevc, "-tag:v"), "hvc1");
    EXPECT_EQ(after(hevc, "-x265-params"), "pools=2:frame-threads=2");
    EXPECT_EQ(countOf(hevc, "-ac:a"), 0);
}

TEST(MasteringArguments, ProResMastersKeepSourceColourAllAudioAndTimecode) {
    SourceProbe source = probeTagged("smpte170m");
    source.timecode = "10:00:00;00";
    const Arguments master = argumentsOf(cataloguePreset("master:prores_4444"), source);
    EXPECT_EQ(after(master, "-vendor"), "apl0");
    EXPECT_EQ(after(master, "-color_primaries:v"), "smpte170m");
    EXPECT_EQ(after(master, "-colorspace:v"), "smpte170m");
    EXPECT_EQ(after(master, "-map"), "[outv]");
    EXPECT_EQ(countOf(master, "0:a?"), 1);
    EXPECT_EQ(after(master, "-timecode"), "10:00:00;00");

    source.timecode = "1:00:00:00";
    EXPECT_EQ(countOf(argumentsOf(cataloguePreset("master:prores_4444"), source), "-timecode"), 0);
    source.timecode = "10:00:00:00";
    const Arguments web = argumentsOf(cataloguePreset("web_h264_1080p"), source);
    EXPECT_EQ(countOf(web, "-timecode"), 0);  // MOV only
    EXPECT_EQ(after(web, "-color_primaries:v"), "bt709");
}

TEST(MasteringArguments, AudioCodecsMapAndEncodeAsTheyShould) {
    DeliveryPreset preset = cataloguePreset("web_h264_1080p");
    SourceProbe silent = probeTagged("bt709");
    silent.audio.clear();
    EXPECT_EQ(countOf(argumentsOf(preset, silent), "0:a:0?"), 1);

    preset.encoding.audio = Audio{"copy", 160, 2, 48000};
    Arguments arguments = argumentsOf(preset);
    EXPECT_EQ(countOf(arguments, "0:a?"), 1);
    EXPECT_EQ(after(arguments, "-c:a"), "copy");
    EXPECT_EQ(countOf(arguments, "-ar:a") + countOf(arguments, "-b:a"), 0);

    preset.encoding.audio = Audio{"none", std::nullopt, std::nullopt, std::nullopt};
    arguments = argumentsOf(preset);
    EXPECT_EQ(countOf(arguments, "-an"), 1);
    EXPECT_EQ(countOf(arguments, "-c:a"), 0);
    EXPECT_EQ(countOf(arguments, "-map"), 1);
}

TEST(MasteringArguments, DurationIsTheReviewedProgrammeLength) {
    const Arguments arguments = argumentsOf(cataloguePreset("web_h264_1080p"), probeTagged("bt709"), 12);
    EXPECT_EQ(after(arguments, "-t"), "12.0");
    EXPECT_EQ(arguments.back(), "/out/1-a_web.mp4");
}

}  // namespace
}  // namespace marrowick
