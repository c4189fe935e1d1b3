// The controller's transport: frame steps, shot jumps and shuttle speeds on the player.
#include "workspace/transport.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

#include "model/clock_string.h"
#include "model/film_time.h"
#include "workspace/frame_steps.h"
#include "workspace/review_document.h"

namespace marrowick {
namespace {

constexpr double kPlayheadInterval_s = 0.04;

}  // namespace

Transport::Transport(ReviewDocument& review, MediaPlayer& player) : review_(review), player_(player) {
    observer_ = player_.addPeriodicTimeObserver(kPlayheadInterval_s, [this](double seconds) {
        const double now = std::isfinite(seconds) ? seconds : 0.0;
        if (now == playhead_) return;
        playhead_ = now;
        emit playheadChanged();
    });
}

const Film* Transport::playerFilm() const {
    const std::optional<std::filesystem::path> item = player_.currentItem();
    if (!item) return nullptr;
    for (const Film& film : review_.project().films)
        if (std::filesystem::path(film.path).lexically_normal() == item->lexically_normal()) return &film;
    return nullptr;
}

std::string Transport::timeText(const Uuid& filmID, double seconds) const {
    const Film* film = review_.project().film(filmID);
    return film ? FilmTime::text(*film, seconds, review_.presentation().timeDisplay) : clockString(seconds);
}

std::string Transport::playheadText() const {
    const Film* film = playerFilm();
    return film ? FilmTime::text(*film, playhead_, review_.presentation().timeDisplay) : clockString(playhead_);
}

void Transport::stepFrame(int frames) {
    const Film* film = playerFilm();
    const double now = player_.currentTime();
    if (!film || !std::isfinite(now)) return;
    player_.pause();
    player_.seek(FrameSteps::neighbour(*film, now, frames));
}

void Transport::goToFilmEdge(int direction) {
    const Film* film = playerFilm();
    if (!film) return;
    player_.pause();
    player_.seek(FrameSteps::frameAt(*film, direction < 0 ? 0 : film->duration));
}

void Transport::toggleLoop() {
    PresentationState presentation = review_.presentation();
    presentation.loop = !presentation.loop;
    review_.setPresentation(std::move(presentation));
}

void Transport::toggleMute() {
    PresentationState presentation = review_.presentation();
    presentation.muted = !presentation.muted;
    review_.setPresentation(std::move(presentation));
}

void Transport::setVolume(int percent) {
    PresentationState presentation = review_.presentation();
    presentation.volume = std::clamp(percent, 0, 100);
    review_.setPresentation(std::move(presentation));
}

void Transport::setFullScreen(bool on) {
    PresentationState presentation = review_.presentation();
    presentation.fullScreen = on;
    review_.setPresentation(std::move(presentation));
}

void Transport::applyPlayerOptions() {
    const PresentationState& presentation = review_.presentation();
    const double rate = player_.rate();
    player_.setSound(presentation.volume / 100.0, presentation.muted || rate > 1 || rate < 0);
    const std::optional<Shot> shot = review_.selected();
    const bool looping = presentation.loop && shot && playerFilm() && playerFilm()->id == shot->filmID;
    player_.setLoopStart(looping ? std::optional<double>(shot->start) : std::nullopt);
}

void Transport::followRefocus() {
    applyPlayerOptions();
    emit playheadChanged();
}

void Transport::jumpToShot(int direction) {
    const Film* film = playerFilm();
    const double now = player_.currentTime();
    if (!film || !std::isfinite(now)) return;
    if (const std::optional<Uuid> shot = FrameSteps::neighbouringShot(review_.project(), *film, now, direction)) {
        review_.setSelection({*shot});
        review_.focusSelected();
    }
}

void Transport::togglePlay() {
    if (player_.rate() > 0) player_.pause();
    else playForward();
}

void Transport::playForward() {
    // Whatever the shuttle keys left behind, play means forward at normal speed.
    player_.setRate(1);
    player_.play();
    applyPlayerOptions();
}

void Transport::shuttle(int direction) {
    if (!player_.currentItem()) return;
    player_.setRate(FrameSteps::shuttleRate(player_.rate(), direction));
    player_.play();
    applyPlayerOptions();
}

void Transport::stopShuttle() {
    player_.pause();
    player_.setRate(1);
    applyPlayerOptions();
}

}  // namespace marrowick
