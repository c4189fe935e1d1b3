// marrowick-cli signoff PROJECT --film NAME --reviewer NAME [--role ROLE]: signs one film of a
// project file off, as the window's "Sign off film" does.
#include <filesystem>
#include <iostream>
#include <string>

#include "analysis/file_fingerprint.h"
#include "app/cli_command.h"
#include "app/cli_reviewer_options.h"
#include "disclosure/sign_off.h"
#include "model/atomic_file.h"
#include "model/film_name.h"
#include "model/project_json.h"
#include "model/review_error.h"

namespace marrowick::cli {
namespace {

constexpr const char* kSignOffUsage = "Usage: marrowick-cli signoff PROJECT --film NAME --reviewer NAME [--role ROLE]\n";

struct SignOffRequest {
    std::string project;
    std::string film;
    Reviewer reviewer;
};

std::optional<SignOffRequest> signOffRequestOf(std::span<const std::string> arguments) {
    const std::optional<ReviewerOptions> options = parseReviewerOptions(arguments);
    if (!options || !options->reviewer || options->rest.size() != 3 || options->rest[1] != "--film") return std::nullopt;
    return SignOffRequest{options->rest[0], options->rest[2], *options->reviewer};
}

// The film named by its file name, its full path or its ID; a file name two films share is refused.
const Film& filmNamed(const Project& project, const std::string& name) {
    const Film* found = nullptr;
    for (const Film& film : project.films) {
        if (!isNamed(film, name)) continue;
        if (found) throw ReviewError("Several films are named \"" + name + "\"; give the film's full path.");
        found = &film;
    }
    if (!found) throw ReviewError("The review has no film named \"" + name + "\".");
    return *found;
}

}  // namespace

int runSignOff(std::span<const std::string> arguments) {
    const std::optional<SignOffRequest> request = signOffRequestOf(arguments);
    if (!request) {
        std::cerr << kSignOffUsage;
        return 64;
    }
    Project project = ProjectJson::readFile(request->project);
    project.validated();
    const Film& film = filmNamed(project, request->film);
    const Uuid filmID = film.id;
    const std::string fingerprint = film.sourceSHA256.value_or(std::string());
    SignOff::sign(project, filmID, request->reviewer, fingerprint.empty() ? FileFingerprint::sha256(film.path) : fingerprint);
    writeFileAtomically(request->project, ProjectJson::encode(project));
    std::cout << "Signed off " << fileName(*project.film(filmID)) << ".\n";
    return 0;
}

}  // namespace marrowick::cli
