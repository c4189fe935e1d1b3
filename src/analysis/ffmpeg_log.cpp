// The process-wide FFmpeg log callback, the registry of contexts and their files, and the sink.
#include "analysis/ffmpeg_log.h"

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <unordered_map>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

namespace marrowick::FfmpegLog {
namespace {

// Never destroyed: decoder threads may still log while the process exits.
struct Registry {
    std::mutex mutex;
    std::unordered_map<const void*, std::string> files;
    Sink sink;
};

// The format context this thread is reading, if any.
thread_local const void* tReading = nullptr;

Registry& registry() {
    static Registry* const shared = new Registry;
    return *shared;
}

void writeToStandardError(const std::string& line) {
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, line.c_str());
}

// The context whose name may stand for `context` when it has none: the codec context a decoder
// thread's copy was made from, or the parent its log class points to.
const void* originalOf(void* context) {
    if (!context) return nullptr;
    const AVClass* logClass = *static_cast<const AVClass* const*>(context);
    if (logClass == avcodec_get_class()) return static_cast<const AVCodecContext*>(context)->opaque;
    if (logClass && logClass->parent_log_context_offset > 0)
        return *reinterpret_cast<void* const*>(static_cast<const std::uint8_t*>(context) + logClass->parent_log_context_offset);
    return nullptr;
}

// The file named for `context`, or nothing; called with the registry locked.
const std::string* fileOf(const Registry& shared, void* context) {
    for (const void* key : {static_cast<const void*>(context), originalOf(context), tReading}) {
        if (!key) continue;
        const auto found = shared.files.find(key);
        if (found != shared.files.end()) return &found->second;
    }
    return nullptr;
}

std::string formatted(void* context, int level, const char* format, va_list arguments) {
    char text[1024];
    int printPrefix = 1;
    av_log_format_line2(context, level, format, arguments, text, sizeof text, &printPrefix);
    std::string line(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

void onLine(void* context, int level, const char* format, va_list arguments) {
    if ((level & 0xff) > AV_LOG_ERROR) return;
    std::string line = formatted(context, level, format, arguments);
    if (line.empty()) return;
    Registry& shared = registry();
    const std::lock_guard lock(shared.mutex);
    if (const std::string* file = fileOf(shared, context)) line = *file + ": " + line;
    if (shared.sink)
        shared.sink(line);
    else
        writeToStandardError(line);
}

}  // namespace

void install() {
    static std::once_flag once;
    std::call_once(once, [] {
        av_log_set_level(AV_LOG_ERROR);
        av_log_set_callback(onLine);
    });
}

void setSink(Sink sink) {
    Registry& shared = registry();
    const std::lock_guard lock(shared.mutex);
    shared.sink = std::move(sink);
}

void name(const void* context, const std::filesystem::path& file) {
    Registry& shared = registry();
    const std::lock_guard lock(shared.mutex);
    shared.files.insert_or_assign(context, file.filename().string());
}

void nameDecoder(AVCodecContext& codec, const std::filesystem::path& file) {
    codec.opaque = &codec;
    name(&codec, file);
}

void forget(const void* context) {
    Registry& shared = registry();
    const std::lock_guard lock(shared.mutex);
    shared.files.erase(context);
}

Reading::Reading(const void* format) : previous_(tReading) { tReading = format; }

Reading::~Reading() { tReading = previous_; }

}  // namespace marrowick::FfmpegLog
