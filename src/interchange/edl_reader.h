// CMX 3600 edit decision lists: the video events of the record side.
#pragma once

#include <string_view>

#include "interchange/cut_list.h"

namespace marrowick::EdlReader {

// Reads the list's video events with the film's frame rate, since an EDL counts frames without
// naming their rate: timecode counts in the rate's whole-number timebase, "FCM: DROP FRAME" (or
// ';' in a timecode) switches to drop-frame counting. Cuts, dissolves ("D nnn") and wipes
// ("Wnnn nnn", read as dissolves) are kept; keys read as cuts; audio events, comments, titles and
// motion effects are ignored. Throws ReviewError for a malformed event or a timecode the film's
// rate cannot count.
CutList read(std::string_view text, double filmFrameRate);

}  // namespace marrowick::EdlReader
