// The one thread that starts child processes. Linux sends a child its parent-death signal when
// the thread that forked it ends, not the process; forking from a thread that lives as long as
// the program ties the child's life to the program's instead of to a finished request's thread.
#pragma once

#include <functional>

namespace marrowick::LauncherThread {

// Runs `work` on the launcher thread and waits for it; rethrows what it throws.
void run(const std::function<void()>& work);

}  // namespace marrowick::LauncherThread
