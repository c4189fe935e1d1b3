// Writing the review report's HTML. Kept to the HTML and CSS that Qt's rich-text layout also
// understands (tables with cell attributes, colour styles, page breaks), so the PDF is made from
// the same text.
#include "disclosure/review_report.h"

#include <algorithm>
#include <filesystem>

#include "disclosure/review_report_facts.h"
#include "model/base64.h"
#include "model/clock_string.h"
#include "model/film_name.h"
#include "model/film_time.h"
#include "model/reference_date.h"
#include "model/review_error.h"

namespace marrowick::ReviewReport {
namespace {

constexpr const char* kHead =
    "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
    "<style>body { font-family: sans-serif; font-size: 9pt; } "
    "table { border-collapse: collapse; margin-bottom: 8pt; } "
    "th, td { border: 1px solid #999999; padding: 3px; vertical-align: top; text-align: left; font-size: 8pt; } "
    "th { background-color: #eeeeee; } .warning { color: #c00000; font-weight: bold; } "
    "code { font-family: monospace; } h2.film { page-break-before: always; }</style>\n";
constexpr const char* kTable = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">";
constexpr const char* kShotHeader =
    "\n<thead><tr><th width=\"13%\">Picture</th><th width=\"11%\">Start</th><th width=\"11%\">End</th>"
    "<th width=\"11%\">Duration</th><th width=\"11%\">Decision</th><th width=\"18%\">Decided by</th>"
    "<th width=\"25%\">Note</th></tr></thead>\n";
constexpr std::size_t kRowsPerTable = 25;
constexpr int kPictureWidth = 72;

std::string multiline(std::string_view text) {
    std::string result;
    for (char c : escaped(text)) result += c == '\n' ? std::string("<br>") : std::string(1, c);
    return result;
}

std::string reviewerText(const std::optional<Reviewer>& reviewer) { return escaped(reviewerLabel(reviewer)); }

std::string warning(std::string_view text) {
    return "<span class=\"warning\" style=\"color: #c00000; font-weight: bold;\">" + std::string(text) + "</span>";
}

std::string row(std::string_view heading, const std::string& value) {
    return "<tr><th width=\"22%\">" + std::string(heading) + "</th><td>" + value + "</td></tr>\n";
}

std::string countsText(const FilmFacts& film) {
    std::string text;
    for (Disclosure decision : {Disclosure::none, Disclosure::modified, Disclosure::generated})
        text += escaped(disclosureTitle(decision)) + ": " + std::to_string(film.counts[static_cast<int>(decision)]) + " &middot; ";
    const std::size_t open = film.counts[static_cast<int>(Disclosure::unreviewed)];
    const std::string unreviewed = "Unreviewed: " + std::to_string(open);
    return text + (open > 0 ? warning(unreviewed) : unreviewed);
}

std::string signOffText(const SignOff::Status& status) {
    const std::string state(SignOff::stateText(status.state));
    if (status.state == SignOff::State::none) return state;
    const std::string who = "signed by " + escaped(SignOff::signerText(status));
    return (status.state == SignOff::State::valid ? state : warning(state)) + "; " + who;
}

std::string filmCover(const FilmFacts& facts) {
    const Film& film = facts.film;
    std::string text = "<h3>" + escaped(fileName(film)) + "</h3>\n" + kTable + "\n";
    text += row("Duration", clockString(film.duration));
    text += row("SHA-256", film.sourceSHA256
                               ? "<code style=\"font-size: 7pt; white-space: nowrap;\">" + escaped(*film.sourceSHA256) + "</code>"
                               : "not recorded");
    text += row("Detector", escaped(film.detector));
    text += row("Decisions", countsText(facts));
    text += row("Sign-off", signOffText(facts.signOff));
    return text + "</table>\n";
}

std::string reviewersText(const std::vector<Reviewer>& reviewers) {
    if (reviewers.empty()) return "<p>No reviewer is named in the history.</p>\n";
    std::string text = "<ul>\n";
    for (const Reviewer& reviewer : reviewers) text += "<li>" + reviewerText(reviewer) + "</li>\n";
    return text + "</ul>\n";
}

std::string cover(const Project& project, const ReportFacts& facts, const Options& options) {
    std::string text = "<h1>Review report: " + escaped(project.name) + "</h1>\n";
    text += "<p>Created " + iso8601Utc(options.created) + ". This report is a record of human decisions made with Marrowick " +
            escaped(options.version) +
            ". Review decisions are human declarations; neither visual similarity nor local model output establishes AI "
            "provenance, and an unreviewed shot is not a declaration of no AI use.</p>\n";
    text += "<h2>Films</h2>\n";
    for (const FilmFacts& film : facts.films) text += filmCover(film);
    if (facts.films.empty()) text += "<p>The review holds no films.</p>\n";
    return text + "<h2>Reviewers</h2>\n" + reviewersText(facts.reviewers);
}

std::string decidedText(const ReportFacts& facts, const Shot& shot) {
    const auto found = facts.deciders.find(shot.id);
    if (shot.disclosure == Disclosure::unreviewed || found == facts.deciders.end()) return "&mdash;";
    return reviewerText(found->second.reviewer) + "<br>" + iso8601Utc(found->second.date);
}

// What the times of a film's table are: its own timecode when its rate is known.
std::string timesText(const Film& film) {
    const std::string clock = "hours, minutes, seconds and milliseconds";
    if (FilmTime::counting(film).rate <= 0) return "Times are " + clock + " of the source file.";
    return "Start and end are the film's timecode (" + escaped(FilmTime::rateName(film)) + " fps); durations are " +
           clock + ".";
}

std::string cell(const std::string& text) { return "<td>" + text + "</td>"; }

std::string shotRow(const ReportFacts& facts, const Film& film, const Shot& shot, const Options& options) {
    const std::string picture = options.picture ? options.picture(shot) : std::string();
    std::string text = "<tr><td>";
    if (!picture.empty()) text += "<img src=\"" + escaped(picture) + "\" width=\"" + std::to_string(kPictureWidth) + "\" alt=\"\">";
    text += "</td>" + cell(FilmTime::timecode(film, shot.start)) + cell(FilmTime::timecode(film, shot.end)) +
            cell(clockString(shot.end - shot.start)) + "<td>" +
            escaped(disclosureTitle(shot.disclosure)) + "</td><td>" +
            decidedText(facts, shot) + "</td><td>" + multiline(shot.note) + "</td></tr>\n";
    return text;
}

struct Progress {
    const Options& options;
    std::size_t total;
    std::size_t done = 0;
    void step() {
        if (options.stop.stop_requested()) throw Cancelled();
        ++done;
        if (options.progress && total > 0) options.progress(static_cast<double>(done) / static_cast<double>(total));
    }
};

std::string filmSection(const ReportFacts& facts, const FilmFacts& film, const Options& options, Progress& progress) {
    std::string text = "<h2 class=\"film\" style=\"page-break-before: always;\">" + escaped(fileName(film.film)) + "</h2>\n";
    if (film.listed.empty()) return text + "<p>No shot of this film carries a label or a note.</p>\n";
    text += "<p>" + std::to_string(film.listed.size()) + " shots with a label or a note. " + timesText(film.film) + "</p>\n";
    // Tables of a bounded number of rows: the layout of one table grows faster than its rows.
    for (std::size_t first = 0; first < film.listed.size(); first += kRowsPerTable) {
        text += std::string(kTable) + kShotHeader;
        const std::size_t end = std::min(film.listed.size(), first + kRowsPerTable);
        for (std::size_t index = first; index < end; ++index) {
            progress.step();
            text += shotRow(facts, film.film, film.listed[index], options);
        }
        text += "</table>\n";
    }
    return text;
}

}  // namespace

std::string escaped(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': result += "&amp;"; break;
            case '<': result += "&lt;"; break;
            case '>': result += "&gt;"; break;
            case '"': result += "&quot;"; break;
            case '\'': result += "&#39;"; break;
            default: result += c;
        }
    }
    return result;
}

std::string thumbnailDataAddress(const Shot& shot) {
    if (!shot.thumbnail || shot.thumbnail->empty()) return {};
    return "data:image/jpeg;base64," + Base64::encode(*shot.thumbnail);
}

std::string html(const Project& project, const Options& options) {
    const ReportFacts facts = reportFacts(project);
    Progress progress{options, facts.listedShots()};
    std::string text = std::string(kHead) + "<title>Review report: " + escaped(project.name) + "</title></head><body>\n";
    text += cover(project, facts, options);
    for (const FilmFacts& film : facts.films) text += filmSection(facts, film, options, progress);
    return text + "</body></html>\n";
}

}  // namespace marrowick::ReviewReport
