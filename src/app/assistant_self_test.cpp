// The smoke test's assistant side: the shot check of the program's own runtime, and its stop.
#include "app/assistant_self_test.h"

#include "assistant/local_assistant.h"
#include "assistant/runtime_process_owner.h"

namespace marrowick::AssistantSelfTest {

std::string describe(const Shot& shot) { return LocalAssistant(LocalRuntime::shared()).check(shot).description; }

void stopRuntime() { RuntimeProcessOwner::shared().terminate(); }

}  // namespace marrowick::AssistantSelfTest
