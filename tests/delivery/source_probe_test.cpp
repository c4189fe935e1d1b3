// Source probing: FFprobe's reports of generated films, and hostile or odd reports.
#include "delivery/source_probe.h"

#include <gtest/gtest.h>

#include "delivery/ffmpeg_tools.h"
#include "delivery/local_process.h"
#include "delivery/preset_fixtures.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::ScratchFolder;

std::string parseFailure(const std::string& report) {
    return testing::raisedMessage([&] { SourceProbe::parse(report); });
}

// A report with one video stream carrying `video` members, after `before` streams.
std::string report(const std::string& video, const std::string& before = "") {
    return R"({"streams": [)" + before + R"({"codec_type": "video")" + video + R"(}], "format": {}})";
}

TEST(SourceProbeParse, ReadsTheFirstVideoStreamAndEveryAudioStreamInOrder) {
    const std::string text = report(
        R"(, "color_transfer": "smpte2084", "color_primaries": "bt2020", "color_space": "bt2020nc",
            "color_range": "tv", "pix_fmt": "yuv420p10le", "tags": {"timecode": "10:00:00;00", "title": "x"})",
        R"({"codec_type": "audio", "codec_name": "aac", "channels": 2, "sample_rate": "48000"},
           {"codec_type": "audio", "codec_name": "pcm_s24le", "channels": 6},)");
    const SourceProbe probe = SourceProbe::parse(text);
    EXPECT_EQ(probe.audio, (std::vector<SourceProbe::Audio>{{"aac", 2, 48000}, {"pcm_s24le", 6, 0}}));
    EXPECT_EQ(probe.transfer, "smpte2084");
    EXPECT_EQ(probe.primaries, "bt2020");
    EXPECT_EQ(probe.matrix, "bt2020nc");
    EXPECT_EQ(probe.range, "tv");
    EXPECT_EQ(probe.pixelFormat, "yuv420p10le");
    EXPECT_EQ(probe.timecode, "10:00:00;00");
    EXPECT_EQ(probe.json, text);
}

TEST(SourceProbeParse, MissingOrMistypedMembersFallBackInsteadOfFailing) {
    const SourceProbe bare = SourceProbe::parse(report(""));
    EXPECT_EQ(bare.transfer, "unknown");
    EXPECT_EQ(bare.primaries, "unknown");
    EXPECT_EQ(bare.matrix, "unknown");
    EXPECT_EQ(bare.range, "unknown");
    EXPECT_EQ(bare.pixelFormat, "");
    EXPECT_FALSE(bare.timecode);

    const SourceProbe odd = SourceProbe::parse(report(
        R"(, "color_transfer": null, "color_primaries": 1, "pix_fmt": ["yuv420p"], "tags": {"timecode": "01:00:00:00", "n": 1})",
        R"({"codec_type": "audio", "codec_name": 7, "channels": "2", "sample_rate": 48000},
           {"codec_type": "audio", "channels": 2.5, "sample_rate": "48k"},
           {"codec_type": "audio", "channels": 18446744073709551615, "sample_rate": "99999999999999999999"},
           {"codec_type": "audio", "sample_rate": "+44100"}, {"codec_type": "audio", "sample_rate": "+-1"},
           {"codec_type": "audio", "sample_rate": "-8000"}, {"codec_type": "audio", "sample_rate": " 48000"},)"));
    EXPECT_EQ(odd.transfer, "unknown");
    EXPECT_EQ(odd.primaries, "unknown");
    EXPECT_EQ(odd.pixelFormat, "");
    EXPECT_FALSE(odd.timecode);  // the tags are not all strings
    EXPECT_EQ(odd.audio, (std::vector<SourceProbe::Audio>{
                             {"", 0, 0}, {"", 0, 0}, {"", 0, 0}, {"", 0, 44100}, {"", 0, 0}, {"", 0, -8000}, {"", 0, 0}}));
}

TEST(SourceProbeParse, OnlyTheVideoStreamsOwnTimecodeCounts) {
    const std::string dataStream = R"({"codec_type": "data", "tags": {"timecode": "01:00:00:00"}},)";
    EXPECT_FALSE(SourceProbe::parse(report("", dataStream)).timecode);
    const std::string text = R"({"streams": [{"codec_type": "video"}, {"codec_type": "video", "tags": {"timecode": "02:00:00:00"}}],
                                 "format": {"tags": {"timecode": "03:00:00:00"}}})";
    EXPECT_FALSE(SourceProbe::parse(text).timecode);
}

TEST(SourceProbeParse, ReportsWithoutAUsableVideoStreamAreRefused) {
    const std::string noVideo = "No FFmpeg-readable video stream.";
    for (const char* text : {"{}", "[]", "null", R"({"streams": {}})", R"({"streams": [{"codec_type": "audio"}]})",
                             R"({"streams": [{"codec_type": "VIDEO"}]})", R"({"streams": [{"codec_type": ["video"]}]})",
                             // one stream that is not an object spoils the whole list
                             R"({"streams": [1, {"codec_type": "video"}]})"})
        EXPECT_EQ(parseFailure(text), noVideo) << text;
}

TEST(SourceProbeParse, TextThatIsNotJsonFailsWithTheParsersDescription) {
    for (const std::string& text : {std::string(""), std::string("Invalid data found when processing input"),
                                   std::string(R"({"streams": [)"), std::string(100'000, '[')}) {
        const std::string message = parseFailure(text);
        EXPECT_TRUE(message.starts_with("FFprobe's report could not be read: ")) << message;
        EXPECT_TRUE(message.ends_with(".")) << message;
    }
}

// Films made with the local FFmpeg, probed with the local FFprobe.
class SourceProbeRead : public ::testing::Test {
protected:
    void SetUp() override {
        found = MasteringExporter::tools("");
        if (!found) GTEST_SKIP() << "no ffmpeg and ffprobe on this computer";
    }

    std::filesystem::path film(const std::string& name, const std::vector<std::string>& recipe) {
        std::vector<std::string> arguments{"-nostdin", "-loglevel", "error", "-y"};
        arguments.insert(arguments.end(), recipe.begin(), recipe.end());
        arguments.push_back((folder / name).string());
        LocalProcess::run(found->ffmpeg, arguments);
        return folder / name;
    }

    std::optional<FFmpegTools> found;
    ScratchFolder folder;
};

TEST_F(SourceProbeRead, AFilmWhoseVideoFollowsItsAudio) {
    const std::filesystem::path mov =
        film("tagged.mov", {"-f", "lavfi", "-i", "sine=d=0.2:sample_rate=44100", "-f", "lavfi", "-i",
                            "testsrc2=s=64x36:r=25:d=0.2", "-map", "0:a", "-map", "1:v", "-c:a", "aac", "-ac", "2",
                            "-c:v", "libx264", "-pix_fmt", "yuv420p", "-color_primaries", "bt709", "-color_trc",
                            "smpte170m", "-colorspace", "bt470bg", "-timecode", "01:00:00:00"});
    const SourceProbe probe = SourceProbe::read(mov, found->ffprobe);
    EXPECT_EQ(probe.audio, (std::vector<SourceProbe::Audio>{{"aac", 2, 44100}}));
    EXPECT_EQ(probe.primaries, "bt709");
    EXPECT_EQ(probe.transfer, "smpte170m");
    EXPECT_EQ(probe.matrix, "bt470bg");
    EXPECT_EQ(probe.pixelFormat, "yuv420p");
    EXPECT_EQ(probe.timecode, "01:00:00:00");
    EXPECT_EQ(SourceProbe::parse(probe.json), probe);
}

TEST_F(SourceProbeRead, AnUntaggedSilentFilm) {
    const SourceProbe probe = SourceProbe::read(
        film("plain.mp4", {"-f", "lavfi", "-i", "testsrc2=s=64x36:r=25:d=0.2", "-c:v", "libx264", "-pix_fmt", "yuv444p"}),
        found->ffprobe);
    EXPECT_TRUE(probe.audio.empty());
    EXPECT_EQ(probe.transfer, "unknown");
    EXPECT_EQ(probe.primaries, "unknown");
    EXPECT_EQ(probe.pixelFormat, "yuv444p");
    EXPECT_FALSE(probe.timecode);
}

TEST_F(SourceProbeRead, AudioOnlyAndUnreadableFilesAreRefused) {
    const std::filesystem::path audio = film("tone.m4a", {"-f", "lavfi", "-i", "sine=d=0.2", "-c:a", "aac"});
    EXPECT_EQ(testing::raisedMessage([&] { SourceProbe::read(audio, found->ffprobe); }), "No FFmpeg-readable video stream.");

    testing::writeText(folder / "notes.mov", "not a film");
    const std::string message = testing::raisedMessage([&] { SourceProbe::read(folder / "notes.mov", found->ffprobe); });
    EXPECT_TRUE(message.starts_with("ffprobe failed (1):\n")) << message;
    EXPECT_NE(message.find("Invalid data found"), std::string::npos) << message;
}

}  // namespace
}  // namespace marrowick
