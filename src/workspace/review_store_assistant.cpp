// The controller's local assistant requests and the settings' model list.
#include <algorithm>
#include <exception>

#include "analysis/shot_imaging.h"
#include "assistant/assistant_note.h"
#include "assistant/local_assistant.h"
#include "model/reference_date.h"
#include "workspace/preferences.h"
#include "workspace/review_store.h"

namespace marrowick {
namespace {

constexpr const char* kEnable = "Open Settings to enable the local vision assistant.";
constexpr const char* kBoundaryActivity = "Local model is checking this boundary…";
constexpr const char* kCheckActivity = "Local model is describing this shot…";
constexpr const char* kUnavailable = "The local model is not installed: llama-server and the model files are installed separately (README, "
    "\"Local assistant\").";
constexpr const char* kHistoryAction = "local-assistant";

Shot renderFrame(Shot shot, const Film& film) { return ShotImaging::enrich(std::move(shot), film); }

std::string askAssistant(LocalRuntime& runtime, bool boundary, const Film& film, const Shot& shot,
                         const std::string& modelName, std::stop_token stop) {
    LocalAssistant assistant(runtime);
    if (boundary)
        return AssistantNote::forBoundary(modelName, assistant.compareBoundary(film, shot.start, renderFrame, stop));
    return AssistantNote::forCheck(modelName, assistant.check(shot, stop));
}

bool names(const std::vector<LocalModel>& models, const std::string& name) {
    return std::any_of(models.begin(), models.end(), [&](const LocalModel& model) { return model.name == name; });
}

}  // namespace

void ReviewStore::assistant(bool boundary) {
    const std::optional<Shot> shot = selected();
    const std::optional<Film> film = selectedFilm();
    if (!shot || !film) return;
    if (assistant_.modelName.empty()) {
        showError(kEnable);
        return;
    }
    Preferences::setLocalModel(assistant_.modelName);
    if (!begin(boundary ? kBoundaryActivity : kCheckActivity)) return;
    LocalRuntime& runtime = assistantRuntime();
    finish([this, &runtime, boundary, shot = *shot, film = *film,
            modelName = assistant_.modelName](const ActivityContext& context) {
        std::string note = askAssistant(runtime, boundary, film, shot, modelName, context.stopToken());
        context.throwIfCancelled();
        context.onMainThread([this, shotID = shot.id, note = std::move(note), modelName] {
            // A shot removed, split or redetected meanwhile drops the note without a word.
            if (!project_.shotIndex(shotID)) return;
            storeActivityResult([&](Project& project) {
                project.shots.mut(*project.shotIndex(shotID)).assistantNote = note;
                project.history.push_back(ReviewEvent{referenceDateNow(), kHistoryAction, {shotID}, modelName});
            });
        });
    });
}

void ReviewStore::loadModels() {
    AssistantState state = assistant_;
    try {
        assistantRuntime().available();
    } catch (const std::exception&) {
        state.localStatus = kUnavailable;
        state.models.clear();
        setAssistant(std::move(state));
        return;
    }
    state.models = {LocalModel::included()};
    if (!names(state.models, state.modelName)) state.modelName = state.models.front().name;
    state.localStatus = "Connected · " + std::to_string(state.models.size()) + " local model(s)";
    setAssistant(std::move(state));
}

}  // namespace marrowick
