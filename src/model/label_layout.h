// A stored label placement for one aspect ratio or preset, and its safe-area margins.
#pragma once

#include <optional>
#include <set>
#include <string>

namespace marrowick {

// Safe-area margins: fractions of the output width (left, right) and height (top, bottom).
struct SafeInsets {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    // Throws ReviewError "Safe margins must leave a usable rectangle." when out of range.
    void validate() const;
    friend bool operator==(const SafeInsets&, const SafeInsets&) = default;
};

struct LabelLayout {
    double widthFraction = 0.18;
    double x = 1;
    double y = 1;
    std::string guideID = "auto";
    std::optional<SafeInsets> customInsets;

    // Checks ranges and the guide against the safe-zone catalogue's profile identifiers;
    // throws ReviewError with the first broken rule's message.
    void validate(const std::set<std::string>& safeZoneProfileIDs) const;
    friend bool operator==(const LabelLayout&, const LabelLayout&) = default;
};

}  // namespace marrowick
