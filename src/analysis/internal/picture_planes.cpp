// Area averaging of an RGBA picture into the analysis grid.
#include "analysis/internal/picture_planes.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numeric>
#include <vector>

namespace marrowick {

namespace {

// The source range [first, last) covered by grid cell `cell` along an axis of `size` pixels.
void span(int cell, int size, int& first, int& last) {
    first = static_cast<int>(static_cast<long>(cell) * size / PicturePlanes::kSide);
    last = std::max(first + 1, static_cast<int>(static_cast<long>(cell + 1) * size / PicturePlanes::kSide));
    last = std::min(last, size);
    first = std::min(first, last - 1);
}

}  // namespace

PicturePlanes PicturePlanes::of(const RgbaImage& image) {
    assert(image.width > 0 && image.height > 0 && image.pixels.size() >= std::size_t(image.width) * image.height * 4);
    PicturePlanes planes;
    // Column sums of each grid row's source rows first, then cell sums across columns.
    std::vector<float> red(image.width), green(image.width), blue(image.width);
    for (int gy = 0; gy < kSide; ++gy) {
        int top = 0, bottom = 0;
        span(gy, image.height, top, bottom);
        std::fill(red.begin(), red.end(), 0.0f);
        std::fill(green.begin(), green.end(), 0.0f);
        std::fill(blue.begin(), blue.end(), 0.0f);
        for (int row = top; row < bottom; ++row) {
            const std::uint8_t* pixel = image.pixels.data() + std::size_t(row) * image.width * 4;
            for (int x = 0; x < image.width; ++x, pixel += 4) {
                red[x] += pixel[0];
                green[x] += pixel[1];
                blue[x] += pixel[2];
            }
        }
        for (int gx = 0; gx < kSide; ++gx) {
            int left = 0, right = 0;
            span(gx, image.width, left, right);
            const float count = float(bottom - top) * float(right - left) * 255.0f;
            const float r = std::accumulate(red.begin() + left, red.begin() + right, 0.0f) / count;
            const float g = std::accumulate(green.begin() + left, green.begin() + right, 0.0f) / count;
            const float b = std::accumulate(blue.begin() + left, blue.begin() + right, 0.0f) / count;
            const float luma = 0.299f * r + 0.587f * g + 0.114f * b;
            const std::size_t cell = std::size_t(gy) * kSide + gx;
            planes.y[cell] = luma;
            planes.cb[cell] = 0.564f * (b - luma);
            planes.cr[cell] = 0.713f * (r - luma);
        }
    }
    return planes;
}

float PicturePlanes::meanY() const { return std::accumulate(y.begin(), y.end(), 0.0f) / float(kCells); }

float PicturePlanes::spreadY() const {
    const float mean = meanY();
    float sum = 0;
    for (const float value : y) sum += (value - mean) * (value - mean);
    return std::sqrt(sum / float(kCells));
}

}  // namespace marrowick
