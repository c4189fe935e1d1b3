#include "interchange/cut_list_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "disclosure/temporary_folder.h"
#include "interchange/cut_list_matchers.h"

namespace marrowick {

using testing::failureOf;

TEST(CutListFile, ChoosesTheReaderByExtension) {
    TemporaryFolder folder;
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(folder.path() / name) << text;
        return folder.path() / name;
    };
    EXPECT_EQ(CutListFile::read(write("a.EDL", "001  A  V  C  00:00:00:00 00:00:01:00 00:00:00:00 00:00:01:00\n"), 25)
                  .events.size(), 1u);
    EXPECT_EQ(failureOf([&] { CutListFile::read(write("a.otio", "<xmeml/>"), 25); }),
              "The cut list cannot be read: it is not an OpenTimelineIO timeline.");
    EXPECT_EQ(failureOf([&] { CutListFile::read(write("a.fcpxml", "{}"), 25); }),
              "The cut list cannot be read: it is not well-formed XML.");
    EXPECT_EQ(failureOf([&] { CutListFile::read(write("a.xml", "<fcpxml version=\"1.9\"/>"), 25); }),
              "The cut list cannot be read: it is not a Final Cut Pro XML document.");
    EXPECT_EQ(failureOf([&] { CutListFile::read(write("a.aaf", ""), 25); }),
              "Unsupported cut list: a.aaf. Use an EDL (.edl), OpenTimelineIO (.otio), FCPXML (.fcpxml) or Final Cut "
              "Pro 7 XML (.xml) file.");
    EXPECT_EQ(failureOf([&] { CutListFile::read(folder.path() / "missing.edl", 25); }),
              "The cut list missing.edl cannot be read.");
}

}  // namespace marrowick
