// A film's times as the reviewer reads and types them: its own timecode, frame numbers or seconds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/film.h"

namespace marrowick {

// How times are shown: timecode from the film's start timecode, frame numbers ("#123") or the
// clock string of seconds.
enum class TimeDisplay { timecode, frames, seconds };

// "timecode", "frames", "seconds" and back; nothing for any other text.
std::string_view timeDisplayName(TimeDisplay display);
std::optional<TimeDisplay> parseTimeDisplay(std::string_view name);

namespace FilmTime {

// How the film's timecode counts: the whole-number rate (23.976 counts in 24s), drop frame
// (only at 30 or 60, when the start timecode has ';' before its frames, or with no start timecode
// at 29.97 and 59.94) and the start in frames.
struct Counting {
    int rate = 0;
    bool dropFrame = false;
    std::int64_t start = 0;

    friend bool operator==(const Counting&, const Counting&) = default;
};
Counting counting(const Film& film);

// The rate as an editor names it: "25", "29.97 drop frame", "23.976".
std::string rateName(const Film& film);

// Fills startTimecode and timecodeRate from a "timecode" tag as FFmpeg reports it
// ("01:00:00:00", "01:00:00;00" for drop frame); a missing or malformed tag starts at 00:00:00:00,
// drop frame at 29.97 and 59.94.
void takeTimecodeTag(Film& film, std::string_view tag);

// Whether the stored start timecode and rate can be counted (absent counts as valid).
bool timecodeValid(const Film& film);

// The frame shown at a time (a player position up to 1.5 ms before a frame counts as on it);
// the film's end counts as the frame after the last, so an exclusive end reads as such.
std::int64_t frameIndex(const Film& film, double seconds);
// The time of a frame number; numbers past the last frame give the film's end.
double frameTime(const Film& film, std::int64_t index);

// The film's timecode at a time, as a frame count from 00:00:00:00 and as text.
std::int64_t timecodeFrames(const Film& film, double seconds);
std::string timecode(const Film& film, double seconds);
// A time in the chosen display: timecode, "#<frame>" or the clock string.
std::string text(const Film& film, double seconds, TimeDisplay display);

// A typed time: timecode "HH:MM:SS:FF" (';' accepted), a frame number "#123" or seconds with a
// '.' decimal point, as the time of the frame it names (seconds are returned as typed). Nothing
// for other text or a frame outside the film.
std::optional<double> parse(const Film& film, std::string_view typed);

}  // namespace FilmTime

}  // namespace marrowick
