// Label pixels to Y'CbCr samples once per film, and the per-frame blend under the rectangle.
#include "disclosure/internal/frame_label_blender.h"

#include <algorithm>
#include <cmath>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace marrowick {
namespace {

// Luma weights of red and blue in the frame's matrix; high-definition frames that do not say are
// taken as BT.709, others as BT.601, as players do.
struct LumaWeights {
    double red;
    double blue;
};

LumaWeights lumaWeights(const AVFrame& frame) {
    switch (frame.colorspace) {
        case AVCOL_SPC_BT709: return {0.2126, 0.0722};
        case AVCOL_SPC_BT2020_NCL:
        case AVCOL_SPC_BT2020_CL: return {0.2627, 0.0593};
        case AVCOL_SPC_SMPTE240M: return {0.212, 0.087};
        case AVCOL_SPC_BT470BG:
        case AVCOL_SPC_SMPTE170M:
        case AVCOL_SPC_FCC: return {0.299, 0.114};
        default: return frame.height >= 720 ? LumaWeights{0.2126, 0.0722} : LumaWeights{0.299, 0.114};
    }
}

// One label pixel as the frame's three sample values.
struct Samples {
    std::uint32_t value[3];
};

class SampleConverter {
public:
    SampleConverter(const AVFrame& frame, int depth)
        : weights_(lumaWeights(frame)),
          full_(frame.color_range == AVCOL_RANGE_JPEG),
          scale_(static_cast<double>(1 << (depth - 8))),
          top_(static_cast<double>((1 << depth) - 1)) {}

    Samples operator()(const std::uint8_t* rgba) const {
        const double r = rgba[0] / 255.0, g = rgba[1] / 255.0, b = rgba[2] / 255.0;
        const double y = weights_.red * r + (1 - weights_.red - weights_.blue) * g + weights_.blue * b;
        const double cb = (b - y) / (2 * (1 - weights_.blue));
        const double cr = (r - y) / (2 * (1 - weights_.red));
        return {{sample(full_ ? y * top_ : (16 + 219 * y) * scale_), chroma(cb), chroma(cr)}};
    }

private:
    std::uint32_t chroma(double c) const { return sample(full_ ? 128 * scale_ + c * top_ : (128 + 224 * c) * scale_); }
    std::uint32_t sample(double v) const { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, top_))); }

    LumaWeights weights_;
    bool full_;
    double scale_;
    double top_;
};

}  // namespace

bool FrameLabelBlender::supports(int pixelFormat) {
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(pixelFormat));
    if (!d || d->nb_components != 3) return false;
    const std::uint64_t refused = AV_PIX_FMT_FLAG_BE | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_BITSTREAM |
                                  AV_PIX_FMT_FLAG_HWACCEL | AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_FLOAT;
    if (!(d->flags & AV_PIX_FMT_FLAG_PLANAR) || (d->flags & refused)) return false;
    for (int c = 0; c < 3; ++c) {
        const AVComponentDescriptor& component = d->comp[c];
        if (component.plane != c || component.shift != 0 || component.offset != 0) return false;
        if (component.depth < 8 || component.depth > 16 || component.depth != d->comp[0].depth) return false;
        if (component.step != (component.depth > 8 ? 2 : 1)) return false;
    }
    return true;
}

FrameLabelBlender::FrameLabelBlender(const LabelOverlay& overlay, const AVFrame& like) {
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(like.format));
    const int depth = d->comp[0].depth;
    wideSamples_ = depth > 8;
    const SampleConverter convert(like, depth);
    const LabelRect& r = overlay.rect;
    const int left = static_cast<int>(std::clamp<std::int64_t>(r.x, 0, like.width));
    const int top = static_cast<int>(std::clamp<std::int64_t>(r.y, 0, like.height));
    const int right = static_cast<int>(std::clamp<std::int64_t>(r.x + std::min<std::int64_t>(r.width, overlay.picture.width), 0, like.width));
    const int bottom = static_cast<int>(std::clamp<std::int64_t>(r.y + std::min<std::int64_t>(r.height, overlay.picture.height), 0, like.height));
    if (left >= right || top >= bottom) return;

    for (int index = 0; index < 3; ++index) {
        const int shiftX = index == 0 ? 0 : d->log2_chroma_w;
        const int shiftY = index == 0 ? 0 : d->log2_chroma_h;
        Plane plane;
        plane.index = index;
        plane.x = left >> shiftX;
        plane.y = top >> shiftY;
        plane.width = ((right - 1) >> shiftX) - plane.x + 1;
        plane.height = ((bottom - 1) >> shiftY) - plane.y + 1;
        plane.full = 255u << (shiftX + shiftY);
        plane.weight.assign(static_cast<std::size_t>(plane.width) * plane.height, 0);
        plane.premultiplied.assign(plane.weight.size(), 0);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const std::uint8_t* rgba =
                    overlay.picture.pixels.data() + (static_cast<std::size_t>(y - r.y) * overlay.picture.width + (x - r.x)) * 4;
                const std::uint32_t alpha = rgba[3];
                if (alpha == 0) continue;
                const std::size_t cell = static_cast<std::size_t>((y >> shiftY) - plane.y) * plane.width + ((x >> shiftX) - plane.x);
                plane.weight[cell] += alpha;
                plane.premultiplied[cell] += alpha * convert(rgba).value[index];
            }
        planes_.push_back(std::move(plane));
    }
}

template <class Sample>
void FrameLabelBlender::blendPlane(const Plane& plane, AVFrame& frame) {
    const std::uint32_t half = plane.full / 2;
    for (int row = 0; row < plane.height; ++row) {
        auto* samples = reinterpret_cast<Sample*>(frame.data[plane.index] +
                                                  static_cast<std::ptrdiff_t>(plane.y + row) * frame.linesize[plane.index]) +
                        plane.x;
        const std::size_t base = static_cast<std::size_t>(row) * plane.width;
        for (int column = 0; column < plane.width; ++column) {
            const std::uint32_t weight = plane.weight[base + column];
            if (weight == 0) continue;
            const std::uint32_t kept = samples[column] * (plane.full - weight);
            samples[column] = static_cast<Sample>((kept + plane.premultiplied[base + column] + half) / plane.full);
        }
    }
}

void FrameLabelBlender::blend(AVFrame& frame) const {
    for (const Plane& plane : planes_) {
        if (wideSamples_)
            blendPlane<std::uint16_t>(plane, frame);
        else
            blendPlane<std::uint8_t>(plane, frame);
    }
}

}  // namespace marrowick
