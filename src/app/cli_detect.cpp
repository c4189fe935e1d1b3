// marrowick-cli detect VIDEO [--threshold T] [--json]: shot detection of one film.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "analysis/shot_detector.h"
#include "app/cli_command.h"
#include "model/decimal_text.h"
#include "model/project_json.h"
#include "model/resource_root.h"

namespace marrowick::cli {

namespace {

struct DetectOptions {
    std::string video;
    double threshold = 0.5;
    bool json = false;
};

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
    ShotDetector detector(resourceRoot(runningExecutable()));
    DecodeNotes notes;
    const auto [film, shots] = detector.detect(options->video, options->threshold, {}, {}, {}, &notes);
    if (const std::string damage = notes.text(); !damage.empty())
        std::cerr << std::filesystem::path(options->video).filename().string() << ": " << damage << "\n";
    if (options->json) {
        std::cout << detectionJson(film, shots) << "\n";
        return 0;
    }
    for (const Shot& shot : shots)
        std::cout << shortestText(shot.start) << '\t' << shortestText(shot.end) << '\t'
                  << shortestText(shot.boundaryScore) << '\n';
    return 0;
}

}  // namespace marrowick::cli
