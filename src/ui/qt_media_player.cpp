// QMediaPlayer behind the workspace's player interface.
#include "ui/qt_media_player.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QAudio>
#include <QTimer>
#include <QUrl>

namespace marrowick {

QtMediaPlayer::QtMediaPlayer(QObject* parent) : QObject(parent) {
    player_.setVideoSink(&sink_);
    player_.setAudioOutput(&audio_);
    connect(&player_, &QMediaPlayer::positionChanged, this, &QtMediaPlayer::stopAtPlaybackEnd);
    connect(&player_, &QMediaPlayer::mediaStatusChanged, this, &QtMediaPlayer::seekWhenLoaded);
}

void QtMediaPlayer::replaceItem(const std::optional<std::filesystem::path>& file) {
    item_ = file;
    playbackEnd_s_ = 0;
    pendingSeek_ms_.reset();
    awaitingLoad_ = file.has_value();
    player_.setSource(file ? QUrl::fromLocalFile(QString::fromStdString(file->string())) : QUrl());
}

std::optional<std::filesystem::path> QtMediaPlayer::currentItem() const { return item_; }

void QtMediaPlayer::pause() { player_.pause(); }

void QtMediaPlayer::play() {
    if (item_) player_.play();
}

void QtMediaPlayer::seek(double seconds) {
    if (!item_ || !std::isfinite(seconds)) return;
    const auto position_ms = static_cast<qint64>(std::ceil(seconds * 1000.0 - 1e-6));
    pendingSeek_ms_ = position_ms;
    if (!awaitingLoad_) seekToPending();
}

void QtMediaPlayer::seekWhenLoaded(QMediaPlayer::MediaStatus status) {
    if (!awaitingLoad_ || status != QMediaPlayer::LoadedMedia) return;
    awaitingLoad_ = false;
    if (pendingSeek_ms_) QMetaObject::invokeMethod(this, &QtMediaPlayer::seekToPending, Qt::QueuedConnection);
}

void QtMediaPlayer::seekToPending() {
    if (!pendingSeek_ms_) return;
    const qint64 position_ms = *pendingSeek_ms_;
    pendingSeek_ms_.reset();
    player_.setPosition(position_ms);
}

void QtMediaPlayer::setForwardPlaybackEnd(double seconds) { playbackEnd_s_ = seconds; }

void QtMediaPlayer::setLoopStart(std::optional<double> seconds) { loopStart_s_ = seconds; }

void QtMediaPlayer::setSound(double volume, bool silent) {
    // The level is as heard; the output wants a linear gain.
    const double level = std::clamp(volume, 0.0, 1.0);
    audio_.setVolume(static_cast<float>(QAudio::convertVolume(level, QAudio::LogarithmicVolumeScale,
                                                              QAudio::LinearVolumeScale)));
    audio_.setMuted(silent);
}

double QtMediaPlayer::currentTime() const {
    if (!item_) return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(pendingSeek_ms_.value_or(player_.position())) / 1000.0;
}

double QtMediaPlayer::rate() const {
    return player_.playbackState() == QMediaPlayer::PlayingState ? player_.playbackRate() : 0.0;
}

void QtMediaPlayer::setRate(double rate) { player_.setPlaybackRate(rate); }

MediaPlayer::ObserverHandle QtMediaPlayer::addPeriodicTimeObserver(double intervalSeconds,
                                                                   std::function<void(double)> tick) {
    auto* timer = new QTimer(this);
    timer->setInterval(std::max(1, static_cast<int>(intervalSeconds * 1000)));
    connect(timer, &QTimer::timeout, this, [this, tick = std::move(tick)] { tick(currentTime()); });
    timer->start();
    return ObserverHandle(timer, [](void* held) { static_cast<QTimer*>(held)->deleteLater(); });
}

void QtMediaPlayer::stopAtPlaybackEnd(qint64 position_ms) {
    if (!(playbackEnd_s_ > 0) || player_.playbackState() != QMediaPlayer::PlayingState ||
        static_cast<double>(position_ms) / 1000.0 < playbackEnd_s_)
        return;
    if (loopStart_s_ && *loopStart_s_ < playbackEnd_s_ && player_.playbackRate() > 0) return seek(*loopStart_s_);
    player_.pause();
}

}  // namespace marrowick
