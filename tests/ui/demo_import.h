// The demo film (tools/make-demo-film) imported for real, as `make run` does, and the decisions a
// reviewer makes on it. Used by the programs that picture the windows for docs/screenshots.
#pragma once

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <filesystem>
#include <vector>

#include <QByteArray>

#include "workspace/review_store.h"
#include "workspace_fixtures.h"

namespace marrowick::testing {

// Keeps the pictured program's preferences (row density, time display) away from the user's own.
inline void privatePreferences(const std::filesystem::path& folder) {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.string()));
}

// Imports `film` through the controller's import activity and waits for it to end; false (with a
// message on stderr) when the import failed or found no shots.
inline bool importDemoFilm(ReviewStore& store, const std::filesystem::path& film) {
    store.importFiles({std::filesystem::absolute(film)});
    const bool ended = waitUntil([&store] { return !store.busy(); }, 600000);
    if (ended && !store.project().shots.empty()) return true;
    std::fprintf(stderr, "importing %s: %s\n", film.c_str(), store.error().value_or("no shots were found").c_str());
    return false;
}

// The first film's shots in time order.
inline std::vector<Uuid> demoShots(const ReviewStore& store) {
    std::vector<Uuid> ids;
    for (const Shot* shot : store.project().shotsInOrder(store.project().films.front())) ids.push_back(shot->id);
    return ids;
}

// A review under way, named by its reviewer: a note on the fractal zoom (which FFmpeg rendered,
// so it stands for generated picture), the opening shot reviewed without a label, the zoom
// labelled as generated, the third shot as modified, the rest still to review. The note is
// written before any shot is visited, so no inspector holds a draft of it.
inline void decideDemo(ReviewStore& store) {
    store.changeSettings([](Project& project) { project.name = "Demo film review"; });
    const std::vector<Uuid> shots = demoShots(store);
    if (shots.size() >= 2) store.setNote(shots[1], "Mandelbrot zoom rendered by FFmpeg's lavfi source; no camera original.");
    const Disclosure decisions[] = {Disclosure::none, Disclosure::generated, Disclosure::modified};
    for (std::size_t i = 0; i < std::min(shots.size(), std::size(decisions)); ++i) {
        store.setSelection({shots[i]});
        store.decide(decisions[i]);
    }
    store.changed();
}

}  // namespace marrowick::testing
