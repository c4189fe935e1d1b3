// Main-thread cost of the workspace controller on a 200,000-shot review: changed(), the autosave
// hand-off, an edit, and reading the shot list while typing a search with the group sort on.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "bench_timing.h"
#include "workspace/review_store.h"
#include "workspace_fixtures.h"

namespace {

using namespace marrowick;

constexpr int kFilms = 100;
constexpr int kShotsPerFilm = 2000;

using bench::median;
const auto milliseconds = bench::millisecondsOf;

void metric(const char* name, double value) { std::printf("metric: %s %.4f ms\n", name, value); }

// Lets the autosaves the measurements above started finish, so they do not compete for the CPU.
void awaitQuietAutosave(ReviewStore& store) {
    int writes = 0;
    const auto connection = QObject::connect(&store, &ReviewStore::recoveryWritten, [&] { ++writes; });
    store.persist();
    for (int seen = -1; seen != writes;) {
        seen = writes;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < until) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QObject::disconnect(connection);
}

// Notes, categories and groups spread over the shots, as after a long review.
Project largeReview() {
    Project project = testing::makeProject(kFilms, kShotsPerFilm);
    const char* notes[] = {"Crowd at the harbour gate", "Sky replaced in grade", "", "Face retouched, check with VFX",
                           "Straße bei Nacht", ""};
    const char* categories[] = {"street", "landscape", "interior", "portrait"};
    for (std::size_t i = 0; i < project.shots.size(); ++i) {
        Shot& shot = project.shots.mut(i);
        shot.note = notes[i % 6];
        shot.category = categories[i % 4];
        shot.group = static_cast<std::int64_t>((i * 7919) % 5000);
        if (i % 10 == 0) shot.assistantNote = "Possible generated background";
    }
    return project;
}

// The same review in storage of its own, so that no search key cached for the original applies.
Project freshCopy(const Project& review) {
    Project copy = review;
    copy.shots = SharedVector<Shot>();
    for (std::size_t i = 0; i < review.shots.size(); ++i) copy.shots.push_back(review.shots[i]);
    return copy;
}

void waitFor(const bool& flag) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!flag && std::chrono::steady_clock::now() < until) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QCoreApplication application(argc, argv);
    testing::FakeDialogs dialogs;
    ReviewStore store(std::make_unique<testing::FakePlayer>(), dialogs, MARROWICK_RESOURCE_DIR);
    ActivityHost& activities = store;  // activity results are stored through the controller's activity interface
    activities.storeActivityResult([](Project& project) { project = largeReview(); });

    std::vector<double> changed;
    for (int i = 0; i < 201; ++i) changed.push_back(milliseconds([&] { store.changed(); }));
    metric("workspace_changed_ms", median(changed));

    std::vector<double> persisted;
    for (int i = 0; i < 21; ++i) persisted.push_back(milliseconds([&] { store.persist(); }));
    metric("workspace_persist_handoff_ms", median(persisted));

    std::vector<double> edits;
    for (int i = 0; i < 11; ++i) {
        const Uuid shot = store.project().shots[static_cast<std::size_t>(i) * 1000].id;
        edits.push_back(milliseconds([&] { store.edit([&](Project& project) { project.setNote(shot, "edited"); }); }));
    }
    metric("workspace_edit_ms", median(edits));

    awaitQuietAutosave(store);
    // First keystrokes on a freshly opened review, whose shots the search has never seen: right
    // away (every key folded on the main thread), and a moment later, once the background folding
    // the opening started has finished, as when a reviewer starts typing.
    store.setGroupSort(true);
    const Project review = store.project();
    std::vector<double> unprepared, prepared, folding;
    for (int round = 0; round < 5; ++round) {
        store.setSearch("");
        activities.storeActivityResult([&](Project& project) { project = freshCopy(review); });
        store.setSearch("c");
        unprepared.push_back(milliseconds([&] { (void)store.visible(); }));
        store.setSearch("");
        bool ready = false;
        const auto connection = QObject::connect(&store, &ReviewStore::searchKeysReady, [&] { ready = true; });
        folding.push_back(milliseconds([&] {
            activities.storeActivityResult([&](Project& project) { project = freshCopy(review); });
            waitFor(ready);
        }));
        QObject::disconnect(connection);
        store.setSearch("c");
        prepared.push_back(milliseconds([&] { (void)store.visible(); }));
    }
    metric("workspace_background_key_fold_ms", median(folding));
    metric("workspace_visible_first_search_unprepared_ms", median(unprepared));
    metric("workspace_visible_first_search_ms", median(prepared));
    std::printf("metric: workspace_first_search_prepared_to_unprepared_ratio %.3f ratio\n",
                median(prepared) / median(unprepared));
    std::vector<double> visible;
    std::size_t shown = 0;
    for (const char* typed : {"c", "cr", "cro", "crow", "crowd", "crowd ", "crowd a", "crowd at", "STRASSE", "straße",
                              "generated", "1234", "harbour", "Harbour", "  sky  ", "sky r", "face", "x", "xyz",
                              "check", "interior"}) {
        store.setSearch(typed);
        visible.push_back(milliseconds([&] { shown += store.visible().size(); }));
    }
    metric("workspace_visible_ms", median(visible));
    std::fprintf(stderr, "workspace bench: %zu shots listed in total\n", shown);
    return 0;
}
