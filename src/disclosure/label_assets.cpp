// Artwork lookup in the resource root, decoding, high-quality scaling and PNG output.
#include "disclosure/label_assets.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <new>
#include <vector>

#include "disclosure/internal/image_scaler.h"
#include "disclosure/png_codec.h"
#include "model/atomic_file.h"
#include "model/review_error.h"

namespace marrowick::LabelAssets {
namespace {

constexpr const char* kArtworkMissing = "Official label artwork missing.";
constexpr const char* kAssetMissing = "Official label asset missing.";
constexpr const char* kCannotAllocate = "Cannot allocate label renderer.";
constexpr const char* kCannotRender = "Cannot render label alpha.";

// No artwork file is anywhere near this; larger files are not read.
constexpr std::uintmax_t kMaxArtworkBytes = 64 * 1024 * 1024;

std::string_view styleSuffix(LabelStyle style) {
    switch (style) {
        case LabelStyle::white: return "white";
        case LabelStyle::black: return "black";
        case LabelStyle::white50: return "white_50";
        case LabelStyle::black50: return "black_50";
    }
    return "white";
}

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::optional<std::vector<std::uint8_t>> readBytes(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxArtworkBytes) return std::nullopt;
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (stream.gcount() != static_cast<std::streamsize>(size)) return std::nullopt;
    return bytes;
}

std::optional<RgbaImage> loadArtwork(const std::filesystem::path& resourceRoot, Disclosure disclosure,
                                     LabelStyle style) {
    const auto path = url(resourceRoot, disclosure, style);
    if (!path) return std::nullopt;
    const auto bytes = readBytes(*path);
    if (!bytes) return std::nullopt;
    return PngCodec::decodePng(*bytes);
}

RgbaImage loadArtworkOrThrow(const std::filesystem::path& resourceRoot, Disclosure disclosure, LabelStyle style,
                             const char* message) {
    auto artwork = loadArtwork(resourceRoot, disclosure, style);
    if (!artwork) throw ReviewError(message);
    return std::move(*artwork);
}

// The picture size is bounded like a decoded PNG's, so a wild width cannot exhaust memory.
bool allocatable(double width, double height) {
    return width <= PngCodec::kMaxSide && height <= PngCodec::kMaxSide &&
           width * height <= static_cast<double>(PngCodec::kMaxPixels);
}

RgbaImage scaledOrThrow(const RgbaImage& artwork, double width, double height) {
    if (!allocatable(width, height)) throw ReviewError(kCannotAllocate);
    try {
        return scaleImage(artwork, static_cast<int>(width), static_cast<int>(height));
    } catch (const std::bad_alloc&) {
        throw ReviewError(kCannotAllocate);
    }
}

}  // namespace

LabelStyle styleOrWhite(const std::optional<LabelStyle>& style) { return style.value_or(LabelStyle::white); }

std::optional<std::string> fileName(Disclosure disclosure, LabelStyle style) {
    if (disclosure != Disclosure::modified && disclosure != Disclosure::generated) return std::nullopt;
    return "EU_" + std::string(disclosureString(disclosure)) + "_" + std::string(styleSuffix(style)) + ".png";
}

std::optional<std::filesystem::path> url(const std::filesystem::path& resourceRoot, Disclosure disclosure,
                                         LabelStyle style) {
    const auto name = fileName(disclosure, style);
    if (!name) return std::nullopt;
    for (const auto& candidate : {resourceRoot / *name, resourceRoot / "Labels" / *name})
        if (isFile(candidate)) return candidate;
    return std::nullopt;
}

double aspect(const std::filesystem::path& resourceRoot, Disclosure disclosure, LabelStyle style) {
    const RgbaImage artwork = loadArtworkOrThrow(resourceRoot, disclosure, style, kArtworkMissing);
    return static_cast<double>(artwork.width) / artwork.height;
}

RgbaImage overlay(const std::filesystem::path& resourceRoot, Disclosure disclosure, const LabelRect& rect,
                  LabelStyle style) {
    const RgbaImage artwork = loadArtworkOrThrow(resourceRoot, disclosure, style, kArtworkMissing);
    if (rect.width < 1 || rect.height < 1) throw ReviewError(kCannotAllocate);
    return scaledOrThrow(artwork, static_cast<double>(rect.width), static_cast<double>(rect.height));
}

void write(const std::filesystem::path& resourceRoot, Disclosure disclosure, LabelStyle style, double width,
           const std::filesystem::path& to) {
    const RgbaImage artwork = loadArtworkOrThrow(resourceRoot, disclosure, style, kAssetMissing);
    if (std::isnan(width)) throw ReviewError(kCannotAllocate);
    const double outputWidth = std::max(std::round(width), 1.0);
    const double outputHeight = std::max(std::round(outputWidth * artwork.height / artwork.width), 1.0);
    const RgbaImage picture = scaledOrThrow(artwork, outputWidth, outputHeight);
    const auto png = PngCodec::encodePng(picture);
    if (!png || png->empty()) throw ReviewError(kCannotRender);
    writeFileAtomically(to, *png);
}

}  // namespace marrowick::LabelAssets
