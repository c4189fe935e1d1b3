// One row of the delivery window's preset list: the selection checkbox, the name (marked when
// archived), the technical summary and the row's menu.
#pragma once

#include <functional>

#include <QWidget>

#include "delivery/delivery_preset.h"

class QCheckBox;
class QMenu;

namespace marrowick {

class ReviewDocument;

class PresetRow : public QWidget {
    Q_OBJECT

public:
    // `edit` opens the preset editor on a preset; `leave` closes the delivery window.
    PresetRow(ReviewDocument& review, DeliveryPreset preset, std::function<void(const DeliveryPreset&)> edit,
              std::function<void()> leave, QWidget* parent);

    const DeliveryPreset& preset() const { return preset_; }
    QCheckBox& checkbox() { return *checkbox_; }
    QMenu& menu() { return *menu_; }
    // Follows the delivery selection.
    void refresh();

    // Whether the address is an absolute http or https address the browser can open.
    static bool opensInBrowser(const std::string& address);

private:
    void buildMenu(const std::function<void(const DeliveryPreset&)>& edit, const std::function<void()>& leave);
    void preview(const std::function<void()>& leave);

    ReviewDocument& review_;
    DeliveryPreset preset_;
    QCheckBox* checkbox_;
    QMenu* menu_;
};

}  // namespace marrowick
