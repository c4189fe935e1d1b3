// The player's transport as the reviewer drives it: frame steps, shot jumps, play and shuttle,
// loop, sound and full screen, and the playhead with its time texts.
#pragma once

#include <string>

#include <QObject>

#include "model/uuid.h"
#include "workspace/media_player.h"

namespace marrowick {

class ReviewDocument;
struct Film;

// Owned by the review document, whose review and presentation choices it reads and sets; confined to
// the main thread. Nothing happens while the player has no item.
class Transport : public QObject {
    Q_OBJECT

public:
    // Starts following the player's time; `review` and `player` must outlive the transport.
    Transport(ReviewDocument& review, MediaPlayer& player);

    double playhead() const { return playhead_; }  // playheadChanged
    MediaPlayer& player() { return player_; }

    // A time of a film in the chosen time display; the clock string when the film is unknown.
    std::string timeText(const Uuid& filmID, double seconds) const;
    // The playhead in the chosen time display, counted in the film the player holds.
    std::string playheadText() const;

    // Pauses and shows the decoded frame `frames` frames forward (negative: back) of the player's
    // film, held within its first and last frame.
    void stepFrame(int frames);
    // Pauses and shows the film's first (direction < 0) or last frame.
    void goToFilmEdge(int direction);
    // Loop: playback repeats the current shot. Sound: muted or not, and the level (0 to 100);
    // both are remembered. Full screen: the preview fills the screen.
    void toggleLoop();
    void toggleMute();
    void setVolume(int percent);
    void setFullScreen(bool on);
    // Selects the film's shot whose start comes next (direction > 0) or before the shown frame,
    // and refocuses on it.
    void jumpToShot(int direction);
    // Pauses if playing forward, otherwise plays forward at normal speed.
    void togglePlay();
    // Plays forward at normal speed, whatever rate shuttling left.
    void playForward();
    // Plays forward or backward, doubling the speed while already moving that way (up to 8x).
    void shuttle(int direction);
    // Pauses; the next play runs at normal speed.
    void stopShuttle();

    // Hands the loop and the sound to the player: silent while muted or shuttling faster than
    // normal speed or backwards.
    void applyPlayerOptions();
    // The player was pointed at another shot: hands it the options and announces the playhead,
    // which may now stand in another film, whose timecode the clock shows.
    void followRefocus();

signals:
    // The playhead moved, or now stands in another film (whose timecode the clock shows).
    void playheadChanged();

private:
    // The film whose file the player holds.
    const Film* playerFilm() const;

    ReviewDocument& review_;
    MediaPlayer& player_;
    MediaPlayer::ObserverHandle observer_;
    double playhead_ = 0;
};

}  // namespace marrowick
