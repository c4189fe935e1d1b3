// The stored FFmpeg path reads back the same through the Qt-free reader the command line uses.
#include "workspace/preferences.h"

#include <gtest/gtest.h>

#include "delivery/ffmpeg_preference.h"

namespace marrowick {
namespace {

TEST(PreferencesTest, TheCommandLineReadsTheFFmpegPathTheWindowStored) {
    const char* paths[] = {"/usr/bin/ffmpeg",           " /lead and trail/ffmpeg ", "/a,b;c=d/ffmpeg",
                           "/q\"uote\\back/ffmpeg",     "@home/ffmpeg",             "/caf\xC3\xA9 \xE6\x97\xA5/ffmpeg",
                           "/tab\there/new\nline/ffmpeg", "/x\x01" "1/ffmpeg",     ""};
    for (const char* path : paths) {
        Preferences::setFfmpegPath(path);
        Preferences::setLocalModel("model, with comma");
        EXPECT_EQ(FFmpegPreference::read(), path);
    }
    Preferences::setFfmpegPath("");
    Preferences::setLocalModel("");
}

}  // namespace
}  // namespace marrowick
