// Shot thumbnails decoded on first paint and kept for the rows that scroll back into view.
#pragma once

#include <QCache>
#include <QPixmap>
#include <QSize>

#include "model/blob.h"

namespace marrowick {

class ThumbnailCache {
public:
    // `budget_bytes` bounds the decoded pixels kept (about 900 rows at 108 by 61).
    explicit ThumbnailCache(qsizetype budget_bytes = 24 << 20) : cache_(budget_bytes) {}

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
