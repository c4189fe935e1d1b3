// The media player the preview shows and the workspace steers: one item, seeking, playback end.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace marrowick {

// Implemented by the desktop user interface over its player; tests use a fake. Confined to the
// main thread. Times are seconds on the item's presentation timeline.
class MediaPlayer {
public:
    // Keeps a periodic time observer registered for as long as it is held.
    using ObserverHandle = std::shared_ptr<void>;

    virtual ~MediaPlayer() = default;

    // Replaces the current item with one for the file, or removes it (nothing).
    virtual void replaceItem(const std::optional<std::filesystem::path>& file) = 0;
    // The file of the current item, or nothing when the player has no item.
    virtual std::optional<std::filesystem::path> currentItem() const = 0;
    virtual void pause() = 0;
    virtual void play() = 0;
    // Frame-exact: zero tolerance before and after the time.
    virtual void seek(double seconds) = 0;
    // Playback of the current item stops at this time.
    virtual void setForwardPlaybackEnd(double seconds) = 0;
    // While set, playback that reaches the forward playback end goes on from this time.
    virtual void setLoopStart(std::optional<double> seconds) = 0;
    // The sound level (0 to 1) and whether the sound is off.
    virtual void setSound(double volume, bool silent) = 0;
    // Not finite while there is no item.
    virtual double currentTime() const = 0;
    // The current playback rate: 0 while paused, negative while playing backwards.
    virtual double rate() const = 0;
    // The rate the next play() uses, and at once while playing.
    virtual void setRate(double rate) = 0;
    // Calls `tick` with the current time every `intervalSeconds` of media time, on the main thread.
    virtual ObserverHandle addPeriodicTimeObserver(double intervalSeconds, std::function<void(double)> tick) = 0;
};

}  // namespace marrowick
