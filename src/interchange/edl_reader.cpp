// Line-by-line reading of CMX 3600 event lines.
#include "interchange/edl_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "interchange/internal/frame_rate_text.h"
#include "model/timecode.h"
#include "model/review_error.h"

namespace marrowick::EdlReader {

namespace {

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> result;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        const std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i > start) result.push_back(line.substr(start, i - start));
    }
    return result;
}

bool allDigits(std::string_view word) {
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool startsWith(std::string_view line, std::string_view prefix) { return line.substr(0, prefix.size()) == prefix; }

bool videoTrack(std::string_view track) { return track == "B" || track.find('V') != std::string_view::npos; }

// How the timecode of the events counts frames.
struct Counting {
    bool dropFrame = false;
    int timebase = 0;
    double frameRate = 0;  // frames per second of the counted frames
};

class EventReader {
public:
    EventReader(double filmFrameRate) : filmFrameRate_(filmFrameRate) {}

    void frameCountingMode(std::string_view line) { dropFrame_ = line.find("NON") == std::string_view::npos; }

    void event(const std::vector<std::string_view>& fields, std::size_t lineNumber, CutList& list) {
        if (fields.size() != 8 && fields.size() != 9)
            throw ReviewError("The cut list cannot be read: line " + std::to_string(lineNumber) +
                              " is not an edit event.");
        if (!videoTrack(fields[2])) return;
        const Counting counting = countingFor(fields, list);
        const double recordIn = seconds(fields[fields.size() - 2], counting, lineNumber);
        const double recordOut = seconds(fields[fields.size() - 1], counting, lineNumber);
        if (recordIn == recordOut) return;  // the outgoing side of a transition
        list.events.push_back({recordIn, recordOut, CutKind::clip});
        const std::int64_t transitionFrames = transitionLength(fields, lineNumber);
        if (transitionFrames <= 0) return;
        const double transitionOut = std::min(recordOut, recordIn + double(transitionFrames) / counting.frameRate);
        list.events.push_back({recordIn, transitionOut, CutKind::transition});
    }

private:
    Counting countingFor(const std::vector<std::string_view>& fields, CutList& list) const {
        const bool dropFrame = dropFrame_ || std::any_of(fields.end() - 4, fields.end(), [](std::string_view tc) {
                                   return tc.find(';') != std::string_view::npos;
                               });
        if (!dropFrame) return {false, Timecode::timebase(filmFrameRate_), filmFrameRate_};
        const int timebase = Timecode::timebase(filmFrameRate_) == 60 ? 60 : 30;
        const double rate = timebase * 1000.0 / 1001.0;
        list.frameRate = rate;
        list.frameRateText = FrameRateText::of(rate) + " drop frame";
        return {true, timebase, rate};
    }

    double seconds(std::string_view timecode, const Counting& counting, std::size_t lineNumber) const {
        const std::optional<std::int64_t> frames = Timecode::frames(timecode, counting.timebase, counting.dropFrame);
        if (!frames)
            throw ReviewError("The cut list's timecode " + std::string(timecode) + " on line " +
                              std::to_string(lineNumber) + " does not fit the film's frame rate (" +
                              FrameRateText::of(filmFrameRate_) + ").");
        return double(*frames) / counting.frameRate;
    }

    static std::int64_t transitionLength(const std::vector<std::string_view>& fields, std::size_t lineNumber) {
        const std::string_view code = fields[3];
        const bool blend = code == "D" || (code.size() > 1 && code[0] == 'W');
        if (!blend) return 0;
        if (fields.size() != 9 || !allDigits(fields[4]))
            throw ReviewError("The cut list cannot be read: the transition on line " + std::to_string(lineNumber) +
                              " has no length.");
        std::int64_t frames = 0;
        std::from_chars(fields[4].data(), fields[4].data() + fields[4].size(), frames);
        return frames;
    }

    double filmFrameRate_;
    bool dropFrame_ = false;
};

}  // namespace

CutList read(std::string_view text, double filmFrameRate) {
    CutList list;
    EventReader reader(filmFrameRate);
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++lineNumber;
        const std::vector<std::string_view> fields = words(line);
        if (fields.empty()) continue;
        if (startsWith(fields[0], "FCM:")) reader.frameCountingMode(line);
        if (allDigits(fields[0])) reader.event(fields, lineNumber, list);
    }
    return list;
}

}  // namespace marrowick::EdlReader
