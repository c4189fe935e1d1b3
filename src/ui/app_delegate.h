// The application delegate: every quit passes through its confirmation.
#pragma once

#include <functional>

#include "workspace/desktop_dialogs.h"

namespace marrowick {

class ReviewStore;

class AppDelegate {
public:
    // `stopRuntime` stops the local assistant's process (empty: there is none to stop).
    AppDelegate(DesktopDialogs& dialogs, std::function<void()> stopRuntime)
        : dialogs_(dialogs), stopRuntime_(std::move(stopRuntime)) {}

    // Set by the shell once the window shows the controller. Only the main window asks
    // `shouldTerminate`, and the shell closes it before the controller ends.
    void setStore(ReviewStore* store) { store_ = store; }

    // True when the program may end now: asks before cancelling a running activity, then writes
    // the recovery file and stops the local runtime.
    bool shouldTerminate();

private:
    DesktopDialogs& dialogs_;
    std::function<void()> stopRuntime_;
    ReviewStore* store_ = nullptr;
};

}  // namespace marrowick
