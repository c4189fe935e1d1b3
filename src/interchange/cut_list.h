// An editor's cut list reduced to what the review needs: the record-side events of one video track.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace marrowick {

enum class CutKind {
    clip,        // a picture on the record timeline (a clip, a black slug, a generator)
    gap,         // an empty stretch of the track
    transition,  // a dissolve or wipe: its range overlaps the clips on either side
};

// One event on the record timeline, in seconds of the list's own time.
struct CutEvent {
    double recordIn = 0;
    double recordOut = 0;
    CutKind kind = CutKind::clip;
    friend bool operator==(const CutEvent&, const CutEvent&) = default;
};

struct CutList {
    // The frames per second the list states; 0 when it states none of its own.
    double frameRate = 0;
    // How the list names its rate in messages ("29.97 fps drop frame"); empty for the plain rate.
    std::string frameRateText;
    // The record time of the film's first frame when the list names one (a timeline's start
    // time); otherwise the first event's record in.
    std::optional<double> origin;
    // In list order.
    std::vector<CutEvent> events;
};

}  // namespace marrowick
