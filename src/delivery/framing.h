// How a film meets an exact output raster of another shape: fitted with padded edges or filled
// with cropped edges.
#pragma once

#include <optional>
#include <string_view>

namespace marrowick {

enum class Framing { pad, crop };

// The refusal for any other word where a framing is asked for.
inline constexpr const char* kInvalidFraming = "Invalid canvas mode.";

// "pad" and "crop", the words the command line and the pickers use; nothing for any other text.
std::string_view framingKey(Framing framing);
std::optional<Framing> parseFraming(std::string_view key);

}  // namespace marrowick
