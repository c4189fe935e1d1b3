// The application's one dark appearance: colours, fonts and the palette with its style sheet.
#pragma once

#include <QColor>
#include <QFont>

#include "model/disclosure.h"

class QApplication;

namespace marrowick::Theme {

// The window background, sRGB (0.075, 0.08, 0.09).
inline const QColor kBackground{19, 20, 23};
inline const QColor kSidebar{24, 25, 29};
inline const QColor kPanel{28, 30, 34};
inline const QColor kControl{44, 46, 52};
inline const QColor kSeparator{255, 255, 255, 22};
inline const QColor kText{236, 236, 240};
inline const QColor kSecondaryText{152, 154, 162};
inline const QColor kTertiaryText{104, 106, 114};
inline const QColor kAccent{255, 159, 10};
inline const QColor kGreen{52, 199, 89};

// The badge colour of a decision: grey, green, orange or purple.
QColor disclosureColor(Disclosure disclosure);

// A font of the given size in logical pixels (the window description's points) and weight;
// monospaced when asked.
QFont font(int pixels, QFont::Weight weight = QFont::Normal, bool monospaced = false);

// Fusion style, the dark palette and the style sheet, for the whole run.
void apply(QApplication& application);

}  // namespace marrowick::Theme
