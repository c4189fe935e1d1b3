// SHA-256 fingerprints of files, across chunk boundaries, and their cancellation.
#include "analysis/file_fingerprint.h"

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "model/review_error.h"
#include "test_films.h"
#include "raised_message.h"

namespace marrowick {
namespace {

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(FileFingerprint, HashesEmptySmallAndMultiChunkFiles) {
    testing::TemporaryFolder folder;
    writeFile(folder.path() / "empty", "");
    EXPECT_EQ(FileFingerprint::sha256(folder.path() / "empty"),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    writeFile(folder.path() / "abc", "abc");
    EXPECT_EQ(FileFingerprint::sha256(folder.path() / "abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 2.5 MiB + 3 bytes: two whole chunks and a partial one.
    std::string pattern(2621443, '\0');
    for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<char>((i * 7 + 3) % 251);
    writeFile(folder.path() / "pattern", pattern);
    EXPECT_EQ(FileFingerprint::sha256(folder.path() / "pattern"),
              "cb83c59ddab3199404eb87a1f85e5ae7f07ed490c966cebc6e963440c69e8122");
}

TEST(FileFingerprint, FailsOnMissingFilesAndFoldersAndStopsOnRequest) {
    testing::TemporaryFolder folder;
    const auto failure = [](const std::filesystem::path& path) {
        return testing::raisedMessage([&] { FileFingerprint::sha256(path); });
    };
    EXPECT_EQ(failure(folder.path() / "missing"), "missing: No such file or directory");
    std::filesystem::create_directory(folder.path() / "clip.mp4");
    EXPECT_EQ(failure(folder.path() / "clip.mp4"), "clip.mp4: Is a directory");
    writeFile(folder.path() / "abc", "abc");
    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(FileFingerprint::sha256(folder.path() / "abc", stop.get_token()), Cancelled);
}

}  // namespace
}  // namespace marrowick
