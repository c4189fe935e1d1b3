// The framing pickers' items: each carries its Framing, so a choice is never read back from text.
#pragma once

#include <QComboBox>
#include <QString>

#include "delivery/framing.h"

namespace marrowick::FramingChoice {

// Adds "pad" then "crop" to `picker` under the texts the view shows for them.
void fill(QComboBox& picker, const QString& padText, const QString& cropText);

// The framing of the item at `index` of a filled picker.
Framing at(const QComboBox& picker, int index);

// Shows `framing` as the current item without telling the picker's listeners.
void select(QComboBox& picker, Framing framing);

}  // namespace marrowick::FramingChoice
