// Frame keys and frame details from analysis frames, and their comparisons.
#include "analysis/frame_signature.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace marrowick {

namespace {

// Tolerances, in 8-bit levels, found on re-encoded (MPEG-4, H.264 at other qualities and key frame
// distances) and rescaled versions of generated films; see docs/carried-decisions.md.
constexpr int kKeyMeanDifference = 4;     // mean over the key's bytes
constexpr int kKeyLargestDifference = 16;
constexpr double kMeanShift = 1.5;        // overall brightness: a grade moves every pixel
constexpr double kGain = 0.02;            // brightness scaled by a grade, as a fraction
constexpr int kBlockDifference = 8;       // mean brightness of a 4 x 3 block
constexpr int kColourDifference = 6;      // mean colour difference of a 4 x 3 block (halved)
constexpr int kPixelDifference = 40;      // any single analysis pixel

float lumaOf(const float* rgb) { return 0.299f * rgb[0] + 0.587f * rgb[1] + 0.114f * rgb[2]; }

std::uint8_t byteOf(double value) { return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L)); }

// Brightness and the two colour differences (blue and red minus brightness, halved, around 128).
struct Pixel {
    float luma, blue, red;
};

Pixel pixelAt(const TinyFrame& frame, int x, int y) {
    const float* rgb = &frame.rgb[static_cast<std::size_t>((y * kTinyWidth + x) * 3)];
    const float luma = lumaOf(rgb);
    return {luma, 128 + (rgb[2] - luma) / 2, 128 + (rgb[0] - luma) / 2};
}

// The mean pixel over [x0, x1) x [y0, y1).
Pixel meanOver(const TinyFrame& frame, int x0, int x1, int y0, int y1) {
    Pixel sum{0, 0, 0};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Pixel pixel = pixelAt(frame, x, y);
            sum.luma += pixel.luma;
            sum.blue += pixel.blue;
            sum.red += pixel.red;
        }
    const float count = static_cast<float>((x1 - x0) * (y1 - y0));
    return {sum.luma / count, sum.blue / count, sum.red / count};
}

// Cell i of n along a side of the given length: [length * i / n, length * (i + 1) / n).
int edge(int length, int i, int n) { return length * i / n; }

}  // namespace

int FrameKey::brightness() const {
    int sum = 0;
    for (int i = 0; i < kColumns * kRows; ++i) sum += values[static_cast<std::size_t>(i)];
    return sum / (kColumns * kRows);
}

FrameKey frameKeyOf(const TinyFrame& frame) {
    FrameKey key;
    std::size_t next = 0;
    for (int row = 0; row < FrameKey::kRows; ++row)
        for (int column = 0; column < FrameKey::kColumns; ++column)
            key.values[next++] = byteOf(meanOver(frame, edge(kTinyWidth, column, FrameKey::kColumns),
                                                 edge(kTinyWidth, column + 1, FrameKey::kColumns),
                                                 edge(kTinyHeight, row, FrameKey::kRows),
                                                 edge(kTinyHeight, row + 1, FrameKey::kRows))
                                            .luma);
    for (int cell = 0; cell < FrameKey::kColourCells; ++cell) {
        const int column = cell % 2, row = cell / 2;
        const Pixel mean = meanOver(frame, edge(kTinyWidth, column, 2), edge(kTinyWidth, column + 1, 2),
                                    edge(kTinyHeight, row, 2), edge(kTinyHeight, row + 1, 2));
        key.values[next++] = byteOf(mean.blue);
        key.values[next++] = byteOf(mean.red);
    }
    return key;
}

FrameDetail frameDetailOf(const TinyFrame& frame) {
    FrameDetail detail;
    std::size_t next = 0;
    for (int y = 0; y < kTinyHeight; ++y)
        for (int x = 0; x < kTinyWidth; ++x) detail.values[next++] = byteOf(pixelAt(frame, x, y).luma);
    for (int row = 0; row < FrameDetail::kBlockRows; ++row)
        for (int column = 0; column < FrameDetail::kBlockColumns; ++column) {
            const int x = column * FrameDetail::kBlockWidth, y = row * FrameDetail::kBlockHeight;
            const Pixel mean = meanOver(frame, x, x + FrameDetail::kBlockWidth, y, y + FrameDetail::kBlockHeight);
            detail.values[next++] = byteOf(mean.blue);
            detail.values[next++] = byteOf(mean.red);
        }
    return detail;
}

bool keysMatch(const FrameKey& a, const FrameKey& b) {
    int sum = 0;
    for (std::size_t i = 0; i < FrameKey::kSize; ++i) {
        const int difference = std::abs(int(a.values[i]) - int(b.values[i]));
        if (difference > kKeyLargestDifference) return false;
        sum += difference;
    }
    return sum <= kKeyMeanDifference * static_cast<int>(FrameKey::kSize);
}

namespace {

// Brightness difference (b - a) of every analysis pixel; false when one is far off.
bool pixelsClose(const FrameDetail& a, const FrameDetail& b, std::array<int, kTinyPixels>& differences) {
    for (std::size_t i = 0; i < kTinyPixels; ++i) {
        differences[i] = int(b.values[i]) - int(a.values[i]);
        if (std::abs(differences[i]) > kPixelDifference) return false;
    }
    return true;
}

bool blocksClose(const std::array<int, kTinyPixels>& differences) {
    for (int row = 0; row < FrameDetail::kBlockRows; ++row)
        for (int column = 0; column < FrameDetail::kBlockColumns; ++column) {
            int sum = 0;
            for (int y = 0; y < FrameDetail::kBlockHeight; ++y)
                for (int x = 0; x < FrameDetail::kBlockWidth; ++x)
                    sum += differences[static_cast<std::size_t>((row * FrameDetail::kBlockHeight + y) * kTinyWidth +
                                                                column * FrameDetail::kBlockWidth + x)];
            if (std::abs(sum) > kBlockDifference * FrameDetail::kBlockWidth * FrameDetail::kBlockHeight) return false;
        }
    return true;
}

bool coloursClose(const FrameDetail& a, const FrameDetail& b) {
    for (std::size_t i = kTinyPixels; i < FrameDetail::kSize; ++i)
        if (std::abs(int(a.values[i]) - int(b.values[i])) > kColourDifference) return false;
    return true;
}

// Neither shifted nor scaled in brightness as a whole: the mean difference, and the least-squares
// gain from a to b (through black), stay near 0 and 1.
bool gradeUnchanged(const FrameDetail& a, const std::array<int, kTinyPixels>& differences) {
    double sum = 0, cross = 0, square = 0;
    for (std::size_t i = 0; i < kTinyPixels; ++i) {
        const double value = a.values[i];
        sum += differences[i];
        cross += value * differences[i];
        square += value * value;
    }
    if (std::fabs(sum / kTinyPixels) > kMeanShift) return false;
    return square == 0 || std::fabs(cross / square) <= kGain;
}

}  // namespace

bool detailsMatch(const FrameDetail& a, const FrameDetail& b) {
    std::array<int, kTinyPixels> differences{};
    return pixelsClose(a, b, differences) && blocksClose(differences) && coloursClose(a, b) &&
           gradeUnchanged(a, differences);
}

}  // namespace marrowick
