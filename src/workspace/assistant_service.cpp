// The local assistant requests and the settings' model list.
#include "workspace/assistant_service.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "analysis/shot_imaging.h"
#include "assistant/assistant_note.h"
#include "assistant/local_assistant.h"
#include "model/reference_date.h"
#include "workspace/preferences.h"
#include "workspace/review_document.h"

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

AssistantService::AssistantService(ReviewDocument& review, ActivityHost& host) : review_(review), host_(host) {
    state_.modelName = Preferences::localModel();
}

void AssistantService::setState(AssistantState state) {
    if (state == state_) return;
    state_ = std::move(state);
    emit assistantChanged();
}

void AssistantService::ask(bool boundary) {
    const std::optional<Shot> shot = review_.selected();
    const std::optional<Film> film = review_.selectedFilm();
    if (!shot || !film) return;
    if (state_.modelName.empty()) {
        host_.showError(kEnable);
        return;
    }
    Preferences::setLocalModel(state_.modelName);
    if (!host_.begin(boundary ? kBoundaryActivity : kCheckActivity)) return;
    LocalRuntime& runtime = this->runtime();
    host_.finish([this, &runtime, boundary, shot = *shot, film = *film,
            modelName = state_.modelName](const ActivityContext& context) {
        std::string note = askAssistant(runtime, boundary, film, shot, modelName, context.stopToken());
        context.throwIfCancelled();
        context.onMainThread([this, shotID = shot.id, note = std::move(note), modelName] {
            // A shot removed, split or redetected meanwhile drops the note without a word.
            if (!host_.project().shotIndex(shotID)) return;
            host_.storeActivityResult([&](Project& project) {
                project.shots.mut(*project.shotIndex(shotID)).assistantNote = note;
                project.history.push_back(ReviewEvent{referenceDateNow(), kHistoryAction, {shotID}, modelName});
            });
        });
    });
}

void AssistantService::loadModels() {
    AssistantState state = state_;
    try {
        runtime().available();
    } catch (const std::exception&) {
        state.localStatus = kUnavailable;
        state.models.clear();
        setState(std::move(state));
        return;
    }
    state.models = {LocalModel::included()};
    if (!names(state.models, state.modelName)) state.modelName = state.models.front().name;
    state.localStatus = "Connected · " + std::to_string(state.models.size()) + " local model(s)";
    setState(std::move(state));
}

}  // namespace marrowick
