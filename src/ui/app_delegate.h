// The application delegate: every quit passes through its confirmation.
#pragma once

#include <functional>

#include <QPointer>

#include "workspace/desktop_dialogs.h"
#include "workspace/review_store.h"

namespace marrowick {

class AppDelegate {
public:
    // `stopRuntime` stops the local assistant's process (empty: there is none to stop).
    AppDelegate(DesktopDialogs& dialogs, std::function<void()> stopRuntime)
        : dialogs_(dialogs), stopRuntime_(std::move(stopRuntime)) {}

    // Set by the shell once the window shows the controller.
    void setStore(ReviewStore* store) { store_ = store; }

    // True when the program may end now: asks before cancelling a running activity, then writes
    // the recovery file and stops the local runtime.
    bool shouldTerminate();

private:
    DesktopDialogs& dialogs_;
    std::function<void()> stopRuntime_;
    QPointer<ReviewStore> store_;
};

}  // namespace marrowick
