// The controller's transport: frame steps, shot jumps and shuttle speeds on the player.
#include <cmath>

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

void ReviewStore::stepFrame(int direction) {
    const Film* film = playerFilm();
    const double now = player_->currentTime();
    if (!film || !std::isfinite(now)) return;
    player_->pause();
    player_->seek(FrameSteps::neighbour(*film, now, direction));
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
}

void ReviewStore::shuttle(int direction) {
    if (!player_->currentItem()) return;
    player_->setRate(FrameSteps::shuttleRate(player_->rate(), direction));
    player_->play();
}

void ReviewStore::stopShuttle() {
    player_->pause();
    player_->setRate(1);
}

}  // namespace marrowick
