// PNG through libpng's simplified API, which keeps libpng's longjmp error handling inside libpng.
#include "disclosure/png_codec.h"

#include <png.h>

namespace marrowick::PngCodec {
namespace {

// Frees libpng's state on every path out of a decode or encode.
class ImageGuard {
public:
    ImageGuard() { image_.version = PNG_IMAGE_VERSION; }
    ~ImageGuard() { png_image_free(&image_); }
    ImageGuard(const ImageGuard&) = delete;
    ImageGuard& operator=(const ImageGuard&) = delete;
    png_image* operator->() { return &image_; }
    png_image* get() { return &image_; }

private:
    png_image image_{};
};

bool withinLimits(png_uint_32 width, png_uint_32 height) {
    if (width < 1 || height < 1 || width > static_cast<png_uint_32>(kMaxSide) ||
        height > static_cast<png_uint_32>(kMaxSide))
        return false;
    return static_cast<std::int64_t>(width) * static_cast<std::int64_t>(height) <= kMaxPixels;
}

}  // namespace

std::optional<RgbaImage> decodePng(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return std::nullopt;
    ImageGuard image;
    if (!png_image_begin_read_from_memory(image.get(), bytes.data(), bytes.size())) return std::nullopt;
    if (!withinLimits(image->width, image->height)) return std::nullopt;
    image->format = PNG_FORMAT_RGBA;

    RgbaImage picture;
    picture.width = static_cast<int>(image->width);
    picture.height = static_cast<int>(image->height);
    picture.pixels.resize(picture.byteCount());
    if (!png_image_finish_read(image.get(), nullptr, picture.pixels.data(), 0, nullptr)) return std::nullopt;
    return picture;
}

std::optional<std::string> encodePng(const RgbaImage& picture) {
    if (picture.width < 1 || picture.height < 1 || picture.pixels.size() != picture.byteCount())
        return std::nullopt;
    ImageGuard image;
    image->width = static_cast<png_uint_32>(picture.width);
    image->height = static_cast<png_uint_32>(picture.height);
    image->format = PNG_FORMAT_RGBA;

    // The worst-case size for these pixels, so one compression pass is enough.
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(*image.get());
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(image.get(), bytes.data(), &size, 0, picture.pixels.data(), 0, nullptr) ||
        size == 0)
        return std::nullopt;
    bytes.resize(size);
    return bytes;
}

}  // namespace marrowick::PngCodec
