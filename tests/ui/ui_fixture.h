// A controller over scripted desktop fakes, and review projects to load into it.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QTemporaryDir>
#include <QTest>

#include "model/project.h"
#include "workspace/project_files.h"
#include "workspace/review_store.h"

namespace marrowick::testing {

// Remembers what the workspace asked of the player.
class FakePlayer : public MediaPlayer {
public:
    struct Log {
        int plays = 0;
        int pauses = 0;
    };
    explicit FakePlayer(std::shared_ptr<Log> log) : log_(std::move(log)) {}

    void replaceItem(const std::optional<std::filesystem::path>& file) override { item_ = file; }
    std::optional<std::filesystem::path> currentItem() const override { return item_; }
    void pause() override { ++log_->pauses; }
    void play() override { ++log_->plays; }
    void seek(double seconds) override { time_ = seconds; }
    void setForwardPlaybackEnd(double) override {}
    double currentTime() const override { return time_; }
    double rate() const override { return 0; }
    ObserverHandle addPeriodicTimeObserver(double, std::function<void(double)>) override {
        return std::make_shared<int>(0);
    }

private:
    std::shared_ptr<Log> log_;
    std::optional<std::filesystem::path> item_;
    double time_ = 0;
};

// Answers every alert with `alertAnswer` and every file dialog with nothing.
class ScriptedDialogs : public DesktopDialogs {
public:
    std::size_t alertAnswer = 0;
    std::vector<AlertRequest> alerts;

    std::optional<std::filesystem::path> openFile(const FileExtensions&) override { return std::nullopt; }
    std::optional<std::filesystem::path> saveFile(const std::string&, const FileExtensions&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> chooseFolder() override { return std::nullopt; }
    std::size_t alert(const AlertRequest& request) override {
        alerts.push_back(request);
        return alertAnswer;
    }
    void revealFolder(const std::filesystem::path&) override {}
};

inline Shot shotOf(const Film& film, double start, double end, std::int64_t group = 0) {
    Shot shot;
    shot.id = Uuid::random();
    shot.filmID = film.id;
    shot.start = start;
    shot.end = end;
    shot.boundaryScore = 0.95;
    shot.group = group;
    return shot;
}

// Films tiled by one-second shots; shot i of each film is in group (i % groups) (0: ungrouped).
inline Project tiledProject(const std::vector<std::string>& paths, int shotsPerFilm, int groups = 3) {
    Project project;
    project.name = "Night shoot";
    for (const std::string& path : paths) {
        Film film;
        film.id = Uuid::random();
        film.path = path;
        film.duration = shotsPerFilm;
        film.fps = 25;
        film.width = 1920;
        film.height = 1080;
        film.detector = "test";
        project.films.push_back(film);
        for (int i = 0; i < shotsPerFilm; ++i) project.shots.push_back(shotOf(film, i, i + 1, i % groups));
    }
    return project;
}

// A controller whose recovery file lies in the test's data folder; load() opens a project as
// if from a file, so it starts without undo history.
struct StoreFixture {
    // Declared first: the controller recovers from and autosaves into this folder only.
    struct DataFolder {
        QTemporaryDir dir;
        DataFolder() { qputenv("XDG_DATA_HOME", dir.path().toUtf8()); }
    } data;
    ScriptedDialogs dialogs;
    std::shared_ptr<FakePlayer::Log> player = std::make_shared<FakePlayer::Log>();
    ReviewStore store{std::make_unique<FakePlayer>(player), dialogs};

    void load(const Project& project) {
        const std::filesystem::path file = data.dir.filePath(QStringLiteral("review.marrowick")).toStdString();
        ProjectFiles::write(file, project);
        store.openProject(file, false);
    }

    // Starts an activity that runs until it is cancelled; endActivity() cancels it and waits.
    void beginActivity() {
        ASSERT_TRUE(store.begin("Importing films"));
        store.finish([](const ActivityContext& context) {
            while (!context.stopToken().stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        });
    }
    void endActivity() {
        store.cancelActivity();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !store.busy(); }));
    }

    std::vector<Uuid> firstShots(std::size_t count) const {
        std::vector<Uuid> ids;
        for (std::size_t i = 0; i < count; ++i) ids.push_back(store.project().shots[i].id);
        return ids;
    }
};

}  // namespace marrowick::testing
