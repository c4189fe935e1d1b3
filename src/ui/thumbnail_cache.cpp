// Decoding and scaling of shot thumbnails.
#include "ui/thumbnail_cache.h"

#include <algorithm>

#include <QImage>

namespace marrowick {
namespace {

QPixmap decode(const Blob& jpeg, QSize size, qreal devicePixelRatio) {
    QImage image;
    if (!image.loadFromData(jpeg->data(), static_cast<int>(jpeg->size()), "JPEG")) return {};
    const QSize pixels = size * devicePixelRatio;
    image = image.scaled(pixels, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    image = image.copy((image.width() - pixels.width()) / 2, (image.height() - pixels.height()) / 2, pixels.width(),
                       pixels.height());
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

}  // namespace

QPixmap ThumbnailCache::pixmap(const Blob& jpeg, QSize size, qreal devicePixelRatio) {
    if (!jpeg || jpeg->empty()) return {};
    if (const Entry* entry = cache_.object(jpeg.get());
        entry && entry->pixmap.size() == size * devicePixelRatio)
        return entry->pixmap;
    QPixmap pixmap = decode(jpeg, size, devicePixelRatio);
    const qsizetype cost = qsizetype(pixmap.width()) * pixmap.height() * 4;
    cache_.insert(jpeg.get(), new Entry{jpeg, pixmap}, std::max<qsizetype>(cost, 1));
    return pixmap;
}

}  // namespace marrowick
