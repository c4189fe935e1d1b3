#include "analysis/input_file.h"

#include "analysis/av_error.h"
#include "analysis/ffmpeg_log.h"

namespace marrowick::InputFile {

// The context is made first so that what the demuxer logs while it opens the file names the file.
InputFormatPtr open(const std::filesystem::path& file) {
    FfmpegLog::install();
    AVFormatContext* const context = avformat_alloc_context();
    if (!context) AvError::check(AVERROR(ENOMEM), file);
    FfmpegLog::name(context, file);
    const FfmpegLog::Reading reading(context);
    AVFormatContext* raw = context;
    const int opened = avformat_open_input(&raw, file.c_str(), nullptr, nullptr);
    if (opened < 0) FfmpegLog::forget(context);  // FFmpeg has freed it
    AvError::check(opened, file);
    InputFormatPtr format(raw);
    AvError::check(avformat_find_stream_info(format.get(), nullptr), file);
    return format;
}

int readPacket(AVFormatContext& format, AVPacket& packet) {
    const FfmpegLog::Reading reading(&format);
    return av_read_frame(&format, &packet);
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
