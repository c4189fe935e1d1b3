// Range checks of stored label layouts and their custom safe margins.
#include "model/label_layout.h"

#include <cmath>

#include "model/internal/finite_range.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

bool knownGuide(const std::string& guideID, const std::set<std::string>& safeZoneProfileIDs) {
    return guideID == "auto" || guideID == "custom" || safeZoneProfileIDs.contains(guideID);
}

}  // namespace

void SafeInsets::validate() const {
    const bool inRange = within(left, 0, 0.9) && within(top, 0, 0.9) && within(right, 0, 0.9) && within(bottom, 0, 0.9);
    if (!inRange || left + right >= 0.95 || top + bottom >= 0.95)
        throw ReviewError("Safe margins must leave a usable rectangle.");
}

void LabelLayout::validate(const std::set<std::string>& safeZoneProfileIDs) const {
    if (!within(widthFraction, 0.08, 0.4) || !within(x, 0, 1) || !within(y, 0, 1))
        throw ReviewError("Invalid label position or guide.");
    if (!knownGuide(guideID, safeZoneProfileIDs)) throw ReviewError("Invalid label position or guide.");
    if (customInsets) {
        customInsets->validate();
        return;
    }
    if (guideID == "custom") throw ReviewError("Custom safe margins are missing.");
}

}  // namespace marrowick
