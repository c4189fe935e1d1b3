// Quit confirmation of the application delegate.
#include "workspace/quit_confirmation.h"

#include "workspace/review_store.h"

namespace marrowick {

bool confirmQuit(ReviewStore* store, DesktopDialogs& dialogs, const std::function<void()>& stopRuntime) {
    if (!store) return true;
    // Asked first: answering it changes nothing, so a "Keep working" after it loses nothing.
    if (!store->confirmDiscardDrafts("Discard and quit")) return false;
    if (store->busy()) {
        constexpr std::size_t keepWorking = 0;
        const std::size_t answer = dialogs.alert(
            {"An operation is still running",
             "Cancel the operation and quit? Completed imports and your review are retained in local recovery.",
             {"Keep working", "Cancel and quit"}});
        if (answer == keepWorking) return false;
        store->cancelActivity();
    }
    store->persistNow();
    if (stopRuntime) stopRuntime();
    return true;
}

}  // namespace marrowick
