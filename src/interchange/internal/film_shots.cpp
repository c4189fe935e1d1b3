// Ordering a film's shots and counting their frames for the timeline writers.
#include "interchange/internal/film_shots.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace marrowick::FilmShots {

std::vector<const Shot*> inOrder(const Project& project, const Film& film) {
    std::vector<const Shot*> shots;
    for (const Shot& shot : project.shots)
        if (shot.filmID == film.id) shots.push_back(&shot);
    std::sort(shots.begin(), shots.end(), [](const Shot* a, const Shot* b) { return a->start < b->start; });
    return shots;
}

std::string fileName(const Film& film) { return std::filesystem::path(film.path).filename().string(); }

std::int64_t frames(double seconds, double frameRate) { return std::llround(seconds * frameRate); }

std::string_view markerColour(Disclosure disclosure) {
    switch (disclosure) {
        case Disclosure::unreviewed: return "WHITE";
        case Disclosure::none: return "GREEN";
        case Disclosure::modified: return "ORANGE";
        case Disclosure::generated: return "PURPLE";
    }
    return "WHITE";
}

}  // namespace marrowick::FilmShots
