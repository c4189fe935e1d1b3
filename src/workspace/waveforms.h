// The sound outline of each film for the timeline: read one film at a time on a worker thread and
// kept per file fingerprint in the user's cache folder, never in the project.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <thread>

#include <QObject>

#include "analysis/audio_peaks.h"
#include "model/film.h"

namespace marrowick {

class Waveforms : public QObject {
    Q_OBJECT

public:
    // "$XDG_CACHE_HOME/Marrowick/waveforms" (by default ~/.cache/Marrowick/waveforms).
    static std::filesystem::path defaultFolder();

    explicit Waveforms(std::filesystem::path cacheFolder, QObject* parent = nullptr);
    ~Waveforms() override;

    // The film's peaks, or null while they are being read; asking starts the reading (after the
    // one under way, if any). A film whose sound cannot be read has empty peaks.
    const AudioPeaks* peaks(const Film& film);

    // Drops what is known of the film's sound, so that the next ask reads it again: a film
    // relinked after its file went missing has sound again under the same fingerprint.
    void forget(const Film& film);

signals:
    // A film's peaks arrived.
    void ready();

private:
    struct Request {
        std::string key;
        std::filesystem::path file;
        std::optional<std::string> sha256;
    };
    void start(Request request);
    void arrived(const std::string& key, AudioPeaks peaks);

    std::filesystem::path folder_;
    std::map<std::string, AudioPeaks> read_;
    std::optional<std::string> running_;
    bool discardRunning_ = false;  // the film being read was forgotten meanwhile
    std::optional<Request> waiting_;  // the latest film asked for while another was read
    std::jthread worker_;            // last: stopped and joined before the rest goes
};

}  // namespace marrowick
