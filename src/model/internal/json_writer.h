// A streaming JSON writer into one string: compact, or indented by two spaces per level.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/uuid.h"

namespace marrowick {

// Keys are written in the order the caller gives them. Numbers that are not finite and text that
// is not valid UTF-8 cannot be written: both throw ReviewError naming the key.
class JsonWriter {
public:
    explicit JsonWriter(bool indented) : indented_(indented) {}

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }

    // Writes a key; the next call writes its value.
    JsonWriter& key(std::string_view name);
    void string(std::string_view text);
    void number(double value);
    void number(float value);
    void integer(std::int64_t value);
    void boolean(bool value);
    void bytes(const std::vector<std::uint8_t>& data);  // base64 text
    void uuid(const Uuid& id);                          // upper-case canonical text

    void reserve(std::size_t bytes) { out_.reserve(bytes); }
    std::string take() { return std::move(out_); }

private:
    void open(char bracket);
    void close(char bracket);
    void beforeValue();
    void newline();
    void appendEscaped(std::string_view text);
    [[noreturn]] void refuse(std::string_view problem) const;

    std::string out_;
    std::string lastKey_;
    bool indented_;
    bool afterKey_ = false;
    bool first_ = true;   // no element written yet at the current level
    int depth_ = 0;
};

}  // namespace marrowick
