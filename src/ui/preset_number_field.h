// One number field of the preset editor: how it reads and writes its preset field, what it shows
// while the field is absent, what entering 0 means, and when it is shown.
#pragma once

#include <functional>
#include <optional>

#include <QString>

#include "delivery/delivery_preset.h"

namespace marrowick {

struct PresetNumberField {
    QString title;
    bool decimal;
    double shownWhenAbsent;
    bool zeroMakesAbsent;
    std::function<std::optional<double>(const DeliveryPreset&)> read;
    std::function<void(DeliveryPreset&, std::optional<double>)> write;
    std::function<bool(const DeliveryPreset&)> shown;

    // The text the field shows for the preset.
    QString text(const DeliveryPreset& preset) const;
    // Stores what the user typed; text that is not a number of the field's kind changes nothing.
    void enter(DeliveryPreset& preset, const QString& text) const;

    // The editor's fields in their order.
    static const std::vector<PresetNumberField>& all();
};

}  // namespace marrowick
