// The workspace controller: owns the open review and everything the views show about it.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include <QObject>
#include <QTimer>

#include "delivery/delivery_preset.h"
#include "delivery/ffmpeg_tools.h"
#include "delivery/preset_library.h"
#include "model/project.h"
#include "workspace/activity_runner.h"
#include "workspace/desktop_dialogs.h"
#include "workspace/film_import.h"
#include "workspace/media_player.h"
#include "workspace/undo_history.h"
#include "workspace/visible_shots.h"
#include "workspace/workspace_state.h"

namespace marrowick {

class AutosaveWriter;

// One instance for the life of the program, confined to the main thread. Views read its state
// through the const accessors (each notes the signal that announces its changes) and change it
// through its operations, which never throw: failures land in `error`.
class ReviewStore : public QObject {
    Q_OBJECT

public:
    static constexpr int kAutosaveDelay_ms = 350;

    // Builds the initial state, loads the safe-zone guides and the delivery presets (catalogues
    // under `resourceRoot`), recovers the last review and starts following the player. `dialogs`
    // must outlive the controller.
    ReviewStore(std::unique_ptr<MediaPlayer> player, DesktopDialogs& dialogs, std::filesystem::path resourceRoot,
                QObject* parent = nullptr);
    ~ReviewStore() override;

    // --- Published state -------------------------------------------------------------------
    const Project& project() const { return project_; }                         // projectChanged
    bool canUndo() const { return history_.undoCount() > 0; }                    // projectChanged
    bool canRedo() const { return history_.redoCount() > 0; }                    // projectChanged
    const std::set<Uuid>& selection() const { return selection_; }              // selectionChanged
    const ShotListOptions& listOptions() const { return listOptions_; }         // listOptionsChanged
    const ActivityState& activity() const { return runner_->state(); }          // activityChanged
    bool busy() const { return activity().busy; }                               // activityChanged
    const std::optional<std::string>& error() const { return error_; }          // messagesChanged
    const std::string& notice() const { return notice_; }                       // messagesChanged
    bool dirty() const { return dirty_; }                                       // documentChanged
    const std::optional<std::filesystem::path>& projectURL() const { return projectURL_; }  // documentChanged
    double playhead() const { return playhead_; }                               // playheadChanged
    const std::vector<DeliveryPreset>& presets() const { return presets_; }     // presetsChanged
    const DeliveryChoices& delivery() const { return delivery_; }               // deliveryChanged
    const AssistantState& assistant() const { return assistant_; }              // assistantChanged
    const PresentationState& presentation() const { return presentation_; }     // presentationChanged
    MediaPlayer& player() { return *player_; }
    const std::filesystem::path& resourceRoot() const { return resourceRoot_; }

    // --- State the views set ---------------------------------------------------------------
    void setSelection(std::set<Uuid> selection);
    void setFilter(std::string filter);
    void setSearch(std::string search);
    void setGroupSort(bool groupSort);
    void setPresets(std::vector<DeliveryPreset> presets);
    void setDelivery(DeliveryChoices delivery);
    void setAssistant(AssistantState assistant);
    void setPresentation(PresentationState presentation);
    void showError(std::string message);
    void clearError();
    void showNotice(std::string message);

    // --- Activities: one at a time ---------------------------------------------------------
    // Opens an activity (pauses the player, clears the notice); false when one is running.
    bool begin(const std::string& activity);
    // Runs the work on a worker thread and closes the activity when it ends, with the finished
    // or cancelled notice or the failure in `error`.
    void finish(ActivityWork work);
    void cancelActivity();
    // An activity's undo step before it stores results (import, redetect): never trimmed.
    void recordActivitySnapshot();
    // Stores an activity's result in the project on the main thread, then autosaves. Applies
    // wholly or not at all; throws the change's failure (within an activity, that ends it).
    void storeActivityResult(const std::function<void(Project&)>& apply);

    // Changes the running activity's text.
    void setActivityText(const std::string& text);

    // --- Films: import, relink, redetect, thumbnails and groups (film_import.h, film_relink.h) --
    void importFiles(const std::vector<std::filesystem::path>& files);
    void importDialog();
    // The window's drop of local files: refused (false) while an activity runs.
    bool dropFiles(const std::vector<std::filesystem::path>& files);
    void relink(const Film& film);
    void redetect(const Film& film);
    void refreshImages();
    // How shot detectors are made; by default from the resource root (tests replace it).
    void setDetectorFactory(DetectorFactory factory) { detectorFactory_ = std::move(factory); }
    DetectorFactory detectors() const;

    // --- Edits -----------------------------------------------------------------------------
    // Applies the change, validates the project and records one undo step; a failing change or
    // validation leaves project and history as they were and shows the message. Refused (false,
    // no message) while an activity runs.
    bool edit(const std::function<void(Project&)>& change);
    // Sets the decision of every selected shot as one edit; the selection stays.
    void decide(Disclosure disclosure);
    // The range edits; each refocuses the player on the current shot afterwards, whether or not
    // the edit succeeded.
    void split(const Uuid& shotID, double seconds);
    void moveRange(const Uuid& shotID, double start, double end);
    void mergeWithNext(const Uuid& shotID);
    void setNote(const Uuid& shotID, const std::string& note);
    void undoEdit();
    void redoEdit();
    // The settings window's in-place change of project settings: no validation, no undo step.
    // The window calls changed() when it closes.
    void changeSettings(const std::function<void(Project&)>& apply);

    // --- Autosave --------------------------------------------------------------------------
    // Marks the review dirty and writes the recovery file 0.35 s after the last of a burst.
    void changed();
    // Writes the recovery file from a snapshot on a background thread; returns at once.
    void persist();
    // Writes the recovery file before returning (quitting).
    void persistNow();
    std::filesystem::path recovery() const;

    // --- Navigation ------------------------------------------------------------------------
    VisibleShots visible() const;
    std::optional<Shot> selected() const;
    std::optional<Film> selectedFilm() const;
    // Selects exactly the shot, or toggles it when `extend`, then refocuses the player.
    void focus(const Uuid& shotID, bool extend);
    // Points the player at the current shot, or pauses it when there is none.
    void focusSelected();
    // Selects the next unreviewed shot of the list (wrapping once) and refocuses.
    void nextUnreviewed();

    // --- Project files ---------------------------------------------------------------------
    void newProject();
    void openProject();
    void openProject(const std::filesystem::path& at, bool confirm);
    // True when the project was written.
    bool save(bool as);
    // True when the current review may be replaced (asking to save unsaved films).
    bool confirmReplace();
    void resolveMedia();

    // --- Delivery presets (review_store_presets.cpp) ---------------------------------------
    // Saves a custom preset into the library file and publishes the new list. Throws ReviewError
    // (validation, a catalogue preset, a name another preset uses, a failed write), leaving the
    // file and `presets` as they were.
    void savePreset(const DeliveryPreset& preset);
    // Archiving also drops the preset from the delivery selection; restoring leaves the selection.
    // These and the import and export show their failures in `error`.
    void archivePreset(const DeliveryPreset& preset);
    void restorePreset(const DeliveryPreset& preset);
    // Asks for a JSON file and adds its presets as custom copies.
    void importPresets();
    // Asks for a JSON destination and writes the whole list there.
    void exportPresets();

    // --- FFmpeg (review_store_ffmpeg.cpp) ---------------------------------------------------
    // The user's ffmpeg and ffprobe: the "ffmpegPath" preference first, then the usual places.
    std::optional<FFmpegTools> ffmpegTools() const;
    // Asks for an executable named ffmpeg with ffprobe beside it and keeps it as the preference
    // (deliveryChanged); anything else shows why in `error`. Cancelling changes nothing.
    void locateFFmpeg();

    // --- Review package (review_store_reports.cpp) -----------------------------------------
    // Asks for a parent folder, writes a new review package folder there and reveals it.
    void exportReports();

    // --- Delivery export (review_store_delivery.cpp) ---------------------------------------
    // Checks the review and the local FFmpeg, asks for a destination folder and runs the export of
    // every film with every selected preset as one activity; reveals the delivery folder.
    void exportDelivery();

signals:
    void projectChanged();
    void selectionChanged();
    void listOptionsChanged();
    void activityChanged();
    void messagesChanged();
    void documentChanged();
    void playheadChanged();
    void presetsChanged();
    void deliveryChanged();
    void assistantChanged();
    void presentationChanged();
    // A background autosave completed (tests and status displays).
    void recoveryWritten();

private:
    template <class T>
    void update(T& field, T value, void (ReviewStore::*signal)());
    void loadPresets();
    void recoverLastReview();
    void closeActivity(ActivityOutcome outcome, const QString& message);
    void step(bool (UndoHistory::*move)(Project&));
    // Installs a project that replaces the review (new, open): clears selection, history,
    // dirty and filter, autosaves and empties the preview.
    void replaceReview(Project project, std::optional<std::filesystem::path> location);
    void setDirty(bool dirty);
    PresetStorage presetStorage() const;

    std::unique_ptr<MediaPlayer> player_;
    MediaPlayer::ObserverHandle observer_;
    DesktopDialogs& dialogs_;
    std::filesystem::path resourceRoot_;
    std::set<std::string> safeZoneIDs_;  // the guides layouts may name, from the shipped catalogue
    ActivityRunner* runner_;  // child QObject
    std::unique_ptr<AutosaveWriter> writer_;
    QTimer autosaveTimer_;
    mutable ShotListQuery query_;
    UndoHistory history_;
    DetectorFactory detectorFactory_;  // empty: the detector of resourceRoot_

    Project project_;
    std::set<Uuid> selection_;
    ShotListOptions listOptions_;
    std::optional<std::string> error_;
    std::string notice_;
    bool dirty_ = false;
    std::optional<std::filesystem::path> projectURL_;
    double playhead_ = 0;
    std::vector<DeliveryPreset> presets_;
    DeliveryChoices delivery_;
    AssistantState assistant_;
    PresentationState presentation_;
};

}  // namespace marrowick
