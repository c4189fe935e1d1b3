// OpenTimelineIO JSON timelines (.otio): the first video track of the timeline's stack.
#pragma once

#include <string_view>

#include "interchange/cut_list.h"

namespace marrowick::OtioReader {

// Clips (and nested stacks or tracks with a range) are pictures, gaps are gaps, transitions
// span their in and out offsets around the cut they sit on. Times are the items' rational
// times; the rate is that of `global_start_time`, else of the first clip's duration. Markers,
// effects, metadata, other tracks and audio are ignored. Throws ReviewError when the text is
// not a timeline or an item has no usable time.
CutList read(std::string_view text);

}  // namespace marrowick::OtioReader
