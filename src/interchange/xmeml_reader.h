// Final Cut Pro 7 XML interchange files (.xml, "xmeml"): the first video track of the first sequence.
#pragma once

#include <string_view>

#include "interchange/cut_list.h"

namespace marrowick::XmemlReader {

// Clip items and generator items are pictures, transition items transitions; a clip side that
// reads -1 (it lies under a transition) ends or starts at the transition's cut point, from its
// alignment. Times are frames of the sequence's rate (timebase, ×1000/1001 when NTSC). Other
// tracks, audio, filters, markers and links are ignored. Throws ReviewError for a file that is
// not such a sequence or an item it cannot time.
CutList read(std::string_view text);

}  // namespace marrowick::XmemlReader
