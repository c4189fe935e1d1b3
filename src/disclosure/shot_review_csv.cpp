// CSV text of every shot: fields quoted, quotes doubled, line breaks inside fields kept as they are.
#include "disclosure/shot_review_csv.h"

#include <cstdio>
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

std::string sixDecimals(double seconds) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", seconds);
    return buffer;
}

// One CSV line (without its end): every field quoted, quotes inside doubled.
std::string quotedLine(std::initializer_list<std::string_view> fields) {
    std::string line;
    for (std::string_view field : fields) {
        if (!line.empty()) line += ',';
        line += '"';
        for (char c : field) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    return line;
}

}  // namespace

std::string shotReviewCsv(const Project& project) {
    std::unordered_map<Uuid, std::string, UuidHash> fileNames;
    for (const Film& film : project.films) fileNames.emplace(film.id, lastPathComponent(film.path));

    std::string text = std::string(kShotReviewCsvHeader) + std::string(kLineEnd);
    for (const Shot& shot : project.shots) {
        const auto film = fileNames.find(shot.filmID);
        text += quotedLine({film == fileNames.end() ? std::string_view() : std::string_view(film->second),
                            shot.id.text(), sixDecimals(shot.start), sixDecimals(shot.end), clockString(shot.start),
                            clockString(shot.end), disclosureString(shot.disclosure), std::to_string(shot.group),
                            shot.category, shot.note, shot.assistantNote});
        text += kLineEnd;
    }
    return text;
}

}  // namespace marrowick
