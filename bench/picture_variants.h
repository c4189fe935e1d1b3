// Re-graded, re-framed and re-encoded copies of a picture, for the grouping benchmarks.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include <turbojpeg.h>

#include "model/rgba_image.h"

namespace marrowick::bench {

// A brightness offset, contrast and saturation factor as a colour grade applies them to Y'CbCr.
inline RgbaImage regrade(const RgbaImage& image, float brightness, float contrast, float saturation) {
    RgbaImage out = image;
    for (std::size_t i = 0; i + 3 < out.pixels.size(); i += 4) {
        const float r = image.pixels[i] / 255.0f, g = image.pixels[i + 1] / 255.0f, b = image.pixels[i + 2] / 255.0f;
        const float y = 0.299f * r + 0.587f * g + 0.114f * b;
        const float cb = (b - y) * saturation, cr = (r - y) * saturation;
        const float y2 = (y - 0.5f) * contrast + 0.5f + brightness;
        const float r2 = y2 + cr, b2 = y2 + cb, g2 = (y2 - 0.299f * r2 - 0.114f * b2) / 0.587f;
        out.pixels[i] = std::uint8_t(std::clamp(r2, 0.0f, 1.0f) * 255 + 0.5f);
        out.pixels[i + 1] = std::uint8_t(std::clamp(g2, 0.0f, 1.0f) * 255 + 0.5f);
        out.pixels[i + 2] = std::uint8_t(std::clamp(b2, 0.0f, 1.0f) * 255 + 0.5f);
    }
    return out;
}

// The rectangle [left, left + width) x [top, top + height) scaled bilinearly to outWidth x outHeight.
inline RgbaImage reframe(const RgbaImage& image, double left, double top, double width, double height, int outWidth,
                         int outHeight) {
    RgbaImage out{outWidth, outHeight, std::vector<std::uint8_t>(std::size_t(outWidth) * outHeight * 4)};
    for (int y = 0; y < outHeight; ++y) {
        const double sy = std::clamp(top + (y + 0.5) * height / outHeight - 0.5, 0.0, image.height - 1.0);
        const int y0 = int(sy), y1 = std::min(y0 + 1, image.height - 1);
        const double fy = sy - y0;
        for (int x = 0; x < outWidth; ++x) {
            const double sx = std::clamp(left + (x + 0.5) * width / outWidth - 0.5, 0.0, image.width - 1.0);
            const int x0 = int(sx), x1 = std::min(x0 + 1, image.width - 1);
            const double fx = sx - x0;
            for (int c = 0; c < 4; ++c) {
                const auto at = [&](int px, int py) { return double(image.pixels[(std::size_t(py) * image.width + px) * 4 + c]); };
                const double top_ = at(x0, y0) * (1 - fx) + at(x1, y0) * fx;
                const double bottom = at(x0, y1) * (1 - fx) + at(x1, y1) * fx;
                out.pixels[(std::size_t(y) * outWidth + x) * 4 + c] = std::uint8_t(top_ * (1 - fy) + bottom * fy + 0.5);
            }
        }
    }
    return out;
}

// A JPEG round trip at the given quality (compression artefacts of a re-encode).
inline RgbaImage reencode(const RgbaImage& image, int quality) {
    tjhandle compressor = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(compressor, image.pixels.data(), image.width, image.width * 4, image.height, TJPF_RGBA, &jpeg, &size,
                TJSAMP_420, quality, 0);
    tjDestroy(compressor);
    RgbaImage out{image.width, image.height, std::vector<std::uint8_t>(image.pixels.size())};
    tjhandle decompressor = tjInitDecompress();
    tjDecompress2(decompressor, jpeg, size, out.pixels.data(), image.width, image.width * 4, image.height, TJPF_RGBA, 0);
    tjDestroy(decompressor);
    tjFree(jpeg);
    return out;
}

// One occurrence of a scene in another film: a random grade within +-0.1 brightness, 0.8...1.2
// contrast and 0.7...1.3 saturation, a crop of up to 10 % each way, another size and a re-encode.
inline RgbaImage variant(const RgbaImage& image, std::mt19937& random, int outWidth = 480, int outHeight = 270,
                         bool encode = true) {
    std::uniform_real_distribution<float> brightness(-0.1f, 0.1f), contrast(0.8f, 1.2f), saturation(0.7f, 1.3f);
    std::uniform_real_distribution<double> crop(0.0, 0.1), place(0.0, 1.0);
    std::uniform_int_distribution<int> quality(30, 90);
    const double keep = 1 - crop(random);
    const double width = image.width * keep, height = image.height * keep;
    const double left = (image.width - width) * place(random), top = (image.height - height) * place(random);
    RgbaImage framed = reframe(image, left, top, width, height, outWidth, outHeight);
    RgbaImage graded = regrade(framed, brightness(random), contrast(random), saturation(random));
    const int q = quality(random);
    return encode ? reencode(graded, q) : graded;
}

}  // namespace marrowick::bench
