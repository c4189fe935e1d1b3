// Rational time text of timeline files: "1001/24000s", "3600s", "5.5s".
#pragma once

#include <optional>
#include <string_view>

namespace marrowick::RationalSeconds {

// Seconds of "N/Ds" or "Ns" (the trailing "s" may be left out); nothing for anything else,
// a zero denominator or a value that is not finite.
std::optional<double> parse(std::string_view text);

}  // namespace marrowick::RationalSeconds
