// The open review's view state, messages and navigation.
#include "workspace/review_document.h"

#include <exception>

#include "disclosure/sign_off.h"
#include "workspace/failure_text.h"
#include "workspace/media_player.h"
#include "workspace/preferences.h"
#include "workspace/shot_navigation.h"
#include "workspace/transport.h"
#include "workspace/waveforms.h"

namespace marrowick {

ReviewDocument::ReviewDocument(std::unique_ptr<MediaPlayer> player, std::filesystem::path resourceRoot,
                               QObject* parent)
    : QObject(parent),
      player_(std::move(player)),
      transport_(std::make_unique<Transport>(*this, *player_)),
      resourceRoot_(std::move(resourceRoot)),
      runner_(new ActivityRunner(this)),
      waveforms_(new Waveforms(Waveforms::defaultFolder(), this)) {
    presentation_.timeDisplay = Preferences::timeDisplay();
    presentation_.volume = Preferences::volume();
    presentation_.muted = Preferences::muted();
    presentation_.compactRows = Preferences::compactRows();
    connect(runner_, &ActivityRunner::stateChanged, this, &ReviewDocument::activityChanged);
}

ReviewDocument::~ReviewDocument() = default;

// --- State the views set ---------------------------------------------------------------------

void ReviewDocument::setSelection(std::set<Uuid> selection) {
    update(selection_, std::move(selection), &ReviewDocument::selectionChanged);
}

void ReviewDocument::setFilter(ShotFilter filter) {
    ShotListOptions options = listOptions_;
    options.filter = filter;
    update(listOptions_, std::move(options), &ReviewDocument::listOptionsChanged);
}

void ReviewDocument::setSearch(std::string search) {
    ShotListOptions options = listOptions_;
    options.search = std::move(search);
    update(listOptions_, std::move(options), &ReviewDocument::listOptionsChanged);
}

void ReviewDocument::setGroupSort(bool groupSort) {
    ShotListOptions options = listOptions_;
    options.groupSort = groupSort;
    update(listOptions_, std::move(options), &ReviewDocument::listOptionsChanged);
}

void ReviewDocument::setPresentation(PresentationState presentation) {
    if (presentation.timeDisplay != presentation_.timeDisplay) Preferences::setTimeDisplay(presentation.timeDisplay);
    if (presentation.volume != presentation_.volume) Preferences::setVolume(presentation.volume);
    if (presentation.muted != presentation_.muted) Preferences::setMuted(presentation.muted);
    if (presentation.compactRows != presentation_.compactRows) Preferences::setCompactRows(presentation.compactRows);
    update(presentation_, std::move(presentation), &ReviewDocument::presentationChanged);
    transport_->applyPlayerOptions();
}

void ReviewDocument::showError(std::string message) {
    update(error_, std::optional<std::string>(std::move(message)), &ReviewDocument::messagesChanged);
}

bool ReviewDocument::attempt(const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (...) {
        showError(failureText(std::current_exception()));
        return false;
    }
}

void ReviewDocument::clearError() {
    update(error_, std::optional<std::string>(), &ReviewDocument::messagesChanged);
}

void ReviewDocument::showNotice(std::string message) {
    update(notice_, std::move(message), &ReviewDocument::messagesChanged);
}

void ReviewDocument::cancelActivity() { runner_->cancel(); }

void ReviewDocument::setDirty(bool dirty) { update(dirty_, dirty, &ReviewDocument::documentChanged); }

// --- Navigation ------------------------------------------------------------------------------

VisibleShots ReviewDocument::visible() const { return query_.visible(project_, listOptions_); }

std::optional<Shot> ReviewDocument::selected() const { return ShotNavigation::selected(project_, selection_); }

std::optional<Film> ReviewDocument::selectedFilm() const {
    const std::optional<Shot> shot = selected();
    const Film* film = shot ? project_.film(shot->filmID) : nullptr;
    return film ? std::optional<Film>(*film) : std::nullopt;
}

void ReviewDocument::focus(const Uuid& shotID, bool extend) {
    std::set<Uuid> selection{shotID};
    if (extend) {
        selection = selection_;
        if (!selection.erase(shotID)) selection.insert(shotID);
    }
    setSelection(std::move(selection));
    focusSelected();
}

void ReviewDocument::focusSelected() {
    const std::optional<Shot> shot = selected();
    const Film* film = shot ? project_.film(shot->filmID) : nullptr;
    ShotNavigation::focus(*player_, shot ? &*shot : nullptr, film);
    transport_->followRefocus();
}

void ReviewDocument::nextUnreviewed() {
    const std::optional<Shot> current = selected();
    const std::optional<Uuid> next =
        ShotNavigation::nextUnreviewed(visible(), current ? std::optional<Uuid>(current->id) : std::nullopt);
    if (!next) return;
    setSelection({*next});
    focusSelected();
}

bool ReviewDocument::canSignOff(const Uuid& filmID) const {
    if (busy() || !project_.film(filmID) || !Preferences::reviewer()) return false;
    for (const Shot& shot : project_.shots)
        if (shot.filmID == filmID) return SignOff::unreviewed(project_, filmID) == 0;
    return false;
}

}  // namespace marrowick
