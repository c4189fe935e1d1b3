// Playback of a 1080p25 film in the preview's video surface: the time between painted frames
// (median and 95th percentile) against the film's own frame interval, the main thread's cost of
// painting each frame, and the conversion of one frame to the shown size against Qt's own
// full-size conversion and smooth scaling, measured on the same frame. Set DISPLAY (xvfb-run) to measure on an X server;
// offscreen otherwise.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QVideoSink>

#include "bench_timing.h"
#include "ui/native_player.h"
#include "ui/qt_media_player.h"
#include "ui/video_frame_scaler.h"

namespace {

using namespace marrowick;

constexpr double kFps = 25;
constexpr int kSeconds = 12;
constexpr double kSkipSeconds = 1;  // start-up of the pipeline

void metric(const char* name, double value, const char* unit) { std::printf("metric: %s %.3f %s\n", name, value, unit); }

// Moving pictures from FFmpeg's generators, 1080p H.264 with a 2 s key-frame interval.
std::filesystem::path benchFilm(const std::filesystem::path& folder) {
    const std::filesystem::path film = folder / "playback-12s-1080p25-sound.mp4";
    if (std::filesystem::exists(film)) return film;
    std::filesystem::create_directories(folder);
    const std::string command =
        "ffmpeg -nostdin -loglevel error -y -f lavfi -i 'testsrc2=s=1920x1080:r=25' -f lavfi -i "
        "'sine=frequency=330:sample_rate=48000' -frames:v " +
        std::to_string(static_cast<int>(kSeconds * kFps)) + " -t " + std::to_string(static_cast<int>(kSeconds)) +
        " -c:v libx264 -preset ultrafast -g 50 -pix_fmt yuv420p -c:a aac -ac 2 '" + film.string() + "'";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "cannot render the benchmark film\n");
        std::exit(1);
    }
    return film;
}

// The surface with a stopwatch: the moment each new picture is painted and what painting cost.
// Every conversion writes a picture with a new cache key.
class TimedPlayer : public NativePlayer {
public:
    TimedPlayer(QVideoSink& sink) : NativePlayer(&sink) {
        connect(&sink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
            if (frame.isValid()) lastFrame = frame;
        });
        clock_.start();
    }
    std::vector<double> painted_ms;
    std::vector<double> paintCost_ms;
    QVideoFrame lastFrame;

protected:
    void paintEvent(QPaintEvent* event) override {
        const double cost = bench::millisecondsOf([&] { NativePlayer::paintEvent(event); });
        if (picture().isNull() || picture().cacheKey() == paintedKey_) return;
        paintedKey_ = picture().cacheKey();
        painted_ms.push_back(static_cast<double>(clock_.nsecsElapsed()) / 1e6);
        paintCost_ms.push_back(cost);
    }

private:
    QElapsedTimer clock_;
    qint64 paintedKey_ = 0;
};

// A frame of its own with the same pictures: Qt keeps the picture it converted a frame to, so
// timing its conversion twice on one frame would time nothing the second time.
QVideoFrame freshCopy(QVideoFrame frame) {
    QVideoFrame copy(frame.surfaceFormat());
    if (!frame.map(QVideoFrame::ReadOnly)) return copy;
    if (copy.map(QVideoFrame::WriteOnly)) {
        for (int plane = 0; plane < frame.planeCount(); ++plane) {
            const int rows = copy.mappedBytes(plane) / copy.bytesPerLine(plane);
            const int bytes = std::min(frame.bytesPerLine(plane), copy.bytesPerLine(plane));
            for (int row = 0; row < rows; ++row)
                std::memcpy(copy.bits(plane) + row * copy.bytesPerLine(plane),
                            frame.bits(plane) + row * frame.bytesPerLine(plane), bytes);
        }
        copy.unmap();
    }
    frame.unmap();
    return copy;
}

// Median milliseconds of converting one frame for a 640 x 360 surface, ours and Qt's, each on
// fresh frames of the same picture.
void conversionMetrics(const QVideoFrame& frame) {
    constexpr int kRuns = 15;
    const QSize shown(640, 360);
    VideoFrameScaler scaler;
    std::vector<double> ours, qts;
    for (int run = 0; run < kRuns; ++run) {
        const QVideoFrame mine = freshCopy(frame);
        ours.push_back(bench::millisecondsOf([&] { return scaler.scaled(mine, shown); }));
        const QVideoFrame theirs = freshCopy(frame);
        qts.push_back(bench::millisecondsOf(
            [&] { return theirs.toImage().scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation); }));
    }
    metric("playback_1080p_conversion_median", bench::median(ours), "ms");
    metric("playback_1080p_qt_conversion_median", bench::median(qts), "ms");
    metric("playback_1080p_conversion_ratio", bench::median(ours) / bench::median(qts), "x Qt's conversion");
}

// The painted frames' timing and the cost of painting them.
void report(const TimedPlayer& surface) {
    std::vector<double> intervals;
    const std::vector<double>& painted = surface.painted_ms;
    for (std::size_t i = 1; i < painted.size(); ++i)
        if (painted[i] - painted.front() >= kSkipSeconds * 1000) intervals.push_back(painted[i] - painted[i - 1]);
    if (intervals.size() < 10) {
        std::fprintf(stderr, "only %zu frames were painted\n", painted.size());
        return;
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
    if (surface.lastFrame.isValid()) conversionMetrics(surface.lastFrame);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::filesystem::path film = benchFilm(std::filesystem::temp_directory_path() / "marrowick-bench");

    // The film's sound off, then on, in the same run: painting must not suffer from the sound.
    double mutedPainted = 0;
    for (const bool silent : {true, false}) {
        QtMediaPlayer player;
        TimedPlayer surface(player.videoSink());
        surface.resize(640, 360);
        surface.show();
        player.setSound(0.8, silent);
        player.replaceItem(film);
        player.play();
        QElapsedTimer wall;
        wall.start();
        while ((wall.elapsed() < (kSeconds + 2) * 1000 && player.rate() > 0) || wall.elapsed() < 500)
            application.processEvents(QEventLoop::AllEvents, 5);
        const double paintedShare = static_cast<double>(surface.painted_ms.size()) / (kSeconds * kFps);
        if (silent) {
            mutedPainted = paintedShare;
            metric("playback_1080p_painted_frames_ratio_muted", paintedShare, "x film frames");
            continue;
        }
        metric("playback_1080p_sound_to_muted_painted_ratio", paintedShare / std::max(mutedPainted, 1e-9),
               "x painted frames when muted");
        report(surface);
    }
    return 0;
}
