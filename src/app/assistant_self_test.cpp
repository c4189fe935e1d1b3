// This build ships no local assistant runtime, so the shot check fails as it does when the
// runtime's files are absent, and there is never a process to stop.
#include "app/assistant_self_test.h"

#include "model/review_error.h"

namespace marrowick::AssistantSelfTest {

std::string describe(const Shot&) {
    throw ReviewError("The included local assistant is missing. Reinstall the complete Marrowick app.");
}

void stopRuntime() {}

}  // namespace marrowick::AssistantSelfTest
