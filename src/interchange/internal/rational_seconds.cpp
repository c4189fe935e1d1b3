// Parsing rational seconds with from_chars: no locale, no exceptions.
#include "interchange/internal/rational_seconds.h"

#include <charconv>
#include <cmath>

namespace marrowick::RationalSeconds {

namespace {

std::optional<double> number(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> parse(std::string_view text) {
    if (!text.empty() && text.back() == 's') text.remove_suffix(1);
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return number(text);
    const std::optional<double> numerator = number(text.substr(0, slash));
    const std::optional<double> denominator = number(text.substr(slash + 1));
    if (!numerator || !denominator || *denominator == 0) return std::nullopt;
    const double value = *numerator / *denominator;
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

}  // namespace marrowick::RationalSeconds
