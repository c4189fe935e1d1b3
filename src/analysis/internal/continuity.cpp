// Block-by-block comparison of two analysis frames that tells a continuing shot from a cut.
#include "analysis/internal/continuity.h"

#include <algorithm>
#include <cmath>

namespace marrowick {

namespace {

constexpr int kBlockWidth = 8;      // 6 x 3 blocks of the 48 x 27 frame
constexpr int kBlockHeight = 9;
constexpr float kDetail = 5.0f;     // a block whose grey values spread less shows no detail
constexpr float kStayingChange = 0.4f;  // a block stays when it changes less than this share of its detail...
constexpr float kNoise = 2.0f;      // ...plus the grey levels that noise and compression explain
constexpr int kFewestDetailedBlocks = 3;

struct BlockComparison {
    float detail = 0;  // the larger spread of the block's grey values in the two frames
    float change = 0;  // the mean absolute difference of its grey values
};

BlockComparison compareBlock(const GreyFrame& a, const GreyFrame& b, int left, int top) {
    float sa = 0, sb = 0, saa = 0, sbb = 0, change = 0;
    for (int y = top; y < top + kBlockHeight; ++y) {
        for (int x = left; x < left + kBlockWidth; ++x) {
            const float va = a[y * kTinyWidth + x], vb = b[y * kTinyWidth + x];
            sa += va;
            sb += vb;
            saa += va * va;
            sbb += vb * vb;
            change += std::abs(va - vb);
        }
    }
    constexpr float n = kBlockWidth * kBlockHeight;
    const float spread = std::max(saa / n - sa * sa / (n * n), sbb / n - sb * sb / (n * n));
    return {std::sqrt(std::max(0.0f, spread)), change / n};
}

}  // namespace

GreyFrame greyFrame(const float* rgb) {
    GreyFrame grey;
    for (int p = 0; p < kTinyPixels; ++p) grey[p] = (rgb[3 * p] + rgb[3 * p + 1] + rgb[3 * p + 2]) / 3.0f;
    return grey;
}

float stayingShare(const GreyFrame& a, const GreyFrame& b) {
    int detailed = 0, staying = 0;
    for (int top = 0; top + kBlockHeight <= kTinyHeight; top += kBlockHeight) {
        for (int left = 0; left + kBlockWidth <= kTinyWidth; left += kBlockWidth) {
            const BlockComparison block = compareBlock(a, b, left, top);
            if (block.detail < kDetail) continue;
            ++detailed;
            if (block.change <= kStayingChange * block.detail + kNoise) ++staying;
        }
    }
    return detailed < kFewestDetailedBlocks ? 0.0f : static_cast<float>(staying) / static_cast<float>(detailed);
}

}  // namespace marrowick
