// Seeking to shot starts and stepping by frames on real films: read back from the time of the
// frame the player's video sink delivers.
#include <cmath>

#include <QImage>
#include <QVideoFrame>
#include <QVideoSink>

#include <gtest/gtest.h>

#include "test_films.h"
#include "ui/qt_media_player.h"
#include "workspace/project_files.h"
#include "workspace/review_store.h"
#include "workspace/transport.h"
#include "workspace_fixtures.h"

namespace marrowick {
namespace {

struct StepFilm {
    const char* name;
    double fps;
};

constexpr int kFrames = 72;
constexpr int kShotStarts[] = {0, 25, 50};

// What the sink delivered last: the frame's start time in microseconds and, read from its
// picture, its frame number (the films paint frame N in grey of luma 16 + 3N). The player stamps
// a frame shown after a seek with the seek's position, so the time must lie within the frame.
class SinkClock {
public:
    explicit SinkClock(QVideoSink& sink) {
        QObject::connect(&sink, &QVideoSink::videoFrameChanged, &context_, [this](const QVideoFrame& frame) {
            if (!frame.isValid()) return;
            last_us_ = frame.startTime();
            const QImage picture = frame.toImage();
            const int grey = qGray(picture.pixel(picture.width() / 2, picture.height() / 2));
            painted_ = static_cast<int>(std::lround(grey * 219.0 / 255.0 / 3.0));
        });
    }
    // Waits until the sink shows `frame` of a film at `fps`, by picture and by time.
    bool shows(int frame, double fps) const {
        const double start_us = frame / fps * 1e6;
        const double end_us = (frame + 1) / fps * 1e6;
        return testing::waitUntil([&] {
            const auto time_us = static_cast<double>(last_us_);
            return painted_ == frame && time_us >= std::floor(start_us) && time_us < end_us;
        });
    }
    std::string last() const {
        return "frame " + std::to_string(painted_) + " at " + std::to_string(last_us_) + " us";
    }

private:
    QObject context_;
    qint64 last_us_ = -1;
    int painted_ = -1;
};

Project stepProject(const StepFilm& film) {
    Project project;
    Film source;
    source.id = Uuid::random();
    source.path = testing::testFilm(std::string(film.name) + ".mp4").string();
    source.fps = film.fps;
    source.duration = kFrames / film.fps;
    source.width = 160;
    source.height = 90;
    project.films.push_back(source);
    for (std::size_t i = 0; i < std::size(kShotStarts); ++i) {
        Shot shot;
        shot.id = Uuid::random();
        shot.filmID = source.id;
        shot.start = kShotStarts[i] / film.fps;
        shot.end = i + 1 < std::size(kShotStarts) ? kShotStarts[i + 1] / film.fps : source.duration;
        shot.boundaryScore = 0.9;
        project.shots.push_back(shot);
    }
    return project;
}

class FrameExact : public ::testing::TestWithParam<StepFilm> {
protected:
    testing::PrivateDataHome data;
    testing::FakeDialogs dialogs;
    QtMediaPlayer* player = new QtMediaPlayer;
    ReviewStore store{std::unique_ptr<MediaPlayer>(player), dialogs, MARROWICK_RESOURCE_DIR};
    SinkClock clock{player->videoSink()};

    void SetUp() override {
        const Project project = stepProject(GetParam());
        const std::filesystem::path file = data.path() / "steps.marrowick";
        ProjectFiles::write(file, project);
        store.openProject(file, false);
        ASSERT_FALSE(store.error()) << *store.error();
    }
    const Shot& shot(std::size_t index) const { return store.project().shots[index]; }
};

TEST_P(FrameExact, SeekingToAShotStartShowsExactlyItsFirstFrame) {
    const double fps = GetParam().fps;
    for (const std::size_t index : {1, 2, 0, 1}) {
        store.focus(shot(index).id, false);
        EXPECT_TRUE(clock.shows(kShotStarts[index], fps)) << "shot " << index << " shows " << clock.last();
    }
}

TEST_P(FrameExact, StepsShowTheNeighbouringDecodedFrames) {
    const double fps = GetParam().fps;
    store.focus(shot(1).id, false);
    ASSERT_TRUE(clock.shows(25, fps));
    for (const int frame : {26, 27, 28}) {
        store.transport().stepFrame(1);
        EXPECT_TRUE(clock.shows(frame, fps)) << "forward to " << frame << ", shows " << clock.last();
    }
    for (const int frame : {27, 26, 25, 24, 23}) {
        store.transport().stepFrame(-1);
        EXPECT_TRUE(clock.shows(frame, fps)) << "back to " << frame << ", shows " << clock.last();
    }
    store.transport().jumpToShot(1);
    EXPECT_TRUE(clock.shows(25, fps)) << "down from inside shot 0 lands on shot 1's start";
    store.transport().jumpToShot(1);
    EXPECT_TRUE(clock.shows(50, fps));
    store.transport().jumpToShot(-1);
    EXPECT_TRUE(clock.shows(25, fps));
}

INSTANTIATE_TEST_SUITE_P(Films, FrameExact,
                         ::testing::Values(StepFilm{"step-23976", 24000.0 / 1001.0}, StepFilm{"step-25", 25.0}),
                         [](const auto& info) { return std::string(info.param.fps == 25.0 ? "fps25" : "fps23976"); });

}  // namespace
}  // namespace marrowick
