// The open review as the views see it: its state and signals, the view state they set, the
// messages, navigation between shots and the parts the views read. The operations that change
// the project's files, run activities or keep undo live on the controller (review_store.h).
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include <QObject>

#include "model/project.h"
#include "workspace/activity_host.h"
#include "workspace/activity_runner.h"
#include "workspace/shot_drafts.h"
#include "workspace/visible_shots.h"
#include "workspace/workspace_state.h"

namespace marrowick {

class AssistantService;
class DeliverySetup;
class LayoutQueries;
class MediaPlayer;
class Transport;
class Waveforms;

// Implemented by the controller, the one instance for the life of the program, confined to the
// main thread. Views read through the const accessors (each notes the signal that announces its
// changes); nothing here throws: failures land in `error`. The activity side of ActivityHost is
// out of the views' reach: only an explicit ActivityHost reference opens activities.
class ReviewDocument : public QObject, public ActivityHost {
    Q_OBJECT

public:
    // --- Published state -------------------------------------------------------------------
    const Project& project() const override { return project_; }                           // projectChanged
    const std::set<Uuid>& selection() const override { return selection_; }                // selectionChanged
    const ShotListOptions& listOptions() const { return listOptions_; }                    // listOptionsChanged
    const ActivityState& activity() const { return runner_->state(); }                     // activityChanged
    bool busy() const override { return activity().busy; }                                 // activityChanged
    const std::optional<std::string>& error() const { return error_; }                     // messagesChanged
    const std::string& notice() const { return notice_; }                                  // messagesChanged
    bool dirty() const { return dirty_; }                                                  // documentChanged
    const std::optional<std::filesystem::path>& projectURL() const { return projectURL_; } // documentChanged
    const PresentationState& presentation() const override { return presentation_; }       // presentationChanged
    const std::filesystem::path& resourceRoot() const { return resourceRoot_; }
    // False when another Marrowick process owns the recovery file: this one neither recovered
    // from it nor writes it.
    virtual bool autosaves() const = 0;

    // --- The parts views read --------------------------------------------------------------
    MediaPlayer& player() { return *player_; }
    Transport& transport() { return *transport_; }
    const Transport& transport() const { return *transport_; }
    // The films' sound outlines, read in the background (Waveforms::ready announces each).
    Waveforms& waveforms() override { return *waveforms_; }
    // Unsaved inspector texts: the inspector keeps them current; replacing the review drops them.
    ShotDrafts& drafts() { return drafts_; }
    const ShotDrafts& drafts() const { return drafts_; }
    // Presets, delivery choices and FFmpeg (delivery_setup.h).
    virtual DeliverySetup& deliverySetup() = 0;
    virtual const DeliverySetup& deliverySetup() const = 0;
    // The local assistant (assistant_service.h).
    virtual AssistantService& assistant() = 0;
    virtual const AssistantService& assistant() const = 0;
    // The previewed output and the layouts on it, for the review as it stands (layout_queries.h).
    virtual const LayoutQueries& layouts() const = 0;

    // --- State the views set ---------------------------------------------------------------
    void setSelection(std::set<Uuid> selection) override;
    void setFilter(ShotFilter filter);
    void setSearch(std::string search);
    void setGroupSort(bool groupSort);
    void setPresentation(PresentationState presentation);
    void showError(std::string message) override;
    // Runs one operation; true when it ended without an exception. A failure lands in `error`
    // as failureText words it; the operation undoes its own partial changes.
    bool attempt(const std::function<void()>& operation) override;
    void clearError();
    void showNotice(std::string message);
    // Cancels the running activity, if any.
    void cancelActivity();

    // --- Navigation ------------------------------------------------------------------------
    VisibleShots visible() const;
    std::optional<Shot> selected() const;
    std::optional<Film> selectedFilm() const;
    // Selects exactly the shot, or toggles it when `extend`, then refocuses the player.
    void focus(const Uuid& shotID, bool extend);
    // Points the player at the current shot, or pauses it when there is none.
    void focusSelected() override;
    // Selects the next unreviewed shot of the list (wrapping once) and refocuses.
    void nextUnreviewed();

    // Whether the film can be signed off now: a reviewer name is set, the film has shots, all of
    // them are reviewed and no activity runs.
    bool canSignOff(const Uuid& filmID) const;

signals:
    void projectChanged();
    void selectionChanged();
    void listOptionsChanged();
    void activityChanged();
    void messagesChanged();
    void documentChanged();
    void presentationChanged();

private:
    using ActivityHost::addOutcomeNote;
    using ActivityHost::begin;
    using ActivityHost::finish;
    using ActivityHost::recordActivitySnapshot;
    using ActivityHost::setActivityText;
    using ActivityHost::storeActivityResult;

protected:
    // Starts following the player; `resourceRoot` holds the shipped catalogues and models.
    ReviewDocument(std::unique_ptr<MediaPlayer> player, std::filesystem::path resourceRoot, QObject* parent);
    ~ReviewDocument() override;

    template <class T>
    void update(T& field, T value, void (ReviewDocument::*signal)()) {
        if (field == value) return;
        field = std::move(value);
        emit(this->*signal)();
    }
    void setDirty(bool dirty);

    std::unique_ptr<MediaPlayer> player_;
    std::unique_ptr<Transport> transport_;  // follows player_, so it goes first
    std::filesystem::path resourceRoot_;
    ActivityRunner* runner_;  // child QObject
    Waveforms* waveforms_;    // child QObject
    mutable ShotListQuery query_;
    ShotDrafts drafts_;

    Project project_;
    std::set<Uuid> selection_;
    ShotListOptions listOptions_;
    std::optional<std::string> error_;
    std::string notice_;
    bool dirty_ = false;
    std::optional<std::filesystem::path> projectURL_;
    PresentationState presentation_;
};

}  // namespace marrowick
