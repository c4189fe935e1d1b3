// Timecode arithmetic: the drop-frame skip rule in both directions.
#include "model/timecode.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace marrowick::Timecode {

namespace {

// Frame numbers skipped at the start of each minute that is not a multiple of ten.
std::int64_t droppedPerMinute(int timebase) { return timebase / 15; }

std::optional<int> twoDigits(std::string_view text) {
    if (text.size() != 2) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + 2, value);
    if (error != std::errc() || end != text.data() + 2) return std::nullopt;
    return value;
}

bool separator(char c) { return c == ':' || c == ';' || c == '.' || c == ','; }

}  // namespace

std::optional<std::int64_t> frames(std::string_view text, int timebase, bool dropFrame) {
    if (text.size() != 11 || timebase <= 0) return std::nullopt;
    std::array<int, 4> fields{};
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0 && !separator(text[i * 3 - 1])) return std::nullopt;
        const std::optional<int> field = twoDigits(text.substr(i * 3, 2));
        if (!field) return std::nullopt;
        fields[i] = *field;
    }
    const auto [hours, minutes, seconds, frame] = fields;
    if (minutes >= 60 || seconds >= 60 || frame >= timebase) return std::nullopt;
    const std::int64_t totalMinutes = hours * 60 + minutes;
    std::int64_t count = (totalMinutes * 60 + seconds) * timebase + frame;
    if (!dropFrame) return count;
    const std::int64_t dropped = droppedPerMinute(timebase);
    if (dropped == 0) return std::nullopt;
    if (seconds == 0 && frame < dropped && minutes % 10 != 0) return std::nullopt;
    return count - dropped * (totalMinutes - totalMinutes / 10);
}

std::string text(std::int64_t frames, int timebase, bool dropFrame) {
    if (frames < 0) frames = 0;
    if (dropFrame && droppedPerMinute(timebase) > 0) {
        const std::int64_t dropped = droppedPerMinute(timebase);
        const std::int64_t perTenMinutes = timebase * 600 - dropped * 9;
        const std::int64_t perMinute = timebase * 60 - dropped;
        const std::int64_t tens = frames / perTenMinutes;
        const std::int64_t rest = frames % perTenMinutes;
        frames += dropped * 9 * tens;
        if (rest > dropped) frames += dropped * ((rest - dropped) / perMinute);
    }
    const std::int64_t frame = frames % timebase;
    const std::int64_t seconds = frames / timebase;
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld%c%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60),
                  dropFrame ? ';' : ':', static_cast<long long>(frame));
    return buffer;
}

int timebase(double frameRate) { return std::isfinite(frameRate) && frameRate > 0 ? int(std::lround(frameRate)) : 0; }

bool dropFrameRate(double frameRate) {
    const int base = timebase(frameRate);
    return (base == 30 || base == 60) && std::abs(frameRate - base * 1000.0 / 1001.0) < 0.005;
}

}  // namespace marrowick::Timecode
