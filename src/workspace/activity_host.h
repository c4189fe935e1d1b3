// What the background operations of a review (film import, relink, redetect, assistant requests)
// need from the controller: the review, the one running activity and its results.
#pragma once

#include <functional>
#include <set>
#include <string>

#include "model/project.h"
#include "workspace/activity_runner.h"
#include "workspace/workspace_state.h"

namespace marrowick {

class Waveforms;

// Implemented by the controller, which keeps the activity members private to this interface.
class ActivityHost {
public:
    virtual const Project& project() const = 0;
    virtual const std::set<Uuid>& selection() const = 0;
    virtual void setSelection(std::set<Uuid> selection) = 0;
    // Points the player at the current shot, or pauses it when there is none.
    virtual void focusSelected() = 0;
    virtual const PresentationState& presentation() const = 0;
    virtual Waveforms& waveforms() = 0;
    // True while an activity runs.
    virtual bool busy() const = 0;
    // Runs one operation; true when it ended without an exception, else its failure is shown.
    virtual bool attempt(const std::function<void()>& operation) = 0;
    virtual void showError(std::string message) = 0;
    // Opens an activity (pauses the player, clears the notice); false when one is running.
    virtual bool begin(const std::string& activity) = 0;
    // Runs the work on a worker thread and closes the activity when it ends, with the finished
    // or cancelled notice or the failure shown.
    virtual void finish(ActivityWork work) = 0;
    // An activity's undo step before it stores results (import, redetect): never trimmed.
    virtual void recordActivitySnapshot() = 0;
    // Stores an activity's result in the project on the main thread, then autosaves. Applies
    // wholly or not at all; throws the change's failure (within an activity, that ends it).
    virtual void storeActivityResult(const std::function<void(Project&)>& apply) = 0;
    // Changes the running activity's text.
    virtual void setActivityText(const std::string& text) = 0;
    // A sentence the running activity's closing notice starts with (main thread).
    virtual void addOutcomeNote(const std::string& note) = 0;

protected:
    ~ActivityHost() = default;
};

}  // namespace marrowick
