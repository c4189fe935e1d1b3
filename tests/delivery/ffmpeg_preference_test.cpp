// Reading the stored FFmpeg path from the desktop program's settings text.
#include "delivery/ffmpeg_preference.h"

#include <gtest/gtest.h>

namespace marrowick {
namespace {

std::string general(const std::string& value) { return "[General]\nlocalModel=q\nffmpegPath=" + value + "\n"; }

TEST(FFmpegPreferenceTest, QuotedRunsAndEscapesAreUndone) {
    EXPECT_EQ(FFmpegPreference::parse(general("/opt/ffmpeg 7/bin/ffmpeg")), "/opt/ffmpeg 7/bin/ffmpeg");
    EXPECT_EQ(FFmpegPreference::parse(general("\"/opt/a, b/ffmpeg\"")), "/opt/a, b/ffmpeg");
    EXPECT_EQ(FFmpegPreference::parse(general("\" /lead/ffmpeg \"")), " /lead/ffmpeg ");
    EXPECT_EQ(FFmpegPreference::parse(general("/q\\\"\\\\x/ffmpeg")), "/q\"\\x/ffmpeg");
    EXPECT_EQ(FFmpegPreference::parse(general("/t\\tab\\x1f\\x41/ffmpeg")), "/t\tab\x1f" "A/ffmpeg");
    EXPECT_EQ(FFmpegPreference::parse(general("/\\x101/\\101/ffmpeg")), "/\xC4\x81/A/ffmpeg");
    EXPECT_EQ(FFmpegPreference::parse(general("/caf\xC3\xA9/ffmpeg")), "/caf\xC3\xA9/ffmpeg");
    EXPECT_EQ(FFmpegPreference::parse(general("@@home/ffmpeg")), "@home/ffmpeg");
}

TEST(FFmpegPreferenceTest, OnlyOneTextOfTheGeneralSectionCounts) {
    EXPECT_EQ(FFmpegPreference::parse("ffmpegPath=/top/ffmpeg\r\n[Other]\nffmpegPath=/other/ffmpeg\r\n"), "/top/ffmpeg");
    EXPECT_EQ(FFmpegPreference::parse("\xEF\xBB\xBF[General]\n  ffmpegPath = /spaced/ffmpeg  \n"), "/spaced/ffmpeg");
    EXPECT_EQ(FFmpegPreference::parse("[General]\nffmpegPathX=/no\nffmpeg=/no\n"), "");
    EXPECT_EQ(FFmpegPreference::parse(general("/a,/b")), "");               // a list
    EXPECT_EQ(FFmpegPreference::parse(general("@ByteArray(/x/ffmpeg)")), "");  // not a text
    EXPECT_EQ(FFmpegPreference::parse(general("/trailing\\")), "/trailing");
    EXPECT_EQ(FFmpegPreference::parse(general("/\\xzz/\\x110000/ffmpeg")), "/zz//ffmpeg");
    EXPECT_EQ(FFmpegPreference::parse(""), "");
}

}  // namespace
}  // namespace marrowick
