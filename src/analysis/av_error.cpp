// FFmpeg result codes to ReviewError, with av_strerror's text.
#include "analysis/av_error.h"

extern "C" {
#include <libavutil/error.h>
}

#include "model/review_error.h"

namespace marrowick::AvError {

std::string text(int code) {
    char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(code, buffer, sizeof buffer) < 0) return "Unknown media error " + std::to_string(code) + ".";
    return buffer;
}

int check(int code, const std::filesystem::path& file) {
    if (code < 0) throw ReviewError::about(file, text(code));
    return code;
}

}  // namespace marrowick::AvError
