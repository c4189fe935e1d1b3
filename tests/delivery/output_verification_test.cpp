#include "delivery/output_verification.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "delivery/encode_fixtures.h"
#include "model/review_error.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using namespace testing;
using nlohmann::json;

// An FFprobe report of a good 1920x1080 25 fps H.264 output of the web preset with one AAC stream.
json goodReport() {
    return json{{"streams",
                 json::array({{{"index", 0},
                               {"codec_type", "video"},
                               {"codec_name", "h264"},
                               {"profile", "High"},
                               {"width", 1920},
                               {"height", 1080},
                               {"pix_fmt", "yuv420p"},
                               {"avg_frame_rate", "25/1"},
                               {"color_range", "tv"},
                               {"color_space", "bt709"},
                               {"color_transfer", "bt709"},
                               {"color_primaries", "bt709"}},
                              {{"index", 1},
                               {"codec_type", "audio"},
                               {"codec_name", "aac"},
                               {"sample_rate", "48000"},
                               {"channels", 2}}})},
                {"format", {{"duration", "10.000000"}}}};
}

json& video(json& report) { return report["streams"][0]; }
json& audio(json& report) { return report["streams"][1]; }

// The failure message of verifying `report` against the plan, or "" when it passes.
std::string verdict(const json& report, const EncodePlan& plan, const SourceProbe& source = probeTagged("bt709"),
                    double duration = 10) {
    return testing::raisedMessage([&] {
        MasteringExporter::verifyOutput(plan, filmAt("/f.mov", duration), source, SourceProbe::parse(report.dump()));
    });
}

std::string verdict(const json& report) { return verdict(report, planFor(cataloguePreset("web_h264_1080p"))); }

TEST(OutputVerification, PicturesThatDoNotMatchThePlan) {
    EXPECT_EQ(verdict(goodReport()), "");
    json report = goodReport();
    video(report)["width"] = 1918;
    EXPECT_EQ(verdict(report), "Encoded raster does not match the preset.");
    report = goodReport();
    video(report)["height"] = "1080";
    EXPECT_EQ(verdict(report), "Encoded raster does not match the preset.");
    report = goodReport();
    video(report)["codec_name"] = "hevc";
    EXPECT_EQ(verdict(report), "Encoded codec/pixel format does not match the preset.");
    report = goodReport();
    video(report)["pix_fmt"] = "yuv420p10le";
    EXPECT_EQ(verdict(report), "Encoded codec/pixel format does not match the preset.");
    report = goodReport();
    video(report)["color_primaries"] = "smpte170m";
    EXPECT_EQ(verdict(report), "Encoded colour signalling does not match the export plan.");
}

TEST(OutputVerification, ChecksRunInOrderAndTheFirstFailureCounts) {
    json report = goodReport();
    video(report)["width"] = 640;
    video(report)["codec_name"] = "vp9";
    audio(report)["codec_name"] = "mp3";
    EXPECT_EQ(verdict(report), "Encoded raster does not match the preset.");
    report = goodReport();
    report["streams"].erase(0);  // an audio-only output cannot be verified at all
    EXPECT_EQ(verdict(report), "No FFmpeg-readable video stream.");
}

TEST(OutputVerification, ProResProfilesAndTheTwelveBitAlphaReport) {
    const std::pair<const char*, const char*> profiles[] = {{"master:prores_422", "Standard"},
                                                            {"master:prores_422hq", "HQ"},
                                                            {"master:prores_4444", "4444"},
                                                            {"master:prores_4444xq", "XQ"}};
    for (const auto& [key, profile] : profiles) {
        SCOPED_TRACE(key);
        const EncodePlan plan = planFor(cataloguePreset(key));
        json report = goodReport();
        video(report)["codec_name"] = "prores";
        video(report)["profile"] = profile;
        video(report)["pix_fmt"] = *plan.preset.encoding.pixelFormat;
        audio(report)["codec_name"] = "pcm_s24le";
        EXPECT_EQ(verdict(report, plan), "");
        video(report)["pix_fmt"] = "yuva444p12le";
        EXPECT_EQ(verdict(report, plan), std::string(key).find("4444") != std::string::npos
                                             ? ""
                                             : "Encoded codec/pixel format does not match the preset.");
        video(report)["pix_fmt"] = *plan.preset.encoding.pixelFormat;
        video(report)["profile"] = std::string(profile) == "HQ" ? "Standard" : "HQ";
        EXPECT_EQ(verdict(report, plan), "Encoded ProRes profile does not match the preset.");
    }
}

TEST(OutputVerification, FrameRateWithinTwoHundredthsWhenThePlanConverts) {
    EncodePlan plan = planFor(cataloguePreset("web_h264_1080p"));
    json report = goodReport();
    video(report)["avg_frame_rate"] = "30000/1001";
    EXPECT_EQ(verdict(report, plan), "");  // the source rate is kept: nothing to compare
    plan.fps = 29.97;
    EXPECT_EQ(verdict(report, plan), "");
    plan.fps = 30;
    EXPECT_EQ(verdict(report, plan), "Encoded frame rate does not match the preset.");
    for (const char* unreadable : {"0/0", "30", "x/1", "30/-1"}) {
        video(report)["avg_frame_rate"] = unreadable;
        EXPECT_EQ(verdict(report, plan), "") << unreadable;
    }
}

TEST(OutputVerification, DurationWithinFifteenHundredths) {
    const EncodePlan plan = planFor(cataloguePreset("web_h264_1080p"));
    json report = goodReport();
    EXPECT_EQ(verdict(report, plan, probeTagged("bt709"), 10.1), "");
    EXPECT_EQ(verdict(report, plan, probeTagged("bt709"), 9.9), "");
    EXPECT_EQ(verdict(report, plan, probeTagged("bt709"), 10.2), "Encoded duration differs from source.");
    report["format"]["duration"] = "N/A";
    EXPECT_EQ(verdict(report, plan, probeTagged("bt709"), 10.2), "");
    report["format"].erase("duration");
    EXPECT_EQ(verdict(report, plan, probeTagged("bt709"), 10.2), "");
}

TEST(OutputVerification, AudioIsKeptAndMatchesThePreset) {
    json report = goodReport();
    report["streams"].erase(1);
    EXPECT_EQ(verdict(report), "Encoded output lost source audio.");
    SourceProbe silent = probeTagged("bt709");
    silent.audio.clear();
    EXPECT_EQ(verdict(report, planFor(cataloguePreset("web_h264_1080p")), silent), "");

    report = goodReport();
    audio(report)["codec_name"] = "mp3";
    EXPECT_EQ(verdict(report), "Encoded audio codec differs from the preset.");
    report = goodReport();
    audio(report)["sample_rate"] = "44100";
    EXPECT_EQ(verdict(report), "Encoded audio sample rate differs from the preset.");
    report = goodReport();
    audio(report)["channels"] = 6;
    EXPECT_EQ(verdict(report), "Encoded audio channel mapping differs from the preset.");

    DeliveryPreset copy = cataloguePreset("web_h264_1080p");
    copy.encoding.audio.codec = "copy";
    EXPECT_EQ(verdict(report, planFor(copy)), "");
}

TEST(OutputVerification, XdcamNeedsTwoMonoTracks) {
    const EncodePlan plan = planFor(cataloguePreset("xdcam_hd422_pal_tvc"));
    json report = goodReport();
    video(report)["codec_name"] = "mpeg2video";
    video(report)["pix_fmt"] = "yuv422p";
    audio(report) = {{"codec_type", "audio"}, {"codec_name", "pcm_s24le"}, {"sample_rate", "48000"}, {"channels", 1}};
    report["streams"].push_back(audio(report));
    EXPECT_EQ(verdict(report, plan), "");
    report["streams"][2]["channels"] = 2;
    EXPECT_EQ(verdict(report, plan), "XDCAM dual-mono audio verification failed.");
    report["streams"].erase(2);
    EXPECT_EQ(verdict(report, plan), "XDCAM dual-mono audio verification failed.");
}

TEST(OutputVerification, FFprobeCodecNames) {
    EXPECT_EQ(MasteringExporter::eCodec("prores_4444xq"), "prores");
    EXPECT_EQ(MasteringExporter::eCodec("vp9"), "vp9");
    EXPECT_EQ(MasteringExporter::eCodec("hevc"), "hevc");
    EXPECT_EQ(MasteringExporter::eCodec("mpeg2video"), "mpeg2video");
    EXPECT_EQ(MasteringExporter::eCodec("av1"), "mpeg2video");
}

}  // namespace
}  // namespace marrowick
