// Film names, frame counts and marker colours for the timeline writers.
#include "interchange/internal/film_shots.h"

#include <cmath>
#include <filesystem>

namespace marrowick::FilmShots {

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
