// CSV text of every shot: fields quoted, quotes doubled, line breaks inside fields kept as they are.
#include "disclosure/shot_review_csv.h"

#include <charconv>
#include <initializer_list>
#include <unordered_map>

#include "model/clock_string.h"

namespace marrowick {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The last path component, as a file browser shows it ("/a/b/" gives "b").
std::string lastPathComponent(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos || path.size() == 1) return std::string(path);
    return std::string(path.substr(slash + 1));
}

// "%.6f": fixed notation, six decimals, correctly rounded.
std::string sixDecimals(double seconds) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

// Appends one CSV line (with its end): every field quoted, quotes inside doubled.
void appendLine(std::string& text, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (std::string_view field : fields) {
        if (!first) text += ',';
        first = false;
        text += '"';
        for (std::size_t quote; (quote = field.find('"')) != std::string_view::npos; field.remove_prefix(quote + 1)) {
            text.append(field.substr(0, quote + 1));
            text += '"';
        }
        text.append(field);
        text += '"';
    }
    text.append(kLineEnd);
}

}  // namespace

std::string shotReviewCsv(const Project& project) {
    std::unordered_map<Uuid, std::string, UuidHash> fileNames;
    for (const Film& film : project.films) fileNames.emplace(film.id, lastPathComponent(film.path));

    std::string text = std::string(kShotReviewCsvHeader) + std::string(kLineEnd);
    text.reserve(text.size() + project.shots.size() * 160);
    for (const Shot& shot : project.shots) {
        const auto film = fileNames.find(shot.filmID);
        appendLine(text, {film == fileNames.end() ? std::string_view() : std::string_view(film->second),
                          shot.id.text(), sixDecimals(shot.start), sixDecimals(shot.end), clockString(shot.start),
                          clockString(shot.end), disclosureString(shot.disclosure), std::to_string(shot.group),
                          shot.category, shot.note, shot.assistantNote});
    }
    return text;
}

}  // namespace marrowick
