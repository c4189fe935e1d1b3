// Which presets the delivery window lists for a search text and the archived switch.
#pragma once

#include <vector>

#include <QString>

#include "delivery/delivery_preset.h"

namespace marrowick::PresetListFilter {

// In library order: never hidden presets, archived ones only when `showArchived`, and with a
// search text only presets whose "<name> <group> <summary>" contains it (letter case ignored,
// by the user's locale).
std::vector<const DeliveryPreset*> listed(const std::vector<DeliveryPreset>& presets, const QString& search,
                                          bool showArchived);

}  // namespace marrowick::PresetListFilter
