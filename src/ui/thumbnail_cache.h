// Shot thumbnails decoded on first paint and kept for the rows that scroll back into view.
#pragma once

#include <QCache>
#include <QPixmap>
#include <QSize>

#include "model/blob.h"

namespace marrowick {

class ThumbnailCache {
public:
    explicit ThumbnailCache(int capacity = 1500) : cache_(capacity) {}

    // The JPEG scaled to fill `size` (cropped to its aspect), or a null pixmap when the bytes
    // are absent or do not decode.
    QPixmap pixmap(const Blob& jpeg, QSize size, qreal devicePixelRatio);

private:
    // Holding the bytes keeps their address, the key, from being reused by another thumbnail.
    struct Entry {
        Blob bytes;
        QPixmap pixmap;
    };
    QCache<const void*, Entry> cache_;
};

}  // namespace marrowick
