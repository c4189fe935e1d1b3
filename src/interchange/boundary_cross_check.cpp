// Comparing the cut starts of two tilings of one film.
#include "interchange/boundary_cross_check.h"

#include <algorithm>
#include <cmath>

#include "interchange/internal/film_time_text.h"

namespace marrowick::BoundaryCrossCheck {

namespace {

constexpr double kToleranceFrames = 2;

std::vector<double> startsOf(const std::vector<Shot>& shots) {
    std::vector<double> starts;
    for (const Shot& shot : shots)
        if (shot.start > 0) starts.push_back(shot.start);
    std::sort(starts.begin(), starts.end());
    return starts;
}

bool near(const std::vector<double>& starts, double time, double tolerance) {
    const auto it = std::lower_bound(starts.begin(), starts.end(), time - tolerance);
    return it != starts.end() && *it <= time + tolerance;
}

void addNote(Shot& shot, const std::string& text) {
    shot.note += (shot.note.empty() ? "" : "\n") + std::string(kNotePrefix) + text;
    shot.boundaryScore = std::min(shot.boundaryScore, kDisagreementScore);
}

}  // namespace

void annotate(std::vector<Shot>& listed, const std::vector<Shot>& detected, const Film& film, TimeDisplay display) {
    const double tolerance = kToleranceFrames / film.fps;
    const std::vector<double> detectedStarts = startsOf(detected);
    const std::vector<double> listedStarts = startsOf(listed);
    for (Shot& shot : listed) {
        if (shot.start > 0 && !near(detectedStarts, shot.start, tolerance))
            addNote(shot, "detection finds no cut where this shot starts.");
        const auto first = std::upper_bound(detectedStarts.begin(), detectedStarts.end(), shot.start);
        for (auto it = first; it != detectedStarts.end() && *it < shot.end; ++it)
            if (!near(listedStarts, *it, tolerance))
                addNote(shot, "detection finds a cut at " + FilmTimeText::at(film, *it, display) +
                                  " that the cut list does not have.");
    }
}

}  // namespace marrowick::BoundaryCrossCheck
