// The local vision assistant: its model list and status, and its requests about the selected shot.
#pragma once

#include <QObject>

#include "assistant/local_runtime.h"
#include "workspace/workspace_state.h"

namespace marrowick {

class ActivityHost;
class ReviewDocument;

// Owned by the controller; confined to the main thread.
class AssistantService : public QObject {
    Q_OBJECT

public:
    // Starts with the model chosen in the preferences; `host` runs the requests as activities; both
    // must outlive the service.
    AssistantService(ReviewDocument& review, ActivityHost& host);

    const AssistantState& state() const { return state_; }  // assistantChanged
    void setState(AssistantState state);

    // Asks the local assistant about the selected shot as an activity: the boundary review at
    // the shot's start when `boundary`, else the shot check. The answer becomes the shot's
    // assistant note with a "local-assistant" history event. Without a chosen model it only
    // shows the message that asks to enable the assistant.
    void ask(bool boundary);
    // Refreshes the model list, the model choice and the status line without starting the runtime.
    void loadModels();
    // The runtime the requests use; by default the program's own (tests point it at a stand-in).
    void setRuntime(LocalRuntime& runtime) { runtime_ = &runtime; }
    LocalRuntime& runtime() const { return runtime_ ? *runtime_ : LocalRuntime::shared(); }

signals:
    void assistantChanged();

private:
    ReviewDocument& review_;
    ActivityHost& host_;
    LocalRuntime* runtime_ = nullptr;  // null: the program's shared runtime
    AssistantState state_;
};

}  // namespace marrowick
