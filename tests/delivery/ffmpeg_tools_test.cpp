// Finding FFmpeg: the candidate order and what makes a complete pair.
#include "delivery/ffmpeg_tools.h"

#include <gtest/gtest.h>

#include "delivery/preset_fixtures.h"

namespace marrowick {
namespace {

using testing::ScratchFolder;
using Paths = std::vector<std::filesystem::path>;

void executable(const std::filesystem::path& file, bool runnable = true) {
    std::filesystem::create_directories(file.parent_path());
    testing::writeText(file, "#!/bin/sh\n");
    std::filesystem::permissions(file, runnable ? std::filesystem::perms::owner_all : std::filesystem::perms::owner_read);
}

TEST(FFmpegTools, CandidatesFollowThePreferenceThenTheUsualPlacesThenThePath) {
    EXPECT_EQ(MasteringExporter::toolCandidates("/opt/ff/ffmpeg", "/a/bin::relative:/b/"),
              (Paths{"/opt/ff/ffmpeg", "/usr/local/bin/ffmpeg", "/usr/bin/ffmpeg", "/a/bin/ffmpeg", "/b/ffmpeg"}));
    EXPECT_EQ(MasteringExporter::toolCandidates("", ""), (Paths{"/usr/local/bin/ffmpeg", "/usr/bin/ffmpeg"}));
}

TEST(FFmpegTools, APairNeedsBothExecutablesInOneFolder) {
    ScratchFolder folder;
    const std::filesystem::path complete = folder / "complete";
    executable(complete / "ffmpeg");
    executable(complete / "ffprobe");
    executable(folder / "lonely" / "ffmpeg");
    executable(folder / "locked" / "ffmpeg");
    executable(folder / "locked" / "ffprobe", false);
    std::filesystem::create_directories(folder / "folders" / "ffmpeg");
    executable(folder / "folders" / "ffprobe");

    EXPECT_EQ(MasteringExporter::toolsAt(complete / "ffmpeg"), (FFmpegTools{complete / "ffmpeg", complete / "ffprobe"}));
    EXPECT_FALSE(MasteringExporter::toolsAt(folder / "lonely" / "ffmpeg"));
    EXPECT_FALSE(MasteringExporter::toolsAt(folder / "locked" / "ffmpeg"));
    EXPECT_FALSE(MasteringExporter::toolsAt(folder / "folders" / "ffmpeg"));
    EXPECT_FALSE(MasteringExporter::toolsAt(folder / "missing" / "ffmpeg"));

    // The first complete pair wins; incomplete ones before it are passed over.
    const Paths candidates{folder / "lonely" / "ffmpeg", folder / "locked" / "ffmpeg", complete / "ffmpeg",
                           "/usr/bin/ffmpeg"};
    EXPECT_EQ(MasteringExporter::tools(candidates), (FFmpegTools{complete / "ffmpeg", complete / "ffprobe"}));
    EXPECT_FALSE(MasteringExporter::tools(Paths{folder / "lonely" / "ffmpeg"}));
}

}  // namespace
}  // namespace marrowick
