// The review as a CMX 3600 edit decision list with comments and locators.
#include <cstdio>
#include <sstream>

#include "interchange/internal/film_shots.h"
#include "interchange/timeline_export.h"
#include "model/film_time.h"
#include "model/review_error.h"
#include "model/timecode.h"

namespace marrowick::TimelineExport {

namespace {

// How the list counts frames: the films' one timecode counting; an EDL cannot mix rates.
struct EdlCounting {
    int timebase = 25;
    bool dropFrame = false;

    std::string at(std::int64_t frames) const { return Timecode::text(frames, timebase, dropFrame); }
};

EdlCounting countingOf(const Project& project) {
    if (project.films.empty()) return {};
    const Film& first = project.films.front();
    const FilmTime::Counting counting = FilmTime::counting(first);
    for (const Film& film : project.films) {
        const FilmTime::Counting other = FilmTime::counting(film);
        if (other.rate != counting.rate || other.dropFrame != counting.dropFrame)
            throw ReviewError("An EDL holds one timecode rate, but " + FilmShots::fileName(first) + " runs at " +
                              FilmTime::rateName(first) + " and " + FilmShots::fileName(film) + " at " +
                              FilmTime::rateName(film) + ". Export OpenTimelineIO (.otio) instead.");
    }
    return {counting.rate, counting.dropFrame};
}

// Comments hold one line each.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

void writeEvent(std::ostream& out, std::size_t number, const EdlCounting& counting, std::int64_t sourceIn,
                std::int64_t sourceOut, std::int64_t recordIn) {
    char line[160];
    const std::int64_t recordOut = recordIn + sourceOut - sourceIn;
    std::snprintf(line, sizeof line, "%03zu  AX       V     C        %s %s %s %s\n", number,
                  counting.at(sourceIn).c_str(), counting.at(sourceOut).c_str(), counting.at(recordIn).c_str(),
                  counting.at(recordOut).c_str());
    out << line;
}

void writeComments(std::ostream& out, const Film& film, const Shot& shot, const std::string& recordIn) {
    out << "* FROM CLIP NAME: " << FilmShots::fileName(film) << "\n";
    out << "* DECISION: " << disclosureTitle(shot.disclosure) << "\n";
    std::istringstream note(shot.note);
    for (std::string line; std::getline(note, line);) out << "* NOTE: " << oneLine(line) << "\n";
    out << "* LOC: " << recordIn << " " << FilmShots::markerColour(shot.disclosure) << " "
        << disclosureTitle(shot.disclosure) << "\n";
}

}  // namespace

std::string edl(const Project& project) {
    const EdlCounting counting = countingOf(project);
    std::ostringstream out;
    out << "TITLE: " << oneLine(project.name) << "\n";
    out << "FCM: " << (counting.dropFrame ? "DROP FRAME" : "NON-DROP FRAME") << "\n\n";
    std::int64_t record = *Timecode::frames("01:00:00:00", counting.timebase, counting.dropFrame);
    std::size_t number = 0;
    for (const Film& film : project.films) {
        for (const Shot* shot : project.shotsInOrder(film)) {
            const std::int64_t in = FilmTime::timecodeFrames(film, shot->start);
            const std::int64_t out_ = FilmTime::timecodeFrames(film, shot->end);
            if (out_ <= in) continue;
            writeEvent(out, ++number, counting, in, out_, record);
            writeComments(out, film, *shot, counting.at(record));
            record += out_ - in;
        }
    }
    return out.str();
}

}  // namespace marrowick::TimelineExport
