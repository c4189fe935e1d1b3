// JSON parsing with a nesting limit and the parser's description in the message.
#include "delivery/internal/bounded_json.h"

#include "model/review_error.h"

namespace marrowick::BoundedJson {
namespace {

using nlohmann::json;

// The description without nlohmann's "[json.exception.parse_error.101] " tag.
std::string description(const json::exception& error) {
    std::string detail = error.what();
    if (const auto bracket = detail.find("] "); detail.starts_with("[json.exception") && bracket != std::string::npos)
        detail.erase(0, bracket + 2);
    return detail;
}

}  // namespace

json parse(std::string_view text, const std::string& failurePrefix) {
    const json::parser_callback_t limitDepth = [&failurePrefix](int depth, json::parse_event_t event, json&) {
        const bool opens = event == json::parse_event_t::object_start || event == json::parse_event_t::array_start;
        if (opens && depth >= kMaximumDepth)
            throw ReviewError(failurePrefix + "nesting deeper than " + std::to_string(kMaximumDepth) + " levels.");
        return true;
    };
    try {
        return json::parse(text.begin(), text.end(), limitDepth);
    } catch (const json::exception& error) {
        throw ReviewError(failurePrefix + description(error) + ".");
    }
}

}  // namespace marrowick::BoundedJson
