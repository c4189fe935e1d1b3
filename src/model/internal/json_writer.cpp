// JSON text output: separators, indentation, string escaping and shortest round-trip numbers.
#include "model/internal/json_writer.h"

#include <simdjson.h>

#include <array>
#include <charconv>
#include <cmath>

#include "model/base64.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

// Characters that need an escape inside a JSON string: quote, backslash and control characters.
constexpr std::array<bool, 256> kNeedsEscape = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x20; ++c) table[c] = true;
    table['"'] = true;
    table['\\'] = true;
    return table;
}();

void appendEscape(std::string& out, unsigned char c) {
    switch (c) {
        case '"': out += "\\\""; return;
        case '\\': out += "\\\\"; return;
        case '\n': out += "\\n"; return;
        case '\r': out += "\\r"; return;
        case '\t': out += "\\t"; return;
        case '\b': out += "\\b"; return;
        case '\f': out += "\\f"; return;
    }
    static constexpr char hex[] = "0123456789abcdef";
    out += "\\u00";
    out += hex[c >> 4];
    out += hex[c & 15];
}

// Shortest text that reads back to the same double, written so that every JSON reader takes it
// as a floating-point number of the same value (no long integer literals, and "-0.0" keeps its sign).
std::string_view doubleText(double value, char* buffer, std::size_t size) {
    if (value == 0) return std::signbit(value) ? "-0.0" : "0";
    auto result = std::to_chars(buffer, buffer + size, value);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (text.size() <= 15 || text.find_first_of(".e") != std::string_view::npos) return text;
    result = std::to_chars(buffer, buffer + size, value, std::chars_format::scientific);
    return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

}  // namespace

void JsonWriter::refuse(std::string_view problem) const {
    throw ReviewError("The project cannot be written: \"" + lastKey_ + "\" " + std::string(problem) + ".");
}

void JsonWriter::newline() {
    out_ += '\n';
    out_.append(static_cast<std::size_t>(depth_) * 2, ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_) out_ += ',';
    first_ = false;
    if (indented_ && depth_ > 0) newline();
}

void JsonWriter::open(char bracket) {
    beforeValue();
    out_ += bracket;
    ++depth_;
    first_ = true;
}

void JsonWriter::close(char bracket) {
    --depth_;
    if (indented_ && !first_) newline();
    out_ += bracket;
    first_ = false;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    if (!simdjson::validate_utf8(name.data(), name.size()))
        throw ReviewError("The project cannot be written: a key is not valid UTF-8 text.");
    beforeValue();
    lastKey_.assign(name);
    appendEscaped(name);
    out_ += indented_ ? ": " : ":";
    afterKey_ = true;
    return *this;
}

void JsonWriter::appendEscaped(std::string_view text) {
    if (!simdjson::validate_utf8(text.data(), text.size())) refuse("holds text that is not valid UTF-8");
    out_ += '"';
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!kNeedsEscape[c]) continue;
        out_.append(text, runStart, i - runStart);
        appendEscape(out_, c);
        runStart = i + 1;
    }
    out_.append(text, runStart);
    out_ += '"';
}

void JsonWriter::string(std::string_view text) {
    beforeValue();
    appendEscaped(text);
}

void JsonWriter::number(double value) {
    if (!std::isfinite(value)) refuse("is not a finite number");
    beforeValue();
    char buffer[64];
    out_ += doubleText(value, buffer, sizeof buffer);
}

void JsonWriter::number(float value) {
    if (!std::isfinite(value)) refuse("is not a finite number");
    beforeValue();
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
}

void JsonWriter::integer(std::int64_t value) {
    beforeValue();
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
}

void JsonWriter::boolean(bool value) {
    beforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::bytes(const std::vector<std::uint8_t>& data) {
    beforeValue();
    out_ += '"';
    Base64::append(out_, data.data(), data.size());
    out_ += '"';
}

void JsonWriter::uuid(const Uuid& id) {
    beforeValue();
    out_ += '"';
    id.appendText(out_);
    out_ += '"';
}

}  // namespace marrowick

