// How a preset controls the video bitrate: a constant rate factor, an average or a constant
// bitrate, or the codec's own quality levels (ProRes).
#pragma once

#include <optional>
#include <string_view>

namespace marrowick {

enum class RateMode { crf, vbr, cbr, quality };

// The rule text for any other word where a rate-control mode is asked for.
inline constexpr const char* kUnsupportedRateControl = "unsupported rate control";

// "crf", "vbr", "cbr" and "quality", the words preset files and the editor use; nothing for any other text.
std::string_view rateModeKey(RateMode mode);
std::optional<RateMode> parseRateMode(std::string_view key);

}  // namespace marrowick
