// Extension dispatch and the bounded read of a cut list file.
#include "interchange/cut_list_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

#include "interchange/edl_reader.h"
#include "interchange/fcpxml_reader.h"
#include "interchange/otio_reader.h"
#include "interchange/xmeml_reader.h"
#include "model/review_error.h"

namespace marrowick::CutListFile {

namespace {

// Far above any real timeline; keeps a wrong file from filling memory.
constexpr std::uintmax_t kMaximumBytes = 64u << 20;

std::string contents(const std::filesystem::path& file) {
    const std::string cannotRead = "The cut list " + file.filename().string() + " cannot be read.";
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaximumBytes) throw ReviewError(cannotRead);
    std::ifstream stream(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (stream.bad() || !stream.is_open()) throw ReviewError(cannotRead);
    return text;
}

std::string lowerExtension(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

}  // namespace

CutList read(const std::filesystem::path& file, double filmFrameRate) {
    const std::string extension = lowerExtension(file);
    if (extension == ".edl") return EdlReader::read(contents(file), filmFrameRate);
    if (extension == ".otio") return OtioReader::read(contents(file));
    if (extension == ".fcpxml") return FcpxmlReader::read(contents(file));
    if (extension == ".xml") return XmemlReader::read(contents(file));
    throw ReviewError("Unsupported cut list: " + file.filename().string() +
                      ". Use an EDL (.edl), OpenTimelineIO (.otio), FCPXML (.fcpxml) or Final Cut Pro 7 XML (.xml) file.");
}

}  // namespace marrowick::CutListFile
