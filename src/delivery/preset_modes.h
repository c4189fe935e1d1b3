// The modes a preset names by word: how it controls the video bitrate, which raster its output
// takes, and how strictly it holds the frame rate.
#pragma once

#include <optional>
#include <string_view>

namespace marrowick {

// A constant rate factor, an average or a constant bitrate, or the codec's own quality levels (ProRes).
enum class RateMode { crf, vbr, cbr, quality };

// The source's raster, an exact width and height, or the source's shrunk to a longest edge.
enum class RasterMode { source, exact, maxLongestEdge };

// One frame rate, any of a list (within a tolerance), or any within a range.
enum class FrameRatePolicy { exact, allowed, range };

// The validator's rule texts for any other word where a mode is asked for.
inline constexpr const char* kUnsupportedRateControl = "unsupported rate control";
inline constexpr const char* kInvalidResolutionMode = "invalid resolution mode";
inline constexpr const char* kInvalidFrameRatePolicy = "invalid frame-rate policy";

// The words preset files and the editor use: "crf", "vbr", "cbr", "quality"; "source", "exact",
// "max_longest_edge"; "exact", "allowed", "range". Parsing gives nothing for any other text.
std::string_view rateModeKey(RateMode mode);
std::optional<RateMode> parseRateMode(std::string_view key);
std::string_view rasterModeKey(RasterMode mode);
std::optional<RasterMode> parseRasterMode(std::string_view key);
std::string_view frameRatePolicyKey(FrameRatePolicy policy);
std::optional<FrameRatePolicy> parseFrameRatePolicy(std::string_view key);

}  // namespace marrowick
