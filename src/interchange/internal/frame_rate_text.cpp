// Frame rate text for messages.
#include "interchange/internal/frame_rate_text.h"

#include <cstdio>

namespace marrowick::FrameRateText {

std::string of(double frameRate) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", frameRate);
    std::string text = buffer;
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) {
        const bool point = text.back() == '.';
        text.pop_back();
        if (point) break;
    }
    return text + " fps";
}

}  // namespace marrowick::FrameRateText
