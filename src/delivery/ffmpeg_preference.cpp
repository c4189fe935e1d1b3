// Reading one text value from the desktop program's INI settings file.
#include "delivery/ffmpeg_preference.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

#include "delivery/internal/user_folders.h"

namespace marrowick::FFmpegPreference {
namespace {

constexpr std::string_view kGeneralSection = "[General]";
constexpr std::string_view kKey = "ffmpegPath";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void appendUtf8(std::string& to, char32_t code) {
    if (code < 0x80) {
        to += static_cast<char>(code);
    } else if (code < 0x800) {
        to += static_cast<char>(0xC0 | (code >> 6));
        to += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        to += static_cast<char>(0xE0 | (code >> 12));
        to += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        to += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        to += static_cast<char>(0xF0 | ((code >> 18) & 0x07));
        to += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        to += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        to += static_cast<char>(0x80 | (code & 0x3F));
    }
}

int digitValue(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// The digits of a numeric escape in `base`, as many as follow: a character code. Nothing when no
// digit follows.
void appendNumericEscape(std::string& to, std::string_view& rest, int base) {
    std::optional<char32_t> code;
    while (!rest.empty() && digitValue(rest.front(), base) >= 0) {
        const auto digit = static_cast<char32_t>(digitValue(rest.front(), base));
        code = std::min<char32_t>(code.value_or(0) * static_cast<char32_t>(base) + digit, 0x110000);
        rest.remove_prefix(1);
    }
    if (code && *code < 0x110000) appendUtf8(to, *code);
}

std::optional<char> namedEscape(char c) {
    switch (c) {
        case 'a': return '\a';
        case 'b': return '\b';
        case 'f': return '\f';
        case 'n': return '\n';
        case 'r': return '\r';
        case 't': return '\t';
        case 'v': return '\v';
        case '"':
        case '?':
        case '\'':
        case '\\': return c;
        default: return std::nullopt;
    }
}

void appendEscape(std::string& to, std::string_view& rest) {
    if (rest.empty()) return;
    const char c = rest.front();
    if (digitValue(c, 8) >= 0) return appendNumericEscape(to, rest, 8);  // "\0", "\101": octal
    rest.remove_prefix(1);
    if (const std::optional<char> named = namedEscape(c)) to += *named;
    else if (c == 'x') appendNumericEscape(to, rest, 16);
    // Any other escaped character is dropped, as the settings reader does.
}

// The text of one value; nothing when an unquoted comma makes it a list.
std::optional<std::string> unescaped(std::string_view value) {
    std::string text;
    bool inQuotes = false;
    while (!value.empty()) {
        const char c = value.front();
        value.remove_prefix(1);
        if (c == '"') inQuotes = !inQuotes;
        else if (c == '\\') appendEscape(text, value);
        else if (c == ',' && !inQuotes) return std::nullopt;
        else text += c;
    }
    return text;
}

// Values that begin with "@" name other kinds of data, except "@@", which stands for one "@".
std::string plainText(std::string text) {
    if (text.starts_with("@@")) return text.substr(1);
    if (text.starts_with('@') && text.ends_with(')')) return {};
    return text;
}

}  // namespace

std::filesystem::path settingsFile() {
    return UserFolders::xdg("XDG_CONFIG_HOME", ".config") / "Marrowick" / "Marrowick.conf";
}

std::string parse(std::string_view settings) {
    if (settings.starts_with("\xEF\xBB\xBF")) settings.remove_prefix(3);
    bool inGeneral = true;  // keys before any section belong to [General]
    std::string found;
    while (!settings.empty()) {
        const std::size_t end = settings.find_first_of("\r\n");
        const std::string_view line = trimmed(settings.substr(0, end));
        settings.remove_prefix(end == std::string_view::npos ? settings.size() : end + 1);
        if (line.starts_with('[')) {
            inGeneral = line == kGeneralSection;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inGeneral || equals == std::string_view::npos || trimmed(line.substr(0, equals)) != kKey) continue;
        found = plainText(unescaped(trimmed(line.substr(equals + 1))).value_or(""));
    }
    return found;
}

std::string read() {
    std::ifstream file(settingsFile(), std::ios::binary);
    if (!file) return {};
    std::ostringstream text;
    text << file.rdbuf();
    return parse(text.str());
}

}  // namespace marrowick::FFmpegPreference
