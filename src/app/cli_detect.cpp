// marrowick-cli detect VIDEO [--threshold T] [--json]: shot detection of one film.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "analysis/shot_detector.h"
#include "app/cli_command.h"
#include "model/decimal_text.h"
#include "model/project_json.h"
#include "model/review_error.h"

namespace marrowick::cli {

namespace {

struct DetectOptions {
    std::string video;
    double threshold = 0.5;
    bool json = false;
};

// The resource root: $MARROWICK_RESOURCES, the installed share folder, or the source tree's copy.
std::filesystem::path resourceRoot() {
    if (const char* root = std::getenv("MARROWICK_RESOURCES"); root && *root) return root;
    std::error_code error;
    const std::filesystem::path installed =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path().parent_path() / "share" / "marrowick";
    if (!error && std::filesystem::is_directory(installed, error)) return installed;
    return MARROWICK_RESOURCE_DIR;
}

std::optional<double> parseThreshold(const std::string& text) {
    try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used != text.size() || !(value >= 0.0 && value <= 1.0)) return std::nullopt;
        return value;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<DetectOptions> parseOptions(std::span<const std::string> arguments) {
    DetectOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--threshold" && i + 1 < arguments.size()) {
            const std::optional<double> threshold = parseThreshold(arguments[++i]);
            if (!threshold) return std::nullopt;
            options.threshold = *threshold;
        } else if (argument.starts_with("--") || !options.video.empty()) {
            return std::nullopt;
        } else {
            options.video = argument;
        }
    }
    if (options.video.empty()) return std::nullopt;
    return options;
}

// {"film": ..., "shots": [...]} in the project file's JSON form, through the project codec.
std::string detectionJson(const Film& film, const std::vector<Shot>& shots) {
    Project project;
    project.films.push_back(film);
    project.shots = SharedVector<Shot>(shots);
    const nlohmann::json encoded = nlohmann::json::parse(ProjectJson::encode(project));
    return nlohmann::json{{"film", encoded["films"][0]}, {"shots", encoded["shots"]}}.dump();
}

}  // namespace

int runDetect(std::span<const std::string> arguments) {
    const std::optional<DetectOptions> options = parseOptions(arguments);
    if (!options) {
        std::cerr << "Usage: marrowick-cli detect VIDEO [--threshold T] [--json]\n";
        return 64;
    }
    try {
        ShotDetector detector(resourceRoot());
        const auto [film, shots] = detector.detect(options->video, options->threshold, {});
        if (options->json) {
            std::cout << detectionJson(film, shots) << "\n";
            return 0;
        }
        for (const Shot& shot : shots)
            std::cout << shortestText(shot.start) << '\t' << shortestText(shot.end) << '\t'
                      << shortestText(shot.boundaryScore) << '\n';
        return 0;
    } catch (const ReviewError& error) {
        std::cerr << error.message() << "\n";
        return 1;
    }
}

}  // namespace marrowick::cli
