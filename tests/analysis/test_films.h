// Paths of the generated test films (tools/make-test-films) and their ground truth.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace marrowick::testing {

inline std::filesystem::path testFilm(const std::string& name) {
    return std::filesystem::path(MARROWICK_TEST_FILMS_DIR) / name;
}

inline nlohmann::json groundTruth(const std::string& stem) {
    std::ifstream file(testFilm(stem + ".json"));
    return nlohmann::json::parse(file);
}

// A fresh empty folder under the system's temporary folder, removed with the object.
class TemporaryFolder {
public:
    TemporaryFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("marrowick-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace marrowick::testing
