// The controller's media player over QMediaPlayer, with a video sink the preview paints from.
#pragma once

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QObject>
#include <QVideoSink>

#include "workspace/media_player.h"

namespace marrowick {

// Seeks land on the frame at or after the time (milliseconds rounded up). A new item drops
// position changes until it has loaded, so a seek asked before then waits for the load and runs
// from the event loop right after it. Playback pauses at the forward playback end, or goes on
// from the loop start while one is set. The film's sound plays through the default output.
class QtMediaPlayer : public QObject, public MediaPlayer {
    Q_OBJECT

public:
    explicit QtMediaPlayer(QObject* parent = nullptr);

    QVideoSink& videoSink() { return sink_; }
    QAudioOutput& audioOutput() { return audio_; }
    const QMediaPlayer& mediaPlayer() const { return player_; }

    void replaceItem(const std::optional<std::filesystem::path>& file) override;
    std::optional<std::filesystem::path> currentItem() const override;
    void pause() override;
    void play() override;
    void seek(double seconds) override;
    void setForwardPlaybackEnd(double seconds) override;
    void setLoopStart(std::optional<double> seconds) override;
    void setSound(double volume, bool silent) override;
    double currentTime() const override;
    double rate() const override;
    void setRate(double rate) override;
    ObserverHandle addPeriodicTimeObserver(double intervalSeconds, std::function<void(double)> tick) override;

private:
    void stopAtPlaybackEnd(qint64 position_ms);
    void seekWhenLoaded(QMediaPlayer::MediaStatus status);
    void seekToPending();

    QMediaPlayer player_;
    QVideoSink sink_;
    QAudioOutput audio_;
    std::optional<double> loopStart_s_;
    std::optional<std::filesystem::path> item_;
    double playbackEnd_s_ = 0;
    std::optional<qint64> pendingSeek_ms_;
    bool awaitingLoad_ = false;
};

}  // namespace marrowick
