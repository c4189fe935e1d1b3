// Fuzzes the reader of the desktop program's settings file for the stored FFmpeg path.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "delivery/ffmpeg_preference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Unescaping never makes a value longer than its escaped form.
    if (marrowick::FFmpegPreference::parse(text).size() > size) __builtin_trap();
    return 0;
}
