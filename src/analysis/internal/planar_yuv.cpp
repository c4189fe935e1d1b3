// Format test and block averaging for planar 8-bit YUV pictures.
#include "analysis/internal/planar_yuv.h"

#include <algorithm>
#include <cstring>
#include <vector>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace marrowick {

namespace {

// Sums of `factor` neighbouring column sums for the whole blocks of a row, rounded to bytes; a
// compile-time factor lets the common ones vectorise.
template <int Factor>
void averageBlocks(const std::uint16_t* sums, int blocks, std::uint8_t* out) {
    constexpr std::uint32_t area = Factor * Factor;
    for (int x = 0; x < blocks; ++x) {
        std::uint32_t sum = 0;
        for (int k = 0; k < Factor; ++k) sum += sums[x * Factor + k];
        out[x] = static_cast<std::uint8_t>((sum + area / 2) / area);
    }
}

}  // namespace

bool isPlanarYuv8(const AVPixFmtDescriptor* desc) {
    if (!desc || desc->nb_components < 3) return false;
    const auto excluded = AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_BITSTREAM |
                          AV_PIX_FMT_FLAG_HWACCEL | AV_PIX_FMT_FLAG_BE | AV_PIX_FMT_FLAG_BAYER;
    if ((desc->flags & excluded) || !(desc->flags & AV_PIX_FMT_FLAG_PLANAR)) return false;
    for (int i = 0; i < 3; ++i)
        if (desc->comp[i].depth != 8 || desc->comp[i].plane != i || desc->comp[i].step != 1 || desc->comp[i].shift != 0)
            return false;
    return true;
}

void shrinkPlane(const std::uint8_t* source, int stride, int width, int height, int factor, std::uint8_t* target,
                 int targetStride, int outWidth, int outHeight) {
    const auto line = [&](int y) { return source + static_cast<std::ptrdiff_t>(std::min(y, height - 1)) * stride; };
    if (factor == 1) {
        for (int y = 0; y < outHeight; ++y)
            std::memcpy(target + static_cast<std::ptrdiff_t>(y) * targetStride, line(y),
                        static_cast<std::size_t>(std::min(outWidth, width)));
        return;
    }
    const std::uint32_t area = static_cast<std::uint32_t>(factor) * static_cast<std::uint32_t>(factor);
    // Column sums of a block row fit 16 bits for any factor up to 257; the loops over them vectorise.
    std::vector<std::uint16_t> sums(static_cast<std::size_t>(width));
    for (int y = 0; y < outHeight; ++y) {
        const std::uint8_t* first = line(y * factor);
        for (int x = 0; x < width; ++x) sums[x] = first[x];
        for (int k = 1; k < factor; ++k) {
            const std::uint8_t* next = line(y * factor + k);
            for (int x = 0; x < width; ++x) sums[x] = static_cast<std::uint16_t>(sums[x] + next[x]);
        }
        std::uint8_t* out = target + static_cast<std::ptrdiff_t>(y) * targetStride;
        int x = std::min(outWidth, width / factor);  // blocks that lie wholly inside the row
        if (factor == 2) averageBlocks<2>(sums.data(), x, out);
        else if (factor == 4) averageBlocks<4>(sums.data(), x, out);
        else if (factor == 8) averageBlocks<8>(sums.data(), x, out);
        else x = 0;
        for (; x < outWidth; ++x) {
            std::uint32_t sum = 0;
            for (int k = 0; k < factor; ++k) sum += sums[std::min(x * factor + k, width - 1)];
            out[x] = static_cast<std::uint8_t>((sum + area / 2) / area);
        }
    }
}

}  // namespace marrowick
