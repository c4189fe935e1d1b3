// Playback of a 1080p25 film in the preview's video surface: the time between painted frames
// (median and 95th percentile) against the film's own frame interval, and the main thread's
// cost of converting and painting each frame. Set DISPLAY (xvfb-run) to measure on an X server;
// offscreen otherwise.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QVideoSink>

#include "bench_timing.h"
#include "ui/native_player.h"
#include "ui/qt_media_player.h"

namespace {

using namespace marrowick;

constexpr double kFps = 25;
constexpr int kSeconds = 12;
constexpr double kSkipSeconds = 1;  // start-up of the pipeline

void metric(const char* name, double value, const char* unit) { std::printf("metric: %s %.3f %s\n", name, value, unit); }

// Moving pictures from FFmpeg's generators, 1080p H.264 with a 2 s key-frame interval.
std::filesystem::path benchFilm(const std::filesystem::path& folder) {
    const std::filesystem::path film = folder / "playback-12s-1080p25.mp4";
    if (std::filesystem::exists(film)) return film;
    std::filesystem::create_directories(folder);
    const std::string command =
        "ffmpeg -nostdin -loglevel error -y -f lavfi -i 'testsrc2=s=1920x1080:r=25' -frames:v " +
        std::to_string(static_cast<int>(kSeconds * kFps)) +
        " -c:v libx264 -preset ultrafast -g 50 -pix_fmt yuv420p '" + film.string() + "'";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "cannot render the benchmark film\n");
        std::exit(1);
    }
    return film;
}

// The surface with a stopwatch: the moment each new frame is painted and what painting cost.
class TimedPlayer : public NativePlayer {
public:
    TimedPlayer(QVideoSink& sink) : NativePlayer(&sink) {
        connect(&sink, &QVideoSink::videoFrameChanged, this, [this] { fresh_ = true; });
        clock_.start();
    }
    std::vector<double> painted_ms;
    std::vector<double> paintCost_ms;

protected:
    void paintEvent(QPaintEvent* event) override {
        const bool fresh = fresh_;
        fresh_ = false;
        const double cost = bench::millisecondsOf([&] { NativePlayer::paintEvent(event); });
        if (!fresh) return;
        painted_ms.push_back(static_cast<double>(clock_.nsecsElapsed()) / 1e6);
        paintCost_ms.push_back(cost);
    }

private:
    QElapsedTimer clock_;
    bool fresh_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::filesystem::path film = benchFilm(std::filesystem::temp_directory_path() / "marrowick-bench");

    QtMediaPlayer player;
    TimedPlayer surface(player.videoSink());
    surface.resize(640, 360);
    surface.show();
    player.replaceItem(film);
    player.play();
    QElapsedTimer wall;
    wall.start();
    while ((wall.elapsed() < (kSeconds + 2) * 1000 && player.rate() > 0) || wall.elapsed() < 500)
        application.processEvents(QEventLoop::AllEvents, 5);

    std::vector<double> intervals;
    const std::vector<double>& painted = surface.painted_ms;
    for (std::size_t i = 1; i < painted.size(); ++i)
        if (painted[i] - painted.front() >= kSkipSeconds * 1000) intervals.push_back(painted[i] - painted[i - 1]);
    if (intervals.size() < 10) {
        std::fprintf(stderr, "only %zu frames were painted\n", painted.size());
        return 1;
    }
    const double frameInterval = 1000 / kFps;
    const double median = bench::median(intervals);
    const double p95 = bench::percentile(intervals, 0.95);
    metric("playback_1080p_frame_interval_median", median, "ms");
    metric("playback_1080p_frame_interval_p95", p95, "ms");
    metric("playback_1080p_frame_interval_median_ratio", median / frameInterval, "x film frame interval");
    metric("playback_1080p_frame_interval_p95_ratio", p95 / frameInterval, "x film frame interval");
    metric("playback_1080p_painted_frames_ratio",
           static_cast<double>(painted.size()) / (kSeconds * kFps), "x film frames");
    metric("playback_1080p_paint_cost_median", bench::median(surface.paintCost_ms), "ms");
    metric("playback_1080p_paint_cost_p95", bench::percentile(surface.paintCost_ms, 0.95), "ms");
    return 0;
}
