// The one way the program opens a media file with FFmpeg: demuxed, its streams read, its picture
// stream found. Failures reach people as messages naming the file; what FFmpeg itself logs about
// the file (errors only) names it too.
#pragma once

#include <filesystem>

#include "analysis/av_handles.h"

namespace marrowick::InputFile {

// Opens `file` and reads its stream information; throws ReviewError naming the file on failure.
InputFormatPtr open(const std::filesystem::path& file);

// av_read_frame, with what libavformat logs meanwhile naming the file.
int readPacket(AVFormatContext& format, AVPacket& packet);

// The first video stream that is not an attached cover picture, or nullptr.
AVStream* pictureStream(const AVFormatContext& format);

// Tells the demuxer to drop the packets of every stream but `kept`.
void discardAllBut(AVFormatContext& format, const AVStream& kept);

}  // namespace marrowick::InputFile
