// Renders the bundled SVG symbols and tints them.
#include "ui/symbol_icon.h"

#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include "ui/theme.h"

// The symbols are compiled into this static library; register them before the first lookup.
static void registerSymbols() { Q_INIT_RESOURCE(icons); }

namespace marrowick::SymbolIcon {

QPixmap pixmap(const QString& name, const QColor& color, int size, qreal devicePixelRatio) {
    const QString key =
        QStringLiteral("symbol:%1:%2:%3:%4").arg(name).arg(color.rgba()).arg(size).arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) return cached;

    static const bool registered = (registerSymbols(), true);
    Q_UNUSED(registered);
    const int pixels = qRound(size * devicePixelRatio);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    QPainter painter(&image);
    renderer.render(&painter);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    painter.end();

    QPixmap result = QPixmap::fromImage(std::move(image));
    result.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, result);
    return result;
}

QIcon icon(const QString& name, const QColor& color, int size) {
    QIcon result;
    for (const qreal ratio : {1.0, 2.0}) {
        result.addPixmap(pixmap(name, color, size, ratio), QIcon::Normal);
        result.addPixmap(pixmap(name, Theme::kTertiaryText, size, ratio), QIcon::Disabled);
    }
    return result;
}

}  // namespace marrowick::SymbolIcon
