// Computing, encoding, decoding and comparing feature prints.
#include "analysis/feature_print.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#include "analysis/internal/picture_planes.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

using Values = std::array<std::uint8_t, FeaturePrint::kValues>;
constexpr int kSide = PicturePlanes::kSide;
constexpr char kMagic[4] = {'M', 'W', 'F', 'P'};

// Standardised values in -4...4 are stored in steps of 8/255.
constexpr float kStandardRange = 4.0f;
constexpr float kStandardStep = 2 * kStandardRange / 255.0f;
// Below these a picture counts as flat or colourless: its standardised parts stay zero.
constexpr float kFlatSpread = 0.004f;
constexpr float kColourFloor = 0.02f;
constexpr float kEdgeFloor = 0.002f;

// Where each part starts in the values.
constexpr std::size_t kChromaAt = FeaturePrint::kLumaLayout;
constexpr std::size_t kEdgesAt = kChromaAt + FeaturePrint::kChromaLayout;
constexpr std::size_t kHuesAt = kEdgesAt + FeaturePrint::kEdges;
constexpr std::size_t kTonesAt = kHuesAt + FeaturePrint::kHues;
constexpr std::size_t kOverallAt = kTonesAt + FeaturePrint::kTones;

// Weights of the parts in the distance, each part first scaled to 0...1 (docs/feature-print.md).
constexpr float kLumaWeight = 0.20f;
constexpr float kChromaWeight = 0.10f;
constexpr float kEdgeWeight = 0.20f;
// Hue 0.60, tones 0.40, overall brightness 0.40, spread 0.10, mean colour 0.20 each: quickPart.

std::uint8_t standardByte(float value) {
    const float step = std::round((std::clamp(value, -kStandardRange, kStandardRange) + kStandardRange) / kStandardStep);
    return static_cast<std::uint8_t>(step);
}

std::uint8_t unitByte(float value) { return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255)); }

// Adds `weight` to a histogram of `bins` at fractional position `at`, shared between the two
// nearest bins; `wrap` joins the last bin to the first (angles).
template <std::size_t Bins>
void addSoft(std::array<float, Bins>& histogram, float at, float weight, bool wrap) {
    at = wrap ? at : std::clamp(at, 0.0f, float(Bins - 1));
    const float floor = std::floor(at);
    const float share = at - floor;
    std::size_t low = static_cast<std::size_t>(long(floor) % long(Bins) + (floor < 0 ? Bins : 0)) % Bins;
    std::size_t high = wrap ? (low + 1) % Bins : std::min(low + 1, Bins - 1);
    histogram[low] += weight * (1 - share);
    histogram[high] += weight * share;
}

// Writes the histogram scaled to a sum of one, or zeros when it holds less than `floor`.
template <std::size_t Bins>
void storeHistogram(const std::array<float, Bins>& histogram, float floor, Values& values, std::size_t at) {
    float total = 0;
    for (const float value : histogram) total += value;
    for (std::size_t i = 0; i < Bins; ++i) values[at + i] = total < floor ? 0 : unitByte(histogram[i] / total);
}

// 8 x 8 cell means of luma, standardised over the cells.
void storeLumaLayout(const PicturePlanes& planes, Values& values) {
    std::array<float, FeaturePrint::kLumaLayout> cells{};
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) cells[std::size_t(y / 8) * 8 + std::size_t(x / 8)] += planes.y[std::size_t(y) * kSide + x] / 64;
    float mean = 0, spread = 0;
    for (const float cell : cells) mean += cell / cells.size();
    for (const float cell : cells) spread += (cell - mean) * (cell - mean) / cells.size();
    spread = std::sqrt(spread);
    for (std::size_t i = 0; i < cells.size(); ++i)
        values[i] = standardByte(spread < kFlatSpread ? 0 : (cells[i] - mean) / spread);
}

// 4 x 4 cell means of both colour differences, divided by their root mean square (so saturation
// does not count) unless the picture is nearly colourless.
void storeChromaLayout(const PicturePlanes& planes, Values& values) {
    std::array<float, FeaturePrint::kChromaLayout> cells{};
    constexpr float share = 1.0f / 256;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const std::size_t cell = std::size_t(y / 16) * 4 + std::size_t(x / 16);
            cells[cell * 2] += planes.cb[std::size_t(y) * kSide + x] * share;
            cells[cell * 2 + 1] += planes.cr[std::size_t(y) * kSide + x] * share;
        }
    float power = 0;
    for (const float cell : cells) power += cell * cell / cells.size();
    const float scale = std::max(std::sqrt(power), kColourFloor);
    for (std::size_t i = 0; i < cells.size(); ++i) values[kChromaAt + i] = standardByte(cells[i] / scale);
}

// Magnitude-weighted histograms of edge orientation (0 to 180 degrees, 8 bins): the whole picture,
// then its four quadrants.
void storeEdges(const PicturePlanes& planes, Values& values) {
    std::array<std::array<float, 8>, 5> histograms{};
    const auto at = [&](int x, int y) { return planes.y[std::size_t(y) * kSide + x]; };
    for (int y = 1; y < kSide - 1; ++y)
        for (int x = 1; x < kSide - 1; ++x) {
            const float gx = at(x + 1, y) - at(x - 1, y);
            const float gy = at(x, y + 1) - at(x, y - 1);
            const float magnitude = std::sqrt(gx * gx + gy * gy);
            if (magnitude <= 0) continue;
            float angle = std::atan2(gy, gx);
            if (angle < 0) angle += std::numbers::pi_v<float>;
            const float bin = angle / std::numbers::pi_v<float> * 8;
            addSoft(histograms[0], bin, magnitude, true);
            addSoft(histograms[1 + std::size_t(y >= kSide / 2) * 2 + std::size_t(x >= kSide / 2)], bin, magnitude, true);
        }
    const float floor = kEdgeFloor * (kSide - 2) * (kSide - 2);
    storeHistogram(histograms[0], floor, values, kEdgesAt);
    for (std::size_t q = 1; q < 5; ++q) storeHistogram(histograms[q], floor / 4, values, kEdgesAt + q * 8);
}

// Hue histogram (12 bins around the colour circle) weighted by colourfulness.
void storeHues(const PicturePlanes& planes, Values& values) {
    std::array<float, FeaturePrint::kHues> histogram{};
    for (std::size_t i = 0; i < PicturePlanes::kCells; ++i) {
        const float magnitude = std::hypot(planes.cb[i], planes.cr[i]);
        if (magnitude <= 0) continue;
        float angle = std::atan2(planes.cr[i], planes.cb[i]);
        if (angle < 0) angle += 2 * std::numbers::pi_v<float>;
        addSoft(histogram, angle / (2 * std::numbers::pi_v<float>) * FeaturePrint::kHues, magnitude, true);
    }
    storeHistogram(histogram, kColourFloor * PicturePlanes::kCells, values, kHuesAt);
}

// Histogram of standardised luma over -2...2 standard deviations (8 bins).
void storeTones(const PicturePlanes& planes, Values& values) {
    std::array<float, FeaturePrint::kTones> histogram{};
    const float mean = planes.meanY();
    const float spread = planes.spreadY();
    for (const float luma : planes.y) {
        const float standard = spread < kFlatSpread ? 0 : (luma - mean) / spread;
        addSoft(histogram, (standard + 2) / 4 * FeaturePrint::kTones - 0.5f, 1, false);
    }
    storeHistogram(histogram, 0.5f, values, kTonesAt);
}

void storeOverall(const PicturePlanes& planes, Values& values) {
    float cb = 0, cr = 0;
    for (std::size_t i = 0; i < PicturePlanes::kCells; ++i) {
        cb += planes.cb[i] / PicturePlanes::kCells;
        cr += planes.cr[i] / PicturePlanes::kCells;
    }
    values[kOverallAt] = unitByte(planes.meanY());
    values[kOverallAt + 1] = unitByte(planes.spreadY() * 2);
    values[kOverallAt + 2] = unitByte(cb + 0.5f);
    values[kOverallAt + 3] = unitByte(cr + 0.5f);
}

// Sum of absolute differences of `count` bytes from `at`.
template <std::size_t Count>
unsigned absoluteDifference(const Values& a, const Values& b, std::size_t at) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < Count; ++i) sum += unsigned(std::abs(int(a[at + i]) - int(b[at + i])));
    return sum;
}

// Hue and tone histograms and the overall values, weighted: in whole units of 1/2550 so that the
// sums stay exact integers (hue 0.6 and tone 0.4 per full swap of 510; brightness 0.4, spread
// 0.1 and each mean colour difference 0.2 per full scale of 255).
float quickPart(const Values& a, const Values& b) {
    const auto difference = [&](std::size_t i) { return unsigned(std::abs(int(a[i]) - int(b[i]))); };
    const unsigned units = 3 * absoluteDifference<FeaturePrint::kHues>(a, b, kHuesAt) +
                           2 * absoluteDifference<FeaturePrint::kTones>(a, b, kTonesAt) + 4 * difference(kOverallAt) +
                           difference(kOverallAt + 1) + 2 * difference(kOverallAt + 2) + 2 * difference(kOverallAt + 3);
    return float(units) / 2550.0f;
}

}  // namespace

FeaturePrint FeaturePrint::of(const RgbaImage& image) {
    const PicturePlanes planes = PicturePlanes::of(image);
    FeaturePrint print;
    storeLumaLayout(planes, print.values);
    storeChromaLayout(planes, print.values);
    storeEdges(planes, print.values);
    storeHues(planes, print.values);
    storeTones(planes, print.values);
    storeOverall(planes, print.values);
    return print;
}

std::vector<std::uint8_t> FeaturePrint::encode() const {
    std::vector<std::uint8_t> bytes(kEncodedSize, 0);
    std::memcpy(bytes.data(), kMagic, sizeof kMagic);
    bytes[4] = kVersion;
    std::copy(values.begin(), values.end(), bytes.begin() + kHeaderSize);
    return bytes;
}

FeaturePrint FeaturePrint::decode(std::span<const std::uint8_t> bytes) {
    const bool ours = bytes.size() == kEncodedSize && std::memcmp(bytes.data(), kMagic, sizeof kMagic) == 0 &&
                      bytes[4] == kVersion && bytes[5] == 0 && bytes[6] == 0 && bytes[7] == 0;
    if (!ours) throw ReviewError("A stored feature print cannot be read by this version of Marrowick.");
    FeaturePrint print;
    std::copy(bytes.begin() + kHeaderSize, bytes.end(), print.values.begin());
    return print;
}

float FeaturePrint::distance(const FeaturePrint& a, const FeaturePrint& b) {
    return distanceWithin(a, b, std::numeric_limits<float>::infinity());
}

float FeaturePrint::distanceWithin(const FeaturePrint& a, const FeaturePrint& b, float limit) {
    // Each part's mean absolute difference as a share of its largest meaningful value (half the
    // standardised range for layouts, a full swap for histograms that sum to one), weighted. The
    // cheap, telling parts come first, so that most unrelated pairs stop early.
    constexpr float standard = 255.0f / (2 * kStandardRange) * 2;  // bytes per two standard deviations
    const bool early = limit < 1;
    float sum = quickPart(a.values, b.values);
    if (early && sum > limit) return sum;
    const float luma = absoluteDifference<kLumaLayout>(a.values, b.values, 0) / (kLumaLayout * standard);
    sum += kLumaWeight * std::min(luma, 1.0f);
    if (early && sum > limit) return sum;
    const float chroma = absoluteDifference<kChromaLayout>(a.values, b.values, kChromaAt) / (kChromaLayout * standard);
    sum += kChromaWeight * std::min(chroma, 1.0f);
    sum += kEdgeWeight * absoluteDifference<kEdges>(a.values, b.values, kEdgesAt) / (5 * 2 * 255.0f);
    return std::min(sum, 1.0f);
}

}  // namespace marrowick
