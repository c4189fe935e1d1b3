// The local assistant's part of the smoke test: asking it about one shot and stopping its process.
#pragma once

#include <string>

#include "model/shot.h"

namespace marrowick::AssistantSelfTest {

// The assistant's description of the shot, waited for; throws ReviewError on any failure.
std::string describe(const Shot& shot);

// Stops the local runtime's process, if one runs.
void stopRuntime();

}  // namespace marrowick::AssistantSelfTest
