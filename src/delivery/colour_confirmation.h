// The delivery's gate on untagged source colour, which only the user may declare Rec.709.
#pragma once

#include "delivery/source_probe.h"
#include "model/film.h"

namespace marrowick::MasteringExporter {

// True when FFprobe found no transfer or no primaries on the video.
bool hasUntaggedColour(const SourceProbe& source);

// Unless the user assumed SDR Rec.709, an untagged source is refused with
// "<file> has untagged colour. Confirm SDR Rec.709 in the export dialog, or tag/finish the source first."
void requireConfirmedColour(const Film& film, const SourceProbe& source, bool assumeRec709);

}  // namespace marrowick::MasteringExporter
