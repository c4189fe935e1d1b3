// Reading films' peaks in the background, through the cache.
#include "workspace/waveforms.h"

#include <QMetaObject>
#include <QStandardPaths>

#include "model/review_error.h"

namespace marrowick {
namespace {

// The cache when the film has a fingerprint, else the file itself; failures give empty peaks.
AudioPeaks peaksOf(const std::filesystem::path& folder, const std::filesystem::path& file,
                   const std::optional<std::string>& sha256, std::stop_token stop) {
    if (sha256)
        if (std::optional<AudioPeaks> cached = AudioPeaks::load(folder, *sha256)) return std::move(*cached);
    AudioPeaks read;
    try {
        read = AudioPeaks::read(file, stop);
    } catch (const ReviewError&) {
        return {};  // a moved or unreadable film simply shows no outline
    }
    if (!sha256) return read;
    try {
        read.save(folder, *sha256);
    } catch (const ReviewError&) {
        // An unwritable cache costs a second reading next time, nothing more.
    }
    return read;
}

// A film's peaks are known by its fingerprint, or by its path before it has one.
std::string keyOf(const Film& film) { return film.sourceSHA256.value_or(film.path); }

}  // namespace

std::filesystem::path Waveforms::defaultFolder() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return std::filesystem::path(cache.toStdString()) / "Marrowick" / "waveforms";
}

Waveforms::Waveforms(std::filesystem::path cacheFolder, QObject* parent)
    : QObject(parent), folder_(std::move(cacheFolder)) {}

Waveforms::~Waveforms() = default;

const AudioPeaks* Waveforms::peaks(const Film& film) {
    const std::string key = keyOf(film);
    if (const auto found = read_.find(key); found != read_.end()) return &found->second;
    Request request{key, film.path, film.sourceSHA256};
    if (!running_) start(std::move(request));
    else if (*running_ != key) waiting_ = std::move(request);
    return nullptr;
}

void Waveforms::forget(const Film& film) {
    const std::string key = keyOf(film);
    read_.erase(key);
    if (running_ == key) discardRunning_ = true;
}

void Waveforms::start(Request request) {
    running_ = request.key;
    discardRunning_ = false;
    worker_ = std::jthread([this, folder = folder_, request = std::move(request)](std::stop_token stop) {
        try {
            AudioPeaks peaks = peaksOf(folder, request.file, request.sha256, stop);
            QMetaObject::invokeMethod(
                this, [this, key = request.key, peaks = std::move(peaks)]() mutable { arrived(key, std::move(peaks)); },
                Qt::QueuedConnection);
        } catch (const Cancelled&) {
            // Quitting: nobody waits for these peaks.
        }
    });
}

void Waveforms::arrived(const std::string& key, AudioPeaks peaks) {
    if (!discardRunning_) read_.insert_or_assign(key, std::move(peaks));
    running_.reset();
    if (waiting_) {
        Request next = std::move(*waiting_);
        waiting_.reset();
        if (!read_.contains(next.key)) start(std::move(next));
    }
    emit ready();
}

}  // namespace marrowick
