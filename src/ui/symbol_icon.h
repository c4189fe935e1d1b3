// Tinted line icons, named after the symbols the window description uses ("film", "tag", ...).
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace marrowick::SymbolIcon {

// The symbol drawn in `color` at `size` logical pixels for the given device pixel ratio; cached.
QPixmap pixmap(const QString& name, const QColor& color, int size, qreal devicePixelRatio = 1.0);

// An icon of the symbol with its normal and disabled tints.
QIcon icon(const QString& name, const QColor& color, int size = 16);

}  // namespace marrowick::SymbolIcon
