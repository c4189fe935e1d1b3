// The application's answer to a request to quit: ask about a running activity, then autosave.
#pragma once

#include <functional>

#include "workspace/desktop_dialogs.h"

namespace marrowick {

class ReviewStore;

// True when the program may quit now. `store` may be null (the controller is gone: quit at once).
// Unsaved inspector drafts ask first whether to discard them; "Keep editing" refuses the quit.
// While an activity runs, asks whether to cancel it; "Keep working" refuses the quit. Otherwise
// cancels the activity without waiting for it, writes the recovery file, then calls `stopRuntime`
// (the local assistant's process owner).
bool confirmQuit(ReviewStore* store, DesktopDialogs& dialogs, const std::function<void()>& stopRuntime);

}  // namespace marrowick
