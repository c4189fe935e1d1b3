// The workspace controller: owns the open review and everything the views show about it.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include <QObject>
#include <QTimer>

#include "assistant/local_runtime.h"
#include "delivery/delivery_preset.h"
#include "delivery/encode_plan.h"
#include "delivery/ffmpeg_tools.h"
#include "delivery/preset_library.h"
#include "disclosure/label_layout_change.h"
#include "disclosure/layout_placement.h"
#include "disclosure/review_report.h"
#include "disclosure/safe_zones.h"
#include "model/project.h"
#include "workspace/activity_runner.h"
#include "workspace/desktop_dialogs.h"
#include "workspace/film_import.h"
#include "workspace/media_player.h"
#include "workspace/waveforms.h"
#include "workspace/undo_history.h"
#include "workspace/search_key_folder.h"
#include "workspace/shot_drafts.h"
#include "workspace/visible_shots.h"
#include "workspace/workspace_state.h"

namespace marrowick {

class AutosaveWriter;
class RecoveryLock;

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
    // The films' sound outlines, read in the background (Waveforms::ready announces each).
    Waveforms& waveforms() { return *waveforms_; }
    const std::filesystem::path& resourceRoot() const { return resourceRoot_; }

    // --- State the views set ---------------------------------------------------------------
    void setSelection(std::set<Uuid> selection);
    void setFilter(ShotFilter filter);
    void setSearch(std::string search);
    void setGroupSort(bool groupSort);
    void setPresets(std::vector<DeliveryPreset> presets);
    void setDelivery(DeliveryChoices delivery);
    void setAssistant(AssistantState assistant);
    void setPresentation(PresentationState presentation);
    void showError(std::string message);
    // Runs one operation; true when it ended without an exception. A failure lands in `error`
    // as failureText words it; the operation undoes its own partial changes.
    bool attempt(const std::function<void()>& operation);
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
    // A sentence the running activity's closing notice starts with (main thread).
    void addOutcomeNote(const std::string& note);

    // --- Films: import, relink, redetect, thumbnails and groups (film_import.h, film_relink.h) --
    void importFiles(const std::vector<std::filesystem::path>& files);
    void importDialog();
    // Asks for a film and its editor's cut list and imports the film with the list's shots.
    void importWithCutList();
    // Asks for an earlier cut's review file and the new cut's films; imports them carrying its decisions.
    void importNewVersion();
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
    // Sets the decision of every selected shot as one edit; the selection stays. Without a
    // selection nothing changes.
    void decide(Disclosure disclosure);
    // Accepts the earlier cut's decision on every selected shot that carries one, as one edit;
    // nothing (no undo step) when none does.
    void acceptCarried();
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
    // False when another Marrowick process owns the recovery file: this one neither recovered
    // from it nor writes it.
    bool autosaves() const;

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

    // --- Times as the reviewer reads them (review_store_transport.cpp) ----------------------
    // A time of a film in the chosen time display; the clock string when the film is unknown.
    std::string timeText(const Uuid& filmID, double seconds) const;
    // The playhead in the chosen time display, counted in the film the player holds.
    std::string playheadText() const;

    // --- Transport (review_store_transport.cpp): nothing happens while the player has no item --
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

    // --- Project files ---------------------------------------------------------------------
    void newProject();
    void openProject();
    void openProject(const std::filesystem::path& at, bool confirm);
    // True when the project was written.
    bool save(bool as);
    // True when the current review may be replaced (asking about unsaved drafts, then to save
    // unsaved films).
    bool confirmReplace();
    // True when no shot holds an unsaved draft, or the user chose `discardButton` over keeping
    // on editing.
    bool confirmDiscardDrafts(const std::string& discardButton);

    // --- Unsaved inspector texts: the inspector keeps them current; replacing the review drops them
    ShotDrafts& drafts() { return drafts_; }
    const ShotDrafts& drafts() const { return drafts_; }
    void resolveMedia();

    // --- Delivery presets (review_store_presets.cpp) ---------------------------------------
    // Normalizes an edited custom preset, saves it into the library file and publishes the new
    // list. On failure (validation, a catalogue preset, a name another preset uses, a failed
    // write) returns the text for the editor, leaving the file and `presets` as they were.
    std::optional<std::string> savePreset(const DeliveryPreset& edited);
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
    // --- Local assistant (review_store_assistant.cpp) --------------------------------------
    // Asks the local assistant about the selected shot as an activity: the boundary review at
    // the shot's start when `boundary`, else the shot check. The answer becomes the shot's
    // assistant note with a "local-assistant" history event. Without a chosen model it only
    // shows the message that asks to enable the assistant.
    void assistant(bool boundary);
    // Refreshes the model list, the model choice and the status line without starting the runtime.
    void loadModels();
    // The runtime the requests use; by default the program's own (tests point it at a stand-in).
    void setAssistantRuntime(LocalRuntime& runtime) { assistantRuntime_ = &runtime; }
    LocalRuntime& assistantRuntime() const { return assistantRuntime_ ? *assistantRuntime_ : LocalRuntime::shared(); }

    // --- Sign-off and the review report (review_store_signoff.cpp, review_store_report.cpp) -----
    // Whether the film can be signed off now: a reviewer name is set, the film has shots, all of
    // them are reviewed and no activity runs.
    bool canSignOff(const Uuid& filmID) const;
    // Signs the film off under the reviewer from the preferences, as one undoable edit. A film
    // without a recorded fingerprint is fingerprinted first, as an activity.
    void signOff(const Uuid& filmID);
    // Writes a review report to a file; the window installs the writer that lays out PDF pages.
    using ReportWriter = std::function<void(const Project&, const ReviewReport::Options&, const std::filesystem::path&)>;
    void setReportWriter(ReportWriter writer) { reportWriter_ = std::move(writer); }
    // Asks for a .pdf or .html destination and writes the review report there as an activity
    // with progress and cancellation.
    void exportReviewReport();

    // --- Review package, labelled copies, timeline (review_store_reports.cpp) -----------------
    // Asks for a parent folder, writes a new review package folder there and reveals it.
    void exportReports();
    // Once every shot is reviewed: asks for a parent folder and, as an activity, writes a new
    // "Marrowick-video-" folder with the package and one labelled movie per film, then reveals it.
    void exportVideos();
    // Asks for an .otio or .edl destination and writes the review there as a timeline.
    void exportTimeline();

    // --- Output preview and label layouts (review_store_layouts.cpp) -------------------------
    // The safe-zone guides of the shipped catalogue, in file order, loaded at start.
    const std::vector<SafeZoneProfile>& safeZoneProfiles() const { return safeZones_; }
    // The listed preset whose key is the preview preset key, if any.
    std::optional<DeliveryPreset> previewPreset() const;
    // The selected film's raster as the preview preset encodes it, or its own raster without a
    // preset; nothing without a selected film or when the preset makes no usable raster.
    std::optional<RasterSize> previewSize() const;
    // Width / height of the artwork of a labelled decision in the project's style; nothing when
    // the artwork cannot be read.
    std::optional<double> artworkAspect(Disclosure disclosure) const;
    // The output layouts are edited for (preview preset, preview size, the "modified" artwork's
    // aspect or 4.5); nothing without a preview size.
    std::optional<LayoutOutput> layoutOutput() const;
    // The key an edit of the current output changes: the preview preset's own layout when
    // `presetScope` and a preset is previewed, else the aspect ratio's. Nothing without an output.
    std::optional<std::string> layoutKey(bool presetScope) const;
    // The layout stored under the key, or the one its first edit starts from.
    std::optional<LabelLayout> shownLayout(const std::string& key) const;
    // The safe rectangle of that layout's guide, in output pixels.
    std::optional<LabelRect> guideRect(const std::string& key) const;
    // True when both labels can be drawn for the output and either leaves the layout's guide.
    bool labelOutsideGuide(const std::string& key) const;
    // Edits the layout under the key by one change, as one undoable edit; nothing happens
    // without an output.
    void changeLayout(const std::string& key, const LabelLayoutChange& change);
    // Removes the layout under the key, as one undoable edit.
    void resetLayout(const std::string& key);
    // Moves the layout into a corner of its guide ("Top left" ... "Bottom right"), narrowing the
    // label when the guide needs it; shows why when even the minimum width does not fit.
    void fitInGuide(const std::string& key, const std::string& corner);

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
    // The search keys of the review as it now stands were folded in the background (tests and
    // benchmarks).
    void searchKeysReady();

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
    // The film whose file the player holds.
    const Film* playerFilm() const;
    // Hands the loop and the sound to the player: silent while muted or shuttling faster than
    // normal speed or backwards.
    void applyPlayerOptions();

    std::unique_ptr<MediaPlayer> player_;
    MediaPlayer::ObserverHandle observer_;
    DesktopDialogs& dialogs_;
    ReportWriter reportWriter_;
    std::filesystem::path resourceRoot_;
    std::vector<SafeZoneProfile> safeZones_;
    std::set<std::string> safeZoneIDs_;  // the guides layouts may name, from the shipped catalogue
    // Artwork aspect ratios by decision and style: each picture is decoded once.
    mutable std::map<std::pair<Disclosure, LabelStyle>, std::optional<double>> artworkAspects_;
    ActivityRunner* runner_;  // child QObject
    std::unique_ptr<RecoveryLock> recoveryLock_;
    std::unique_ptr<AutosaveWriter> writer_;
    QTimer autosaveTimer_;
    mutable ShotListQuery query_;
    std::unique_ptr<SearchKeyFolder> keyFolder_;
    QTimer keyFoldTimer_;  // folds the keys once the review has stopped changing for a moment
    UndoHistory history_;
    ShotDrafts drafts_;
    DetectorFactory detectorFactory_;  // empty: the detector of resourceRoot_
    LocalRuntime* assistantRuntime_ = nullptr;  // null: the program's shared runtime
    Waveforms* waveforms_;  // child QObject

    Project project_;
    std::set<Uuid> selection_;
    ShotListOptions listOptions_;
    std::optional<std::string> error_;
    std::string notice_;
    std::string outcomeNotes_;  // of the running activity, for its closing notice
    bool dirty_ = false;
    std::optional<std::filesystem::path> projectURL_;
    double playhead_ = 0;
    std::vector<DeliveryPreset> presets_;
    DeliveryChoices delivery_;
    AssistantState assistant_;
    PresentationState presentation_;
};

}  // namespace marrowick
