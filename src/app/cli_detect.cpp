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

nlohmann::json filmJson(const Film& film) {
    nlohmann::json json = {{"id", film.id.text()}, {"path", film.path},     {"duration", film.duration},
                           {"fps", film.fps},      {"width", film.width},   {"height", film.height},
                           {"detector", film.detector}};
    if (film.frameTimes) json["frameTimes"] = *film.frameTimes;
    if (film.sourceSHA256) json["sourceSHA256"] = *film.sourceSHA256;
    return json;
}

nlohmann::json shotJson(const Shot& shot) {
    return {{"id", shot.id.text()},       {"filmID", shot.filmID.text()}, {"start", shot.start},
            {"end", shot.end},             {"boundaryScore", shot.boundaryScore}, {"disclosure", "unreviewed"},
            {"note", shot.note},           {"category", shot.category},  {"group", shot.group},
            {"assistantNote", shot.assistantNote}};
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
            nlohmann::json list = nlohmann::json::array();
            for (const Shot& shot : shots) list.push_back(shotJson(shot));
            std::cout << nlohmann::json{{"film", filmJson(film)}, {"shots", list}}.dump() << "\n";
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
