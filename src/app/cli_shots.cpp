// marrowick-cli shots PROJECT [--time timecode|frames|seconds] [--film NAME] [--json]: the review's
// shots in film order, one line each.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "app/cli_command.h"
#include "model/film_name.h"
#include "model/film_time.h"
#include "model/project.h"
#include "model/project_json.h"
#include "model/review_error.h"

namespace marrowick::cli {
namespace {

constexpr const char* kShotsUsage = "Usage: marrowick-cli shots PROJECT [--time timecode|frames|seconds] [--film NAME] [--json]\n";

struct Options {
    std::string project;
    TimeDisplay time = TimeDisplay::timecode;
    std::optional<std::string> film;
    bool json = false;
};

std::optional<Options> parse(std::span<const std::string> arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool valued = i + 1 < arguments.size();
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--time" && valued) {
            const std::optional<TimeDisplay> time = parseTimeDisplay(arguments[++i]);
            if (!time) return std::nullopt;
            options.time = *time;
        } else if (argument == "--film" && valued) {
            options.film = arguments[++i];
        } else if (argument.starts_with("--") || !options.project.empty()) {
            return std::nullopt;
        } else {
            options.project = argument;
        }
    }
    if (options.project.empty()) return std::nullopt;
    return options;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

// Tabs and line breaks inside a field would split the line; they read as spaces.
std::string field(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

nlohmann::json listing(const Project& project, const Options& options) {
    nlohmann::json shots = nlohmann::json::array();
    bool filmFound = !options.film;
    for (const Film& film : project.films) {
        if (options.film && !isNamed(film, *options.film)) continue;
        filmFound = true;
        for (const Shot* shot : project.shotsInOrder(film))
            shots.push_back({{"film", fileName(film)},
                             {"start", FilmTime::text(film, shot->start, options.time)},
                             {"end", FilmTime::text(film, shot->end, options.time)},
                             {"decision", std::string(disclosureString(shot->disclosure))},
                             {"group", shot->group},
                             {"note", firstLine(shot->note)}});
    }
    if (!filmFound) throw ReviewError("No film named " + *options.film + " in the project.");
    return shots;
}

void printLines(const nlohmann::json& shots) {
    for (const nlohmann::json& shot : shots)
        std::cout << field(shot["film"].get<std::string>()) << '\t' << shot["start"].get<std::string>() << '\t'
                  << shot["end"].get<std::string>() << '\t' << shot["decision"].get<std::string>() << '\t'
                  << shot["group"].get<std::int64_t>() << '\t' << field(shot["note"].get<std::string>()) << '\n';
}

}  // namespace

int runShots(std::span<const std::string> arguments) {
    const std::optional<Options> options = parse(arguments);
    if (!options) {
        std::cerr << kShotsUsage;
        return 64;
    }
    Project project = ProjectJson::readFile(options->project);
    project.validated();
    const nlohmann::json shots = listing(project, *options);
    if (options->json) std::cout << shots.dump(2) << '\n';
    else printLines(shots);
    return 0;
}

}  // namespace marrowick::cli
