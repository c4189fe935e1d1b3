#include "analysis/input_file.h"

#include <mutex>

extern "C" {
#include <libavutil/log.h>
}

#include "analysis/av_error.h"

namespace marrowick::InputFile {
namespace {

// FFmpeg writes decoder complaints about damaged packets to the console by default; ours are
// reported as messages (and as damage notes), so its log is switched off once for the process.
void silenceLibraryLog() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

}  // namespace

InputFormatPtr open(const std::filesystem::path& file) {
    silenceLibraryLog();
    AVFormatContext* raw = nullptr;
    AvError::check(avformat_open_input(&raw, file.c_str(), nullptr, nullptr), file);
    InputFormatPtr format(raw);
    AvError::check(avformat_find_stream_info(format.get(), nullptr), file);
    return format;
}

AVStream* pictureStream(const AVFormatContext& format) {
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        AVStream* candidate = format.streams[i];
        const bool cover = candidate->disposition & AV_DISPOSITION_ATTACHED_PIC;
        if (candidate->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !cover) return candidate;
    }
    return nullptr;
}

void discardAllBut(AVFormatContext& format, const AVStream& kept) {
    for (unsigned i = 0; i < format.nb_streams; ++i)
        if (format.streams[i] != &kept) format.streams[i]->discard = AVDISCARD_ALL;
}

}  // namespace marrowick::InputFile
