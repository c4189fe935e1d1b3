// Cut list checks and the tiling of a film by the list's record times.
#include "interchange/cut_list_mapping.h"

#include <algorithm>
#include <cmath>

#include "interchange/internal/film_time_text.h"
#include "interchange/internal/frame_rate_text.h"
#include "model/review_error.h"

namespace marrowick::CutListMapping {

namespace {

constexpr double kTolerance = 0.000001;
constexpr double kFrameRateTolerance = 0.01;
constexpr double kShortfallSeconds = 1.0;

bool picture(const CutEvent& event) { return event.kind != CutKind::transition; }

double originOf(const CutList& list) {
    if (list.origin) return *list.origin;
    const auto first = std::find_if(list.events.begin(), list.events.end(), picture);
    return first == list.events.end() ? 0 : first->recordIn;
}

[[noreturn]] void outOfOrder(double time, const Film& film, TimeDisplay display) {
    throw ReviewError("The cut list's events overlap or go backwards at " + FilmTimeText::at(film, time, display) +
                      ".");
}

// The end of the programme, measured from the origin; throws for events out of order.
double programmeEnd(const CutList& list, double origin, const Film& film, TimeDisplay display) {
    double end = 0;
    bool first = true;
    for (const CutEvent& event : list.events) {
        const double in = event.recordIn - origin, out = event.recordOut - origin;
        if (!std::isfinite(in) || !std::isfinite(out) || !(in < out)) outOfOrder(in, film, display);
        if (!picture(event)) continue;
        if (!first && in < end - kTolerance) outOfOrder(in, film, display);
        if (first && in < -kTolerance) outOfOrder(in, film, display);
        end = out;
        first = false;
    }
    return end;
}

void checkFrameRate(const CutList& list, double frameRate) {
    if (list.frameRate == 0 || std::abs(list.frameRate - frameRate) <= kFrameRateTolerance) return;
    const std::string listRate = list.frameRateText.empty() ? FrameRateText::of(list.frameRate) : list.frameRateText;
    throw ReviewError("The cut list's frame rate (" + listRate + ") does not match the film's (" +
                      FrameRateText::of(frameRate) + ").");
}

void checkLength(double programme, const Film& film, TimeDisplay display) {
    const auto length = [&](double seconds) { return FilmTimeText::length(film, seconds, display); };
    if (programme > film.duration + 1.0 / film.fps + kTolerance)
        throw ReviewError("The cut list runs " + length(programme) + ", longer than the film (" +
                          length(film.duration) + ").");
    if (programme < film.duration - kShortfallSeconds)
        throw ReviewError("The cut list runs " + length(programme) + ", more than a second shorter than the film (" +
                          length(film.duration) + ").");
}

Shot shotOf(const Film& film, double start, double end) {
    Shot shot;
    shot.id = Uuid::random();
    shot.filmID = film.id;
    shot.start = start;
    shot.end = end;
    shot.boundaryScore = 1.0;
    return shot;
}

}  // namespace

void check(const CutList& list, const Film& film, TimeDisplay display) {
    if (std::none_of(list.events.begin(), list.events.end(), [](const CutEvent& e) { return e.kind == CutKind::clip; }))
        throw ReviewError("The cut list has no video events.");
    checkFrameRate(list, film.fps);
    checkLength(programmeEnd(list, originOf(list), film, display), film, display);
}

std::vector<Shot> shots(const CutList& list, const Film& film) {
    const double origin = originOf(list);
    std::vector<double> starts{0.0};
    for (const CutEvent& event : list.events) {
        for (const double time : {event.recordIn - origin, event.recordOut - origin}) {
            const double snapped = film.snap(time);
            if (snapped > 0 && snapped < film.duration) starts.push_back(snapped);
        }
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    std::vector<Shot> result;
    for (std::size_t i = 0; i < starts.size(); ++i)
        result.push_back(shotOf(film, starts[i], i + 1 < starts.size() ? starts[i + 1] : film.duration));
    return result;
}

std::string detectorName(const std::filesystem::path& listFile) { return "Cut list: " + listFile.filename().string(); }

}  // namespace marrowick::CutListMapping
