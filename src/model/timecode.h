// SMPTE timecode text and frame counts, non-drop and drop-frame.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace marrowick::Timecode {

// The frames counted by "HH:MM:SS:FF" at a whole-number timebase (24, 25, 30...). Drop-frame
// timecode (timebase 30 or 60) skips the first two (four) frame numbers of every minute except
// each tenth. Nothing for text that is not a valid timecode at that timebase.
std::optional<std::int64_t> frames(std::string_view text, int timebase, bool dropFrame);

// The timecode of a frame count; drop-frame text uses ';' before the frames.
std::string text(std::int64_t frames, int timebase, bool dropFrame);

// The whole-number timebase that counts a frame rate's frames (23.976 counts in 24s).
int timebase(double frameRate);

// Whether a frame rate is an NTSC rate (30000/1001 or 60000/1001) that drop-frame timecode counts.
bool dropFrameRate(double frameRate);

}  // namespace marrowick::Timecode
