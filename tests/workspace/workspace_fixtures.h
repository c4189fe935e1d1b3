// Test doubles for the desktop and the player, project builders and an event-loop wait.
#pragma once

#include <cmath>
#include <deque>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include "delivery/delivery_preset.h"
#include "model/project.h"
#include "workspace/desktop_dialogs.h"
#include "workspace/media_player.h"

namespace marrowick::testing {

// Answers dialogs from scripted queues and records what was asked.
class FakeDialogs : public DesktopDialogs {
public:
    std::deque<std::optional<std::filesystem::path>> openAnswers;
    std::deque<std::optional<std::filesystem::path>> saveAnswers;
    std::deque<std::size_t> alertAnswers;
    std::vector<AlertRequest> alerts;
    std::vector<std::string> proposedNames;
    int openCalls = 0;
    std::deque<std::optional<std::filesystem::path>> folderAnswers;
    std::vector<std::string> folderConfirmButtons;
    std::vector<std::filesystem::path> revealed;

    std::optional<std::filesystem::path> openFile(const FileExtensions&) override {
        ++openCalls;
        return take(openAnswers);
    }
    std::optional<std::filesystem::path> saveFile(const std::string& proposedName, const FileExtensions&) override {
        proposedNames.push_back(proposedName);
        return take(saveAnswers);
    }
    std::optional<std::filesystem::path> chooseFolder() override { return std::nullopt; }
    std::size_t alert(const AlertRequest& request) override {
        alerts.push_back(request);
        if (alertAnswers.empty()) return request.buttons.size() - 1;
        const std::size_t answer = alertAnswers.front();
        alertAnswers.pop_front();
        return answer;
    }
    void revealFolder(const std::filesystem::path& folder) override { revealed.push_back(folder); }
    std::optional<std::filesystem::path> chooseExportFolder(const std::string& confirmButton) override {
        folderConfirmButtons.push_back(confirmButton);
        return take(folderAnswers);
    }

private:
    static std::optional<std::filesystem::path> take(std::deque<std::optional<std::filesystem::path>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Records every call; the time observer is driven by the test through tick().
class FakePlayer : public MediaPlayer {
public:
    std::optional<std::filesystem::path> item;
    double time = std::numeric_limits<double>::quiet_NaN();
    std::vector<std::string> calls;
    std::optional<double> forwardEnd;
    std::optional<double> lastSeek;
    std::optional<double> loopStart;
    double volume = 1;
    bool silent = false;
    int replacements = 0;
    bool playing = false;
    double playRate = 1;
    std::function<void(double)> observer;

    void replaceItem(const std::optional<std::filesystem::path>& file) override {
        ++replacements;
        item = file;
        calls.push_back(file ? "replace " + file->string() : "replace none");
    }
    std::optional<std::filesystem::path> currentItem() const override { return item; }
    void pause() override {
        playing = false;
        calls.push_back("pause");
    }
    void play() override {
        playing = item.has_value();
        calls.push_back("play");
    }
    void seek(double seconds) override {
        lastSeek = seconds;
        calls.push_back("seek");
    }
    void setForwardPlaybackEnd(double seconds) override { forwardEnd = seconds; }
    void setLoopStart(std::optional<double> seconds) override { loopStart = seconds; }
    void setSound(double level, bool off) override {
        volume = level;
        silent = off;
    }
    double currentTime() const override { return item ? time : std::numeric_limits<double>::quiet_NaN(); }
    double rate() const override { return playing ? playRate : 0; }
    void setRate(double rate) override { playRate = rate; }
    ObserverHandle addPeriodicTimeObserver(double, std::function<void(double)> tick) override {
        observer = std::move(tick);
        return std::make_shared<int>(0);
    }
    void tick() { observer(currentTime()); }
};

// A valid project: `films` films of `shotsPerFilm` one-second shots each, tiling every film.
// A preset named after its key whose raster policy is `mode` with the given sizes.
inline DeliveryPreset presetWithRaster(const std::string& key, RasterMode mode, std::int64_t width,
                                       std::int64_t height, std::optional<std::int64_t> longestEdge = std::nullopt) {
    DeliveryPreset preset;
    preset.key = key;
    preset.name = "Preset " + key;
    preset.requirements.resolution = {mode, width, height, longestEdge};
    return preset;
}

inline Project makeProject(int films, int shotsPerFilm) {
    Project project;
    for (int f = 0; f < films; ++f) {
        Film film;
        film.id = Uuid::random();
        film.path = "/media/reel" + std::to_string(f + 1) + ".mov";
        film.duration = shotsPerFilm;
        film.fps = 25;
        film.width = 1920;
        film.height = 1080;
        project.films.push_back(film);
        for (int s = 0; s < shotsPerFilm; ++s) {
            Shot shot;
            shot.id = Uuid::random();
            shot.filmID = film.id;
            shot.start = s;
            shot.end = s + 1;
            shot.boundaryScore = 0.9;
            project.shots.push_back(shot);
        }
    }
    return project;
}

// Runs the event loop until the condition holds or `limit_ms` passes; returns the condition.
inline bool waitUntil(const std::function<bool()>& condition, int limit_ms = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < limit_ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return condition();
}

// Runs the event loop for a while (to let anything that should not happen have its chance).
inline void spinFor(int duration_ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < duration_ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
}

// Gives the test its own data folder, so the recovery file starts absent.
class PrivateDataHome {
public:
    PrivateDataHome() {
        qputenv("XDG_DATA_HOME", folder_.path().toUtf8());
        qputenv("XDG_CACHE_HOME", (folder_.path() + "/cache").toUtf8());
    }
    std::filesystem::path path() const { return folder_.path().toStdString(); }
    std::filesystem::path recoveryFile() const { return path() / "Marrowick" / "recovery.marrowick"; }

private:
    QTemporaryDir folder_;
};

// Points the system's temporary folder (TMPDIR) at a fresh empty folder while the object lives,
// so a test can tell whether an operation left a temporary file behind.
class PrivateTemporaryFolder {
public:
    PrivateTemporaryFolder() : previous_(qgetenv("TMPDIR")) { qputenv("TMPDIR", folder_.path().toUtf8()); }
    ~PrivateTemporaryFolder() { qputenv("TMPDIR", previous_); }
    PrivateTemporaryFolder(const PrivateTemporaryFolder&) = delete;
    PrivateTemporaryFolder& operator=(const PrivateTemporaryFolder&) = delete;

    // What the temporary folder holds, and every "*.tmp" file below `written` (where files are
    // written atomically through a temporary file beside them).
    std::vector<std::string> leftovers(const std::filesystem::path& written) const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.path().toStdString()))
            found.push_back(entry.path().string());
        for (const auto& entry : std::filesystem::recursive_directory_iterator(written))
            if (entry.path().extension() == ".tmp") found.push_back(entry.path().string());
        return found;
    }

private:
    QTemporaryDir folder_;
    QByteArray previous_;
};

}  // namespace marrowick::testing
