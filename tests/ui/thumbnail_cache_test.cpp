// Thumbnails: decoded once to the row's size, and bytes that are not a JPEG give no picture.
#include "ui/thumbnail_cache.h"

#include <gtest/gtest.h>

#include "demo_review.h"

namespace marrowick {
namespace {

TEST(ThumbnailCache, DecodesOnceToTheRequestedSizeAndRefusesBrokenBytes) {
    ThumbnailCache cache;
    const Blob frame = testing::paintedFrame(3);
    const QPixmap first = cache.pixmap(frame, QSize(108, 61), 2.0);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.size(), QSize(216, 122));
    EXPECT_EQ(first.deviceIndependentSize(), QSizeF(108, 61));
    EXPECT_EQ(cache.pixmap(frame, QSize(108, 61), 2.0).cacheKey(), first.cacheKey());
    EXPECT_EQ(cache.pixmap(frame, QSize(108, 61), 1.0).size(), QSize(108, 61));

    std::vector<std::uint8_t> truncated(frame->begin(), frame->begin() + 40);
    EXPECT_TRUE(cache.pixmap(makeBlob(truncated), QSize(108, 61), 1.0).isNull());
    EXPECT_TRUE(cache.pixmap(makeBlob({}), QSize(108, 61), 1.0).isNull());
    EXPECT_TRUE(cache.pixmap(nullptr, QSize(108, 61), 1.0).isNull());
}

}  // namespace
}  // namespace marrowick
