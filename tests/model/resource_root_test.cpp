// The resource root: the environment first, then an installed share folder, then the source tree.
#include "model/resource_root.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace marrowick {
namespace {

class ResourceRootTest : public ::testing::Test {
protected:
    std::filesystem::path prefix = std::filesystem::temp_directory_path() /
                                   ("marrowick-root-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::string saved = std::getenv("MARROWICK_RESOURCES") ? std::getenv("MARROWICK_RESOURCES") : "";

    void SetUp() override { std::filesystem::create_directories(prefix / "bin"); }
    void TearDown() override {
        std::filesystem::remove_all(prefix);
        setenv("MARROWICK_RESOURCES", saved.c_str(), 1);
    }
};

TEST_F(ResourceRootTest, EnvironmentThenInstalledShareThenSourceTree) {
    const auto executable = prefix / "bin" / "marrowick";
    setenv("MARROWICK_RESOURCES", "/opt/resources", 1);
    EXPECT_EQ(resourceRoot(executable), "/opt/resources");

    setenv("MARROWICK_RESOURCES", "", 1);
    EXPECT_EQ(resourceRoot(executable), MARROWICK_RESOURCE_DIR) << "an empty setting counts as unset";

    std::filesystem::create_directories(prefix / "share" / "marrowick");
    EXPECT_EQ(resourceRoot(executable), prefix / "share" / "marrowick");
    EXPECT_EQ(resourceRoot({}), MARROWICK_RESOURCE_DIR);
}

}  // namespace
}  // namespace marrowick
