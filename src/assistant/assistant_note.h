// The texts an assistant answer leaves in a shot's assistant note.
#pragma once

#include <string>

#include "assistant/assistant_result.h"

namespace marrowick::AssistantNote {

// "<model> · <description>\nGroup hint: <hint>\n• <question>\n• <question>..."
std::string forCheck(const std::string& modelName, const AssistantResult& result);

// "Boundary review (<model>):\n<review>"
std::string forBoundary(const std::string& modelName, const std::string& review);

}  // namespace marrowick::AssistantNote
