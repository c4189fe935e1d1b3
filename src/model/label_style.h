// Colour variant of the label artwork, and its JSON string.
#pragma once

#include <optional>
#include <string_view>

namespace marrowick {

enum class LabelStyle { white, black, white50, black50 };

std::string_view labelStyleString(LabelStyle style);
std::optional<LabelStyle> parseLabelStyle(std::string_view text);

}  // namespace marrowick
