// The controller's transport: frame steps, shot jumps and shuttle speeds on the player.
#include <algorithm>
#include <cmath>

#include "model/clock_string.h"
#include "model/film_time.h"
#include "workspace/frame_steps.h"
#include "workspace/review_store.h"

namespace marrowick {

const Film* ReviewStore::playerFilm() const {
    const std::optional<std::filesystem::path> item = player_->currentItem();
    if (!item) return nullptr;
    for (const Film& film : project_.films)
        if (std::filesystem::path(film.path).lexically_normal() == item->lexically_normal()) return &film;
    return nullptr;
}

std::string ReviewStore::timeText(const Uuid& filmID, double seconds) const {
    const Film* film = project_.film(filmID);
    return film ? FilmTime::text(*film, seconds, presentation_.timeDisplay) : clockString(seconds);
}

std::string ReviewStore::playheadText() const {
    const Film* film = playerFilm();
    return film ? FilmTime::text(*film, playhead_, presentation_.timeDisplay) : clockString(playhead_);
}

void ReviewStore::stepFrame(int frames) {
    const Film* film = playerFilm();
    const double now = player_->currentTime();
    if (!film || !std::isfinite(now)) return;
    player_->pause();
    player_->seek(FrameSteps::neighbour(*film, now, frames));
}

void ReviewStore::goToFilmEdge(int direction) {
    const Film* film = playerFilm();
    if (!film) return;
    player_->pause();
    player_->seek(FrameSteps::frameAt(*film, direction < 0 ? 0 : film->duration));
}

void ReviewStore::toggleLoop() {
    PresentationState presentation = presentation_;
    presentation.loop = !presentation.loop;
    setPresentation(std::move(presentation));
}

void ReviewStore::toggleMute() {
    PresentationState presentation = presentation_;
    presentation.muted = !presentation.muted;
    setPresentation(std::move(presentation));
}

void ReviewStore::setVolume(int percent) {
    PresentationState presentation = presentation_;
    presentation.volume = std::clamp(percent, 0, 100);
    setPresentation(std::move(presentation));
}

void ReviewStore::setFullScreen(bool on) {
    PresentationState presentation = presentation_;
    presentation.fullScreen = on;
    setPresentation(std::move(presentation));
}

void ReviewStore::applyPlayerOptions() {
    const double rate = player_->rate();
    player_->setSound(presentation_.volume / 100.0, presentation_.muted || rate > 1 || rate < 0);
    const std::optional<Shot> shot = selected();
    const bool looping = presentation_.loop && shot && playerFilm() && playerFilm()->id == shot->filmID;
    player_->setLoopStart(looping ? std::optional<double>(shot->start) : std::nullopt);
}

void ReviewStore::jumpToShot(int direction) {
    const Film* film = playerFilm();
    const double now = player_->currentTime();
    if (!film || !std::isfinite(now)) return;
    if (const std::optional<Uuid> shot = FrameSteps::neighbouringShot(project_, *film, now, direction)) {
        setSelection({*shot});
        focusSelected();
    }
}

void ReviewStore::togglePlay() {
    if (player_->rate() > 0) player_->pause();
    else playForward();
}

void ReviewStore::playForward() {
    // Whatever the shuttle keys left behind, play means forward at normal speed.
    player_->setRate(1);
    player_->play();
    applyPlayerOptions();
}

void ReviewStore::shuttle(int direction) {
    if (!player_->currentItem()) return;
    player_->setRate(FrameSteps::shuttleRate(player_->rate(), direction));
    player_->play();
    applyPlayerOptions();
}

void ReviewStore::stopShuttle() {
    player_->pause();
    player_->setRate(1);
    applyPlayerOptions();
}

}  // namespace marrowick
