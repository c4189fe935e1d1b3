// TurboJPEG compression of an RGBA picture into a caller-owned vector.
#include "analysis/jpeg_encoder.h"

#include <memory>

#include <turbojpeg.h>

namespace marrowick::JpegEncoder {

namespace {

struct HandleCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};

}  // namespace

std::optional<std::vector<std::uint8_t>> encode(const RgbaImage& image, int quality) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < static_cast<std::size_t>(image.width) * image.height * 4)
        return std::nullopt;
    const std::unique_ptr<void, HandleCloser> handle(tjInitCompress());
    if (!handle) return std::nullopt;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const int status = tjCompress2(handle.get(), image.pixels.data(), image.width, image.width * 4, image.height, TJPF_RGBA,
                                   &buffer, &size, TJSAMP_420, quality, TJFLAG_ACCURATEDCT);
    std::optional<std::vector<std::uint8_t>> result;
    if (status == 0 && buffer && size > 0) result.emplace(buffer, buffer + size);
    tjFree(buffer);
    return result;
}

}  // namespace marrowick::JpegEncoder
