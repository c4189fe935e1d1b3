// The stand-in for a code signature: ownership and write protection of the server program and
// its folder.
#include "assistant/executable_trust.h"

#include <sys/stat.h>

#include <fstream>

#include <gtest/gtest.h>

#include "model/uuid.h"

namespace marrowick {
namespace {

class ExecutableTrustTest : public ::testing::Test {
protected:
    ExecutableTrustTest() {
        std::filesystem::create_directories(folder);
        chmod(folder.c_str(), 0755);
        std::ofstream(program) << "#!/bin/sh\n";
        chmod(program.c_str(), 0755);
    }
    ~ExecutableTrustTest() override { std::filesystem::remove_all(root); }

    std::filesystem::path root = std::filesystem::temp_directory_path() / ("marrowick-trust-" + Uuid::random().text());
    std::filesystem::path folder = root / "Helpers";
    std::filesystem::path program = folder / "llama-server";
};

TEST_F(ExecutableTrustTest, AProtectedExecutableInAProtectedFolderIsTrusted) {
    EXPECT_TRUE(ExecutableTrust::trusted(program));
    EXPECT_TRUE(ExecutableTrust::trusted("/bin/sh"));  // owned by root, through a link on merged-/usr systems
}

TEST_F(ExecutableTrustTest, WritableOrNonExecutableFilesAndFoldersAreNot) {
    for (const mode_t mode : {0775, 0757, 0644}) {
        chmod(program.c_str(), mode);
        EXPECT_FALSE(ExecutableTrust::trusted(program)) << std::oct << mode;
    }
    chmod(program.c_str(), 0755);
    chmod(folder.c_str(), 0775);
    EXPECT_FALSE(ExecutableTrust::trusted(program));
    chmod(folder.c_str(), 0755);
    EXPECT_FALSE(ExecutableTrust::trusted(folder));
    EXPECT_FALSE(ExecutableTrust::trusted(folder / "missing"));
}

TEST_F(ExecutableTrustTest, ALinkNeedsAProtectedFolderOfItsOwn) {
    const std::filesystem::path open = root / "open";
    std::filesystem::create_directories(open);
    std::filesystem::create_symlink(program, open / "llama-server");
    chmod(open.c_str(), 0755);
    EXPECT_TRUE(ExecutableTrust::trusted(open / "llama-server"));
    chmod(open.c_str(), 0777);
    EXPECT_FALSE(ExecutableTrust::trusted(open / "llama-server"));
}

}  // namespace
}  // namespace marrowick
