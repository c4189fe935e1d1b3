// The controller's FFmpeg choice: the tools found now, and the user's pick of an ffmpeg executable.
#include "workspace/preferences.h"
#include "workspace/review_store.h"

namespace marrowick {

std::optional<FFmpegTools> ReviewStore::ffmpegTools() const { return MasteringExporter::tools(Preferences::ffmpegPath()); }

void ReviewStore::locateFFmpeg() {
    const std::optional<std::filesystem::path> chosen =
        dialogs_.openFileWithMessage({}, "Select the local ffmpeg executable. ffprobe must be beside it.");
    if (!chosen) return;
    if (chosen->filename() != "ffmpeg" || !MasteringExporter::toolsAt(*chosen)) {
        showError("Choose an executable named ffmpeg with ffprobe in the same directory.");
        return;
    }
    Preferences::setFfmpegPath(chosen->string());
    emit deliveryChanged();
}

}  // namespace marrowick
