// Small valid projects for the model tests: films tiled by shots, with every optional field set.
#pragma once

#include <string>
#include <vector>

#include "model/project.h"

namespace marrowick::testing {

// A film of `duration` seconds at 25 fps, 1920x1080, without optional fields.
inline Film makeFilm(double duration, const std::string& path = "/films/reel.mov") {
    Film film;
    film.id = Uuid::random();
    film.path = path;
    film.duration = duration;
    film.fps = 25;
    film.width = 1920;
    film.height = 1080;
    film.detector = "TransNetV2";
    return film;
}

inline Shot makeShot(const Film& film, double start, double end) {
    Shot shot;
    shot.id = Uuid::random();
    shot.filmID = film.id;
    shot.start = start;
    shot.end = end;
    shot.boundaryScore = 0.9;
    return shot;
}

// Adds the film and shots that tile it at the given cut times (0 and the duration implied).
inline void addTiledFilm(Project& project, const Film& film, const std::vector<double>& cuts = {}) {
    project.films.push_back(film);
    double start = 0;
    for (double cut : cuts) {
        project.shots.push_back(makeShot(film, start, cut));
        start = cut;
    }
    project.shots.push_back(makeShot(film, start, film.duration));
}

// Two films of three shots each; the first carries every optional field, the project too.
inline Project fullProject() {
    Project project;
    project.name = "Reel \"one\" / \u00e9t\u00e9\n";
    project.labelStyle = LabelStyle::black50;
    project.labelLayouts = LabelLayouts{
        {"aspect:16:9", LabelLayout{0.2, 0.5, 1, "custom", SafeInsets{0.05, 0.1, 0.05, 0.1}}},
        {"preset:broadcast|4:3", LabelLayout{}},
    };
    Film first = makeFilm(3.0, "/films/first.mov");
    first.bookmark = makeBlob({0, 1, 2, 250, 255});
    first.frameTimes = makeFrameTimes({0.0, 0.5, 1.0, 1.5, 2.0, 2.5});
    first.sourceSHA256 = std::string(64, 'a');
    first.startTimecode = "01:00:00:00";
    first.timecodeRate = 25;
    addTiledFilm(project, first, {1.0, 2.0});
    addTiledFilm(project, makeFilm(12.041666666666666, "/films/second.mov"), {4.5, 8.25});
    Shot& decorated = project.shots.mut(0);
    decorated.thumbnail = makeBlob({0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3});
    decorated.feature = makeBlob({9, 8, 7, 6});
    decorated.note = "graded \u2014 see log";
    decorated.category = "exterior";
    decorated.group = 3;
    decorated.disclosure = Disclosure::modified;
    decorated.assistantNote = "A street at night.";
    project.history.push_back(ReviewEvent{820000000.25, "label", {decorated.id}, "modified"});
    return project;
}

}  // namespace marrowick::testing
