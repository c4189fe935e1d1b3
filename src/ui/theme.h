// The application's one dark appearance: colours, fonts and the palette with its style sheet.
#pragma once

#include <QColor>
#include <QFont>

#include <vector>

#include "model/disclosure.h"

class QApplication;

namespace marrowick::Theme {

// The window background, sRGB (0.075, 0.08, 0.09).
inline const QColor kBackground{19, 20, 23};
inline const QColor kSidebar{24, 25, 29};
inline const QColor kPanel{28, 30, 34};
inline const QColor kControl{44, 46, 52};
inline const QColor kControlHover{53, 55, 62};
inline const QColor kControlPressed{38, 40, 45};
inline const QColor kDisabledControl{34, 36, 40};
inline const QColor kField{36, 38, 43};  // text fields and menus
inline const QColor kSeparator{255, 255, 255, 22};
inline const QColor kText{236, 236, 240};
inline const QColor kSecondaryText{176, 178, 186};
inline const QColor kTertiaryText{150, 152, 160};  // placeholders and disabled text
inline const QColor kAccent{255, 159, 10};
inline const QColor kAccentHover{255, 179, 64};
inline const QColor kOnAccent{19, 20, 23};
inline const QColor kAccentDisabled{90, 67, 32};
inline const QColor kOnAccentDisabled{232, 214, 180};
inline const QColor kGreen{52, 199, 89};

// The colour at `alpha` opacity (0 to 1).
inline QColor withAlpha(QColor color, qreal alpha) {
    color.setAlphaF(alpha);
    return color;
}

// Every text colour of the theme on each background the palette and the style sheet put it on;
// each pair reads at 4.5:1 or better (WCAG AA).
struct TextPair {
    const char* name;
    QColor text;
    QColor background;
};
std::vector<TextPair> textPairs();

// The badge colour of a decision: grey, green, orange or purple.
QColor disclosureColor(Disclosure disclosure);

// A font of the given size in logical pixels (the window description's points) and weight;
// monospaced when asked.
QFont font(int pixels, QFont::Weight weight = QFont::Normal, bool monospaced = false);

// Fusion style, the dark palette and the style sheet, for the whole run.
void apply(QApplication& application);

}  // namespace marrowick::Theme
