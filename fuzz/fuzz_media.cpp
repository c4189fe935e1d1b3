// Fuzzes the media layer: opening a file, its track facts, and decoding frames (with a frame cap).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "analysis/media_file.h"
#include "analysis/tiny_frame.h"
#include "analysis/tiny_frame_scaler.h"
#include "model/review_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("marrowick-fuzz-media-" + std::to_string(getpid()) + ".mp4");
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        marrowick::MediaFile media(path);
        marrowick::TinyFrameScaler scaler(media.info().quarterTurns);
        for (int frames = 0; frames < 64; ++frames) {
            const AVFrame* frame = media.nextFrame();
            if (!frame) break;
            marrowick::makeTinyFrame(scaler.shrink(*frame), media.frameTime());
        }
    } catch (const marrowick::ReviewError&) {
    }
    std::filesystem::remove(path);
    return 0;
}
