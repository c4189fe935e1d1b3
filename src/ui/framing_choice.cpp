#include "ui/framing_choice.h"

#include <QSignalBlocker>
#include <QVariant>

namespace marrowick::FramingChoice {

void fill(QComboBox& picker, const QString& padText, const QString& cropText) {
    picker.addItem(padText, QVariant::fromValue(Framing::pad));
    picker.addItem(cropText, QVariant::fromValue(Framing::crop));
}

Framing at(const QComboBox& picker, int index) { return picker.itemData(index).value<Framing>(); }

void select(QComboBox& picker, Framing framing) {
    const QSignalBlocker blocker(picker);
    picker.setCurrentIndex(picker.findData(QVariant::fromValue(framing)));
}

}  // namespace marrowick::FramingChoice
