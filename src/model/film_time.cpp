// Counting a film's frames and timecode, and reading typed times back to frames.
#include "model/film_time.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "model/clock_string.h"
#include "model/keyword_table.h"
#include "model/timecode.h"

namespace marrowick {

namespace {

constexpr KeywordTable<TimeDisplay, 3> kDisplayNames{{{
    {TimeDisplay::timecode, "timecode"},
    {TimeDisplay::frames, "frames"},
    {TimeDisplay::seconds, "seconds"},
}}};

// Players report whole milliseconds, so a position this far before a frame shows that frame.
constexpr double kPositionSlack_s = 0.0015;
constexpr std::int64_t kMaxTimecodeRate = 1000;

bool hasFrameTimes(const Film& film) { return film.frameTimes && !film.frameTimes->empty(); }

// Frames in the film: decoded frames, or the 1/fps grid over the duration.
std::int64_t frameCount(const Film& film) {
    if (hasFrameTimes(film)) return static_cast<std::int64_t>(film.frameTimes->size());
    if (!(film.fps > 0) || !std::isfinite(film.duration)) return 0;
    return std::max<std::int64_t>(0, std::llround(std::ceil(film.duration * film.fps - 1e-6)));
}

// The separator before the frames of "HH:MM:SS;FF": ';', '.' or ',' mark drop frame.
bool dropFrameText(std::string_view text) { return text.size() == 11 && text[8] != ':'; }

int nominalRate(const Film& film) {
    if (film.timecodeRate && *film.timecodeRate > 0 && *film.timecodeRate <= kMaxTimecodeRate)
        return static_cast<int>(*film.timecodeRate);
    return std::max(1, Timecode::timebase(film.fps));
}

// Film frames and timecode frames differ only when the timecode counts at another rate than the
// picture (a 50 fps picture under 25 fps timecode).
std::int64_t toTimecodeFrames(const Film& film, int rate, std::int64_t index) {
    const int pictureRate = Timecode::timebase(film.fps);
    if (pictureRate <= 0 || pictureRate == rate) return index;
    return index * rate / pictureRate;
}

std::int64_t toFilmFrames(const Film& film, int rate, std::int64_t frames) {
    const int pictureRate = Timecode::timebase(film.fps);
    if (pictureRate <= 0 || pictureRate == rate) return frames;
    return (frames * pictureRate + rate - 1) / rate;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

template <class Number>
std::optional<Number> wholeNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> timeOfFrame(const Film& film, std::int64_t index) {
    if (index < 0 || index > frameCount(film)) return std::nullopt;
    return FilmTime::frameTime(film, index);
}

}  // namespace

std::string_view timeDisplayName(TimeDisplay display) { return kDisplayNames.word(display); }

std::optional<TimeDisplay> parseTimeDisplay(std::string_view name) { return kDisplayNames.parse(name); }

namespace FilmTime {

Counting counting(const Film& film) {
    Counting result;
    result.rate = nominalRate(film);
    const bool countsDrop = result.rate == 30 || result.rate == 60;
    // Without a tag an NTSC rate counts drop frame, as editors expect of 29.97 and 59.94.
    result.dropFrame = countsDrop && (film.startTimecode ? dropFrameText(*film.startTimecode)
                                                         : Timecode::dropFrameRate(film.fps));
    if (!film.startTimecode) return result;
    result.start = Timecode::frames(*film.startTimecode, result.rate, result.dropFrame).value_or(0);
    return result;
}

std::string rateName(const Film& film) {
    const Counting count = counting(film);
    const double ntsc = count.rate * 1000.0 / 1001.0;
    char text[48];
    if (std::abs(film.fps - ntsc) < 0.005) std::snprintf(text, sizeof text, count.rate == 24 ? "%.3f" : "%.2f", ntsc);
    else std::snprintf(text, sizeof text, "%d", count.rate);
    return std::string(text) + " fps" + (count.dropFrame ? " drop frame" : "");
}

void takeTimecodeTag(Film& film, std::string_view tag) {
    const int rate = Timecode::timebase(film.fps);
    film.timecodeRate = rate;
    tag = trimmed(tag);
    const bool drop = dropFrameText(tag) && (rate == 30 || rate == 60);
    const std::optional<std::int64_t> start = rate > 0 ? Timecode::frames(tag, rate, drop) : std::nullopt;
    const bool startDrop = start ? drop : Timecode::dropFrameRate(film.fps);
    film.startTimecode = Timecode::text(start.value_or(0), rate > 0 ? rate : 25, startDrop);
}

bool timecodeValid(const Film& film) {
    if (film.timecodeRate && (*film.timecodeRate <= 0 || *film.timecodeRate > kMaxTimecodeRate)) return false;
    if (!film.startTimecode) return true;
    const Counting count = counting(film);
    return count.rate > 0 && Timecode::frames(*film.startTimecode, count.rate, count.dropFrame).has_value();
}

std::int64_t frameIndex(const Film& film, double seconds) {
    const std::int64_t count = frameCount(film);
    if (!std::isfinite(seconds) || seconds <= 0 || count == 0) return 0;
    if (seconds + kPositionSlack_s >= film.duration) return count;
    if (hasFrameTimes(film)) {
        const std::vector<double>& times = *film.frameTimes;
        const auto after = std::upper_bound(times.begin(), times.end(), seconds + kPositionSlack_s);
        return after == times.begin() ? 0 : after - times.begin() - 1;
    }
    return std::min(count, static_cast<std::int64_t>(std::floor((seconds + kPositionSlack_s) * film.fps)));
}

double frameTime(const Film& film, std::int64_t index) {
    if (index <= 0) return 0;
    if (index >= frameCount(film)) return film.duration;
    if (hasFrameTimes(film)) return (*film.frameTimes)[static_cast<std::size_t>(index)];
    return std::min(film.duration, static_cast<double>(index) / film.fps);
}

std::int64_t timecodeFrames(const Film& film, double seconds) {
    const Counting count = counting(film);
    return count.start + toTimecodeFrames(film, count.rate, frameIndex(film, seconds));
}

std::string timecode(const Film& film, double seconds) {
    const Counting count = counting(film);
    if (count.rate <= 0) return clockString(seconds);
    return Timecode::text(timecodeFrames(film, seconds), count.rate, count.dropFrame);
}

std::string text(const Film& film, double seconds, TimeDisplay display) {
    switch (display) {
        case TimeDisplay::timecode: return timecode(film, seconds);
        case TimeDisplay::frames: return "#" + std::to_string(frameIndex(film, seconds));
        case TimeDisplay::seconds: return clockString(seconds);
    }
    return clockString(seconds);
}

std::optional<double> parse(const Film& film, std::string_view typed) {
    typed = trimmed(typed);
    if (typed.starts_with('#')) {
        const auto index = wholeNumber<std::int64_t>(typed.substr(1));
        return index ? timeOfFrame(film, *index) : std::nullopt;
    }
    if (typed.find_first_of(":;") != std::string_view::npos) {
        const Counting count = counting(film);
        if (count.rate <= 0) return std::nullopt;
        const std::optional<std::int64_t> frames = Timecode::frames(typed, count.rate, count.dropFrame);
        if (!frames || *frames < count.start) return std::nullopt;
        return timeOfFrame(film, toFilmFrames(film, count.rate, *frames - count.start));
    }
    const std::optional<double> seconds = wholeNumber<double>(typed);
    if (!seconds || !std::isfinite(*seconds)) return std::nullopt;
    return *seconds;
}

}  // namespace FilmTime

}  // namespace marrowick
