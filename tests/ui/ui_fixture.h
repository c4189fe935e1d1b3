// A controller over the workspace's desktop fakes, and review projects to load into it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QTest>

#include "workspace/project_files.h"
#include "workspace/review_store.h"
#include "workspace_fixtures.h"

namespace marrowick::testing {

// Films at `paths`, tiled by one-second shots; shot i of each film is in group i % 3 (0: none).
inline Project groupedProject(const std::vector<std::string>& paths, int shotsPerFilm) {
    Project project = makeProject(static_cast<int>(paths.size()), shotsPerFilm);
    project.name = "Night shoot";
    for (std::size_t f = 0; f < paths.size(); ++f) project.films[f].path = paths[f];
    for (std::size_t i = 0; i < project.shots.size(); ++i)
        project.shots.mut(i).group = static_cast<std::int64_t>(i % static_cast<std::size_t>(shotsPerFilm) % 3);
    return project;
}

// A controller whose recovery file lies in the test's own data folder. load() opens a project as
// if from a file, so it starts without undo history.
struct StoreFixture {
    PrivateDataHome data;  // first: the controller recovers from and autosaves into it
    FakeDialogs dialogs;
    FakePlayer* player = new FakePlayer;
    ReviewStore store{std::unique_ptr<MediaPlayer>(player), dialogs, MARROWICK_RESOURCE_DIR};

    void load(const Project& project) {
        const std::filesystem::path file = data.path() / "review.marrowick";
        ProjectFiles::write(file, project);
        store.openProject(file, false);
    }

    // Starts an activity that runs until it is cancelled; endActivity() cancels it and waits.
    void beginActivity() {
        ActivityHost& activities = store;  // the activity members are private to the controller
        ASSERT_TRUE(activities.begin("Importing films"));
        activities.finish([](const ActivityContext& context) {
            while (!context.stopToken().stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        });
    }
    void endActivity() {
        store.cancelActivity();
        ASSERT_TRUE(waitUntil([this] { return !store.busy(); }));
    }

    std::vector<Uuid> firstShots(std::size_t count) const {
        std::vector<Uuid> ids;
        for (std::size_t i = 0; i < count; ++i) ids.push_back(store.project().shots[i].id);
        return ids;
    }
};

}  // namespace marrowick::testing
