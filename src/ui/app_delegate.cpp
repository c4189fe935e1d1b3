// The delegate's quit answer, over the workspace's quit confirmation.
#include "ui/app_delegate.h"

#include "workspace/quit_confirmation.h"

namespace marrowick {

bool AppDelegate::shouldTerminate() { return confirmQuit(store_, dialogs_, stopRuntime_); }

}  // namespace marrowick
