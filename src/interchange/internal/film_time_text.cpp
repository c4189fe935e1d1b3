// Writing film times and lengths in the chosen time display.
#include "interchange/internal/film_time_text.h"

#include <cmath>

#include "model/clock_string.h"
#include "model/timecode.h"

namespace marrowick::FilmTimeText {
namespace {

// Longer than any film (about 1,100 years at 30 fps); a hostile list's times go beyond.
constexpr double kMaxFrames = 1e12;

}  // namespace

std::string at(const Film& film, double seconds, TimeDisplay display) {
    if (!(seconds >= 0 && seconds <= film.duration)) return clockString(seconds);
    return FilmTime::text(film, seconds, display);
}

std::string length(const Film& film, double seconds, TimeDisplay display) {
    const FilmTime::Counting counting = FilmTime::counting(film);
    const int pictureRate = Timecode::timebase(film.fps);
    if (!(seconds >= 0 && seconds * film.fps < kMaxFrames) || counting.rate <= 0 || pictureRate <= 0)
        return clockString(seconds);
    const std::int64_t frames = std::llround(seconds * film.fps);
    switch (display) {
        case TimeDisplay::timecode:
            return Timecode::text(frames * counting.rate / pictureRate, counting.rate, counting.dropFrame);
        case TimeDisplay::frames: return std::to_string(frames) + " frames";
        case TimeDisplay::seconds: return clockString(seconds);
    }
    return clockString(seconds);
}

}  // namespace marrowick::FilmTimeText
