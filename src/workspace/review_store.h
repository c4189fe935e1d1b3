// The workspace controller: the open review (review_document.h) with the operations that change
// it: edits and undo, autosave, project files, film import, exports and sign-off.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <QObject>
#include <QTimer>

#include "disclosure/label_layout_change.h"
#include "disclosure/review_report.h"
#include "workspace/assistant_service.h"
#include "workspace/delivery_setup.h"
#include "workspace/film_import.h"
#include "workspace/layout_queries.h"
#include "workspace/review_document.h"
#include "workspace/undo_history.h"

namespace marrowick {

class AutosaveWriter;
class DesktopDialogs;
class RecoveryLock;
class SearchKeyFolder;

// One instance for the life of the program, confined to the main thread. Its operations never
// throw: failures land in `error`.
class ReviewStore : public ReviewDocument {
    Q_OBJECT

public:
    static constexpr int kAutosaveDelay_ms = 350;

    // Builds the initial state, loads the safe-zone guides and the delivery presets (catalogues
    // under `resourceRoot`), recovers the last review and starts following the player. `dialogs`
    // must outlive the controller.
    ReviewStore(std::unique_ptr<MediaPlayer> player, DesktopDialogs& dialogs, std::filesystem::path resourceRoot,
                QObject* parent = nullptr);
    ~ReviewStore() override;

    bool canUndo() const { return history_.undoCount() > 0; }  // projectChanged
    bool canRedo() const { return history_.redoCount() > 0; }  // projectChanged
    bool autosaves() const override;

    // --- The parts the controller owns -------------------------------------------------------
    DeliverySetup& deliverySetup() override { return *setup_; }
    const DeliverySetup& deliverySetup() const override { return *setup_; }
    AssistantService& assistant() override { return *assistant_; }
    const AssistantService& assistant() const override { return *assistant_; }
    const LayoutQueries& layouts() const override { return layouts_; }

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

    // Regains the films' source files after a review is loaded (project_files.h).
    void resolveMedia();

    // --- Sign-off and the review report (review_store_signoff.cpp, review_store_report.cpp) -----
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

    // --- Label layouts on the output preview (review_store_layouts.cpp) ----------------------
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
    // A background autosave completed (tests and status displays).
    void recoveryWritten();
    // The search keys of the review as it now stands were folded in the background (tests and
    // benchmarks).
    void searchKeysReady();

private:
    // The running activity, for the operations that run one (ActivityHost).
    bool begin(const std::string& activity) override;
    void finish(ActivityWork work) override;
    void recordActivitySnapshot() override;
    void storeActivityResult(const std::function<void(Project&)>& apply) override;
    void setActivityText(const std::string& text) override;
    void addOutcomeNote(const std::string& note) override;

    void recoverLastReview();
    void closeActivity(ActivityOutcome outcome, const QString& message);
    void step(bool (UndoHistory::*move)(Project&));
    // Installs a project that replaces the review (new, open): clears selection, history,
    // dirty and filter, autosaves and empties the preview.
    void replaceReview(Project project, std::optional<std::filesystem::path> location);

    DesktopDialogs& dialogs_;
    ReportWriter reportWriter_;
    std::set<std::string> safeZoneIDs_;  // the guides layouts may name, from the shipped catalogue
    std::unique_ptr<DeliverySetup> setup_;
    std::unique_ptr<AssistantService> assistant_;
    std::unique_ptr<RecoveryLock> recoveryLock_;
    std::unique_ptr<AutosaveWriter> writer_;
    QTimer autosaveTimer_;
    std::unique_ptr<SearchKeyFolder> keyFolder_;
    QTimer keyFoldTimer_;  // folds the keys once the review has stopped changing for a moment
    UndoHistory history_;
    DetectorFactory detectorFactory_;  // empty: the detector of resourceRoot_
    std::string outcomeNotes_;  // of the running activity, for its closing notice
    LayoutQueries layouts_;  // reads the document's state
};

}  // namespace marrowick
