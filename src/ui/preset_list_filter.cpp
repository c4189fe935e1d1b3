// Filtering the preset list.
#include "ui/preset_list_filter.h"

#include <QLocale>

namespace marrowick::PresetListFilter {

std::vector<const DeliveryPreset*> listed(const std::vector<DeliveryPreset>& presets, const QString& search,
                                          bool showArchived) {
    const QLocale locale;
    const QString needle = locale.toLower(search);
    std::vector<const DeliveryPreset*> result;
    for (const DeliveryPreset& preset : presets) {
        if (preset.hidden || (preset.archivedAt && !showArchived)) continue;
        const QString text = QString::fromStdString(preset.name + " " + preset.group + " " + preset.summary());
        if (!needle.isEmpty() && !locale.toLower(text).contains(needle)) continue;
        result.push_back(&preset);
    }
    return result;
}

}  // namespace marrowick::PresetListFilter
