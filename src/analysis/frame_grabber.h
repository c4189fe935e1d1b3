// One upright picture of a video near a given time (thumbnails, previews).
#pragma once

#include <filesystem>

#include "analysis/media_file.h"
#include "model/rgba_image.h"

namespace marrowick::FrameGrabber {

// Decodes the frame of the first video track nearest to `seconds` (from the first presented
// frame) and returns it upright, scaled to fit within maxWidth x maxHeight with its display aspect
// kept (never enlarged). Only frames within `tolerance` seconds of the time qualify. Throws
// ReviewError: the media layer's messages, or "Cannot decode video." when no frame qualifies.
RgbaImage picture(const std::filesystem::path& path, double seconds, double tolerance, int maxWidth, int maxHeight);

// A decoded frame of the media (or a smaller copy of one) turned upright and scaled to fit within
// maxWidth x maxHeight like picture() does. Throws ReviewError "Cannot decode video." when the
// frame cannot be converted.
RgbaImage upright(const AVFrame& frame, const VideoTrackInfo& info, int maxWidth, int maxHeight);

// The display size fitted into the box, never enlarged, at least one pixel each way.
void fittedSize(int width, int height, int maxWidth, int maxHeight, int& fitWidth, int& fitHeight);

// The same from a file already open, so that several pictures of one film share one opening.
RgbaImage picture(MediaFile& media, double seconds, double tolerance, int maxWidth, int maxHeight);

}  // namespace marrowick::FrameGrabber
