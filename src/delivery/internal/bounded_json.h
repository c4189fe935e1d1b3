// JSON parsing for files from outside: nesting is bounded, failures become one ReviewError.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace marrowick::BoundedJson {

// Nesting deeper than this is refused before it is built, so hostile files cannot exhaust the stack.
inline constexpr int kMaximumDepth = 64;

// Parses `text`; on any failure throws ReviewError(failurePrefix + the parser's description + ".").
nlohmann::json parse(std::string_view text, const std::string& failurePrefix);

}  // namespace marrowick::BoundedJson
