// Fuzzes the display-copy pipeline: opening a source, decoding, turning upright, drawing a label
// that may reach past the picture, encoding and writing the movie (with a frame cap).
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "disclosure/internal/frame_label_blender.h"
#include "disclosure/internal/movie_transcoder.h"
#include "model/review_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("marrowick-fuzz-labelled-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path source = folder / "source";
    {
        std::ofstream file(source, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    marrowick::LabelOverlay overlay;
    overlay.decision = marrowick::Disclosure::generated;
    overlay.rect = {size % 97 == 0 ? -3 : 5, 3, 40, 9};
    overlay.picture.width = 40;
    overlay.picture.height = 9;
    overlay.picture.pixels.assign(overlay.picture.byteCount(), 200);
    try {
        marrowick::MovieTranscoder transcoder(source);
        int frames = 0;
        transcoder.run(folder / "copy.mov",
                       [&](AVFrame& frame, double) {
                           if (++frames > 16) throw marrowick::Cancelled();
                           if (av_frame_make_writable(&frame) < 0) return;
                           marrowick::FrameLabelBlender(overlay, frame).blend(frame);
                       },
                       {});
    } catch (const marrowick::ReviewError&) {
    } catch (const marrowick::Cancelled&) {
    }
    std::filesystem::remove_all(folder);
    return 0;
}
