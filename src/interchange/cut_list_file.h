// Reading a cut list file of any supported kind, chosen by its extension.
#pragma once

#include <filesystem>

#include "interchange/cut_list.h"

namespace marrowick::CutListFile {

// ".edl" (read at the film's frame rate), ".otio", ".fcpxml" and ".xml" (Final Cut Pro 7
// XML). Throws ReviewError for another extension, a file that cannot be read, or a list its
// reader refuses.
CutList read(const std::filesystem::path& file, double filmFrameRate);

}  // namespace marrowick::CutListFile
