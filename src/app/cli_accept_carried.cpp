// marrowick-cli accept-carried PROJECT [--film NAME]: makes every carried earlier decision (of the
// named film only, when given) the shot's decision, for pipelines where a person already approved
// the earlier review; prints each shot it changed.
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <vector>

#include "app/cli_command.h"
#include "model/atomic_file.h"
#include "model/carried_decisions.h"
#include "model/clock_string.h"
#include "model/film_name.h"
#include "model/project_json.h"
#include "model/review_error.h"

namespace marrowick::cli {

namespace {

// The shots with suggestions, of the films so named when there is a name; throws when no film has it.
std::vector<Uuid> suggestedShots(const Project& project, const std::optional<std::string>& filmName) {
    std::set<Uuid> films;
    for (const Film& film : project.films)
        if (!filmName || isNamed(film, *filmName)) films.insert(film.id);
    if (filmName && films.empty()) throw ReviewError("No film named " + *filmName + " in the project.");
    std::vector<Uuid> result;
    for (const Shot& shot : project.shots)
        if (shot.carriedFrom && shot.disclosure == Disclosure::unreviewed && films.contains(shot.filmID))
            result.push_back(shot.id);
    return result;
}

// "later.mov 00:00:01.000–00:00:02.000: generated, from earlier.mov 00:00:03.000–00:00:04.000"
std::string changeLine(const Project& project, const Shot& shot, const CarriedDecision& carried) {
    const Film* film = project.film(shot.filmID);
    const std::string name = film ? fileName(*film) : "?";
    return name + " " + clockString(shot.start) + "–" + clockString(shot.end) + ": " +
           std::string(disclosureString(carried.disclosure)) + ", from " + carriedRange(project, carried);
}

}  // namespace

int runAcceptCarried(std::span<const std::string> arguments) {
    const bool filmGiven = arguments.size() == 3 && arguments[1] == "--film";
    if (arguments.size() != 1 && !filmGiven) {
        std::cerr << "Usage: marrowick-cli accept-carried PROJECT [--film NAME]\n";
        return 64;
    }
    const std::filesystem::path file = arguments[0];
    Project project = ProjectJson::readFile(file);
    project.validated();
    const std::vector<Uuid> shots = suggestedShots(project, filmGiven ? std::optional(arguments[2]) : std::nullopt);
    std::vector<std::string> lines;
    for (const Uuid& id : shots) {
        const Shot& shot = project.shots[*project.shotIndex(id)];
        lines.push_back(changeLine(project, shot, *shot.carriedFrom));
    }
    if (project.acceptCarried(shots) > 0) writeFileAtomically(file, ProjectJson::encode(project.validated()));
    for (const std::string& line : lines) std::cout << line << "\n";
    std::cout << "Accepted " << shots.size() << (shots.size() == 1 ? " earlier decision." : " earlier decisions.")
              << std::endl;
    return 0;
}

}  // namespace marrowick::cli
