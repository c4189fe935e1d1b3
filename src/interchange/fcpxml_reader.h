// Final Cut Pro X XML (.fcpxml, version 1.8 and later): the primary storyline of the first sequence.
#pragma once

#include <string_view>

#include "interchange/cut_list.h"

namespace marrowick::FcpxmlReader {

// The spine's elements in order: gaps are gaps, transitions span their offset and duration,
// every other element with an offset and a duration (asset clips, clips, compound, sync and
// multicam clips, titles, generators; the active pick of an audition) is a picture. The frame
// rate is that of the sequence's format. Connected clips, other lanes, effects, markers and
// audio roles are ignored. Throws ReviewError for an older version or a spine it cannot time.
CutList read(std::string_view text);

}  // namespace marrowick::FcpxmlReader
