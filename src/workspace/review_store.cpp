// The workspace controller's state, start-up, edit wrapper, autosave and file operations.
#include "workspace/review_store.h"

#include <cmath>
#include <exception>
#include <vector>

#include "disclosure/safe_zones.h"
#include "workspace/autosave_writer.h"
#include "workspace/failure_text.h"
#include "workspace/film_relink.h"
#include "workspace/preferences.h"
#include "workspace/project_files.h"
#include "workspace/recovery_file.h"
#include "workspace/recovery_lock.h"
#include "workspace/search_key_folder.h"
#include "workspace/transport.h"

namespace marrowick {
namespace {

constexpr const char* kFinishedNotice = "Finished. Your review is autosaved locally.";
constexpr const char* kCancelledNotice = "Cancelled. Completed work is retained.";
constexpr const char* kRecoveredNotice = "Recovered your last review. Save a project file to keep a named copy.";
constexpr const char* kAutosaveFailed = "Autosave failed: ";
constexpr const char* kRecoveryHeldElsewhere =
    "Another Marrowick window keeps the local recovery copy; this window does not autosave. Save a project file.";
constexpr int kKeyFoldDelay_ms = 100;

}  // namespace

ReviewStore::ReviewStore(std::unique_ptr<MediaPlayer> player, DesktopDialogs& dialogs,
                         std::filesystem::path resourceRoot, QObject* parent)
    : ReviewDocument(std::move(player), std::move(resourceRoot), parent),
      dialogs_(dialogs),
      setup_(std::make_unique<DeliverySetup>(*this, dialogs, resourceRoot_)),
      assistant_(std::make_unique<AssistantService>(*this, *this)),
      layouts_({project_, selection_, setup_->presets(), presentation_}, SafeZones::load(resourceRoot_), resourceRoot_) {
    safeZoneIDs_ = SafeZones::profileIDs(layouts_.safeZoneProfiles());
    connect(runner_, &ActivityRunner::ended, this, &ReviewStore::closeActivity);

    writer_ = std::make_unique<AutosaveWriter>([this](const std::optional<std::string>& failure) {
        QMetaObject::invokeMethod(
            this,
            [this, failure] {
                if (failure) showError(kAutosaveFailed + *failure);
                else emit recoveryWritten();
            },
            Qt::QueuedConnection);
    });
    autosaveTimer_.setSingleShot(true);
    autosaveTimer_.setInterval(kAutosaveDelay_ms);
    connect(&autosaveTimer_, &QTimer::timeout, this, &ReviewStore::persist);

    keyFolder_ = std::make_unique<SearchKeyFolder>([this](ShotSearchIndex::Folded folded) {
        QMetaObject::invokeMethod(
            this,
            [this, folded = std::move(folded)]() mutable {
                query_.adoptKeys(std::move(folded));
                emit searchKeysReady();
            },
            Qt::QueuedConnection);
    });
    keyFoldTimer_.setSingleShot(true);
    keyFoldTimer_.setInterval(kKeyFoldDelay_ms);
    connect(&keyFoldTimer_, &QTimer::timeout, this,
            [this] { keyFolder_->submit(project_, TextFolding::forUserLocale().turkic()); });
    connect(this, &ReviewStore::projectChanged, &keyFoldTimer_, qOverload<>(&QTimer::start));

    if (std::optional<std::string> failure = setup_->load()) error_ = std::move(failure);
    recoverLastReview();
    transport_->applyPlayerOptions();
}

ReviewStore::~ReviewStore() {
    // Stop the threads while every member they report to is still alive: the writer finishes
    // its pending snapshot, the activity's worker is cancelled and joined, the key folding is
    // abandoned.
    keyFolder_.reset();
    writer_.reset();
    delete runner_;
}

void ReviewStore::recoverLastReview() {
    recoveryLock_ = std::make_unique<RecoveryLock>(RecoveryFile::lockLocation());
    if (!autosaves()) {
        notice_ = kRecoveryHeldElsewhere;
        qWarning("%s", kRecoveryHeldElsewhere);
        return;
    }
    RecoveryFile::removeAbandonedTemporaries();
    std::optional<Project> recovered = RecoveryFile::recover(safeZoneIDs_);
    if (!recovered) return;
    project_ = std::move(*recovered);
    dirty_ = true;
    notice_ = kRecoveredNotice;
    resolveMedia();
}

// --- Activities ------------------------------------------------------------------------------

bool ReviewStore::begin(const std::string& activity) {
    if (!runner_->begin(activity)) return false;
    player_->pause();
    showNotice({});
    outcomeNotes_.clear();
    return true;
}

void ReviewStore::addOutcomeNote(const std::string& note) { outcomeNotes_ += note + " "; }

void ReviewStore::finish(ActivityWork work) { runner_->finish(std::move(work)); }

void ReviewStore::closeActivity(ActivityOutcome outcome, const QString& message) {
    switch (outcome) {
        case ActivityOutcome::finished: showNotice(outcomeNotes_ + kFinishedNotice); break;
        case ActivityOutcome::cancelled: showNotice(outcomeNotes_ + kCancelledNotice); break;
        case ActivityOutcome::failed: showError(message.toStdString()); break;
    }
}

void ReviewStore::setActivityText(const std::string& text) { runner_->setActivity(text); }

DetectorFactory ReviewStore::detectors() const {
    if (detectorFactory_) return detectorFactory_;
    return [root = resourceRoot_] { return std::make_unique<ShotDetector>(root); };
}

void ReviewStore::importFiles(const std::vector<std::filesystem::path>& files) {
    FilmImport::importFiles(*this, detectors(), files);
}

void ReviewStore::importDialog() { FilmImport::importDialog(*this, dialogs_, detectors()); }

void ReviewStore::importWithCutList() { FilmImport::importWithCutList(*this, dialogs_, detectors()); }

void ReviewStore::importNewVersion() { FilmImport::importNewVersion(*this, dialogs_, detectors()); }

bool ReviewStore::dropFiles(const std::vector<std::filesystem::path>& files) {
    return FilmImport::drop(*this, detectors(), files);
}

void ReviewStore::relink(const Film& film) { FilmRelink::relink(*this, dialogs_, film); }

void ReviewStore::redetect(const Film& film) { FilmRelink::redetect(*this, dialogs_, detectors(), film); }

void ReviewStore::refreshImages() { FilmImport::refreshImages(*this); }

void ReviewStore::recordActivitySnapshot() {
    history_.recordActivity(project_);
    emit projectChanged();
}

void ReviewStore::storeActivityResult(const std::function<void(Project&)>& apply) {
    // Whole or not at all; a failure propagates to the activity, which ends with its message.
    Project updated = project_;
    const std::size_t firstNew = updated.history.size();
    apply(updated);
    updated.attribute(firstNew, Preferences::reviewer());
    project_ = std::move(updated);
    emit projectChanged();
    changed();
}

// --- Edits -----------------------------------------------------------------------------------

bool ReviewStore::edit(const std::function<void(Project&)>& change) {
    if (busy()) return false;
    Project snapshot = project_;
    const bool applied = attempt([&] {
        change(project_);
        project_.attribute(snapshot.history.size(), Preferences::reviewer());
        project_.validated(safeZoneIDs_);
    });
    if (!applied) {
        project_ = std::move(snapshot);
        return false;
    }
    history_.recordEdit(std::move(snapshot));
    emit projectChanged();
    changed();
    return true;
}

void ReviewStore::decide(Disclosure disclosure) {
    // Nothing selected decides nothing: no history event, no undo step, no autosave.
    if (selection_.empty()) return;
    const std::vector<Uuid> ids(selection_.begin(), selection_.end());
    edit([&](Project& project) { project.decide(ids, disclosure); });
}

void ReviewStore::acceptCarried() {
    std::vector<Uuid> ids;
    for (const Uuid& id : selection_)
        if (const auto index = project_.shotIndex(id); index && project_.shots[*index].carriedFrom) ids.push_back(id);
    if (ids.empty()) return;
    edit([&](Project& project) { project.acceptCarried(ids); });
}

void ReviewStore::split(const Uuid& shotID, double seconds) {
    edit([&](Project& project) { project.split(shotID, seconds); });
    focusSelected();
}

void ReviewStore::moveRange(const Uuid& shotID, double start, double end) {
    edit([&](Project& project) { project.moveRange(shotID, start, end); });
    focusSelected();
}

void ReviewStore::mergeWithNext(const Uuid& shotID) {
    edit([&](Project& project) { project.mergeWithNext(shotID); });
    focusSelected();
}

void ReviewStore::setNote(const Uuid& shotID, const std::string& note) {
    edit([&](Project& project) { project.setNote(shotID, note); });
}

void ReviewStore::undoEdit() { step(&UndoHistory::undo); }

void ReviewStore::redoEdit() { step(&UndoHistory::redo); }

void ReviewStore::step(bool (UndoHistory::*move)(Project&)) {
    if (busy() || !(history_.*move)(project_)) return;
    emit projectChanged();
    changed();
    focusSelected();
}

void ReviewStore::changeSettings(const std::function<void(Project&)>& apply) {
    Project updated = project_;
    if (!attempt([&] { apply(updated); })) return;
    project_ = std::move(updated);
    emit projectChanged();
}

// --- Autosave --------------------------------------------------------------------------------

void ReviewStore::changed() {
    setDirty(true);
    autosaveTimer_.start();
}

void ReviewStore::persist() {
    autosaveTimer_.stop();
    if (!autosaves()) return;
    writer_->submit(project_, recovery());
}

void ReviewStore::persistNow() {
    autosaveTimer_.stop();
    if (!autosaves()) return;
    try {
        writer_->writeNow(project_, recovery());
    } catch (...) {
        showError(kAutosaveFailed + failureText(std::current_exception()));
    }
}

std::filesystem::path ReviewStore::recovery() const { return RecoveryFile::location(); }

bool ReviewStore::autosaves() const { return recoveryLock_ && recoveryLock_->held(); }

// --- Project files ---------------------------------------------------------------------------

bool ReviewStore::confirmDiscardDrafts(const std::string& discardButton) {
    const std::size_t count = drafts_.count(project_);
    if (count == 0) return true;
    enum Answer : std::size_t { keepEditing, discard };
    const std::size_t answer = dialogs_.alert(
        {"Discard unsaved notes and ranges?",
         std::to_string(count) + " shot(s) have a note or range typed in the inspector but not saved.",
         {"Keep editing", discardButton}});
    return answer == discard;
}

bool ReviewStore::confirmReplace() {
    if (busy() || !confirmDiscardDrafts("Discard")) return false;
    if (!dirty_ || project_.films.empty()) return true;
    enum Answer : std::size_t { saveFirst, discard, cancel };
    const std::size_t answer = dialogs_.alert({"Save this review?", "Keep a named project before replacing this review.",
                                               {"Save", "Discard", "Cancel"}});
    if (answer == saveFirst) return save(false);
    return answer == discard;
}

void ReviewStore::newProject() {
    if (!confirmReplace()) return;
    replaceReview(Project{}, std::nullopt);
}

void ReviewStore::openProject() {
    if (!confirmReplace()) return;
    if (const auto file = dialogs_.openFile(ProjectFiles::openExtensions())) openProject(*file, false);
}

void ReviewStore::openProject(const std::filesystem::path& at, bool confirm) {
    // An activity's results must never land in a review opened under it, even when asked
    // without confirmation.
    if (busy() || (confirm && !confirmReplace())) return;
    Project opened;
    if (!attempt([&] { opened = ProjectFiles::read(at, safeZoneIDs_); })) return;
    ProjectFiles::resolveMedia(opened);
    showNotice({});
    replaceReview(std::move(opened), at);
}

void ReviewStore::replaceReview(Project project, std::optional<std::filesystem::path> location) {
    project_ = std::move(project);
    history_.clear();
    drafts_.clearAll();
    emit projectChanged();
    setSelection({});
    setFilter({});
    update(projectURL_, std::move(location), &ReviewStore::documentChanged);
    setDirty(false);
    persist();
    player_->replaceItem(std::nullopt);
}

bool ReviewStore::save(bool as) {
    std::optional<std::filesystem::path> target = as ? std::nullopt : projectURL_;
    if (!target) target = dialogs_.saveFile(project_.name + ".marrowick", ProjectFiles::saveExtensions());
    if (!target) return false;
    if (!attempt([&] { ProjectFiles::write(*target, project_, safeZoneIDs_); })) return false;
    update(projectURL_, std::move(target), &ReviewStore::documentChanged);
    setDirty(false);
    persist();
    return true;
}

void ReviewStore::resolveMedia() {
    ProjectFiles::resolveMedia(project_);
}

}  // namespace marrowick
