// The review as an OpenTimelineIO document, built with nlohmann::json.
#include <filesystem>

#include <nlohmann/json.hpp>

#include "interchange/internal/film_shots.h"
#include "interchange/timeline_export.h"
#include "model/film_time.h"

namespace marrowick::TimelineExport {

namespace {

using nlohmann::json;
using ordered = nlohmann::ordered_json;

ordered rationalTime(std::int64_t frames, double rate) {
    return {{"OTIO_SCHEMA", "RationalTime.1"}, {"rate", rate}, {"value", double(frames)}};
}

ordered timeRange(std::int64_t start, std::int64_t duration, double rate) {
    return {{"OTIO_SCHEMA", "TimeRange.1"}, {"start_time", rationalTime(start, rate)},
            {"duration", rationalTime(duration, rate)}};
}

ordered marker(const Shot& shot, std::int64_t start, double rate) {
    return {{"OTIO_SCHEMA", "Marker.2"},
            {"name", disclosureTitle(shot.disclosure)},
            {"color", FilmShots::markerColour(shot.disclosure)},
            {"marked_range", timeRange(start, 0, rate)},
            {"comment", shot.note},
            {"metadata", ordered::object()}};
}

ordered clip(const Film& film, const Shot& shot, std::size_t index, const ordered& media) {
    const std::int64_t start = FilmTime::timecodeFrames(film, shot.start);
    const std::int64_t end = FilmTime::timecodeFrames(film, shot.end);
    return {{"OTIO_SCHEMA", "Clip.1"},
            {"name", "Shot " + std::to_string(index + 1)},
            {"source_range", timeRange(start, end - start, film.fps)},
            {"media_reference", media},
            {"effects", ordered::array()},
            {"markers", ordered::array({marker(shot, start, film.fps)})},
            {"metadata", {{"marrowick", {{"shotID", shot.id.text()},
                                         {"decision", disclosureString(shot.disclosure)},
                                         {"note", shot.note},
                                         {"category", shot.category},
                                         {"group", shot.group}}}}}};
}

ordered track(const Project& project, const Film& film) {
    const ordered media = {{"OTIO_SCHEMA", "ExternalReference.1"},
                           {"name", FilmShots::fileName(film)},
                           {"target_url", "file://" + film.path},
                           {"available_range", timeRange(FilmTime::timecodeFrames(film, 0),
                                                         FilmShots::frames(film.duration, film.fps), film.fps)},
                           {"metadata", ordered::object()}};
    ordered clips = ordered::array();
    const std::vector<const Shot*> shots = project.shotsInOrder(film);
    for (std::size_t i = 0; i < shots.size(); ++i) clips.push_back(clip(film, *shots[i], i, media));
    return {{"OTIO_SCHEMA", "Track.1"},
            {"name", FilmShots::fileName(film)},
            {"kind", "Video"},
            {"source_range", nullptr},
            {"effects", ordered::array()},
            {"markers", ordered::array()},
            {"children", clips},
            {"metadata", {{"marrowick", {{"filmID", film.id.text()}, {"path", film.path}}}}}};
}

// The timeline counts from the first film's start timecode; one start serves every track.
ordered globalStart(const Project& project) {
    if (project.films.empty()) return nullptr;
    const Film& first = project.films.front();
    return rationalTime(FilmTime::timecodeFrames(first, 0), first.fps);
}

}  // namespace

std::string otio(const Project& project) {
    ordered tracks = ordered::array();
    for (const Film& film : project.films) tracks.push_back(track(project, film));
    const ordered timeline = {
        {"OTIO_SCHEMA", "Timeline.1"},
        {"name", project.name},
        {"global_start_time", globalStart(project)},
        {"tracks", {{"OTIO_SCHEMA", "Stack.1"}, {"name", "tracks"}, {"source_range", nullptr},
                    {"effects", ordered::array()}, {"markers", ordered::array()}, {"children", tracks},
                    {"metadata", ordered::object()}}},
        {"metadata", {{"marrowick", {{"projectID", project.id.text()}}}}}};
    return timeline.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

}  // namespace marrowick::TimelineExport
