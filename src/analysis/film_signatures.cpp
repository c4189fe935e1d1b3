// Collecting frame signatures during a decode, and the temporary file of frame details.
#include "analysis/film_signatures.h"

#include <cerrno>
#include <cstring>

#include "model/review_error.h"

namespace marrowick {

namespace {

[[noreturn]] void failTemporary() {
    throw ReviewError(std::string("Cannot use a temporary file for frame signatures: ") + std::strerror(errno) + ".");
}

}  // namespace

FrameDetails::FrameDetails() : file_(std::tmpfile()) {
    if (!file_) failTemporary();
}

void FrameDetails::append(const FrameDetail& detail) {
    if (std::fseek(file_.get(), 0, SEEK_END) != 0 ||
        std::fwrite(detail.values.data(), 1, FrameDetail::kSize, file_.get()) != FrameDetail::kSize)
        failTemporary();
    ++count_;
}

FrameDetail FrameDetails::at(std::size_t frame) const {
    FrameDetail detail;
    if (frame >= count_) throw ReviewError("Frame signature out of range.");
    if (std::fseek(file_.get(), static_cast<long>(frame * FrameDetail::kSize), SEEK_SET) != 0 ||
        std::fread(detail.values.data(), 1, FrameDetail::kSize, file_.get()) != FrameDetail::kSize)
        failTemporary();
    return detail;
}

bool sameFrames(const FilmKeys& a, const FilmKeys& b) {
    if (a.times != b.times || a.keys.size() != b.keys.size()) return false;
    for (std::size_t i = 0; i < a.keys.size(); ++i)
        if (!keysMatch(a.keys[i], b.keys[i])) return false;
    return true;
}

MediaFile::Options signatureDecoding(bool withDetails) { return {.fastDecode = !withDetails}; }

void FilmSignatures::add(const TinyFrame& frame) {
    keys.times.push_back(frame.time);
    keys.keys.push_back(frameKeyOf(frame));
    if (details) details->append(frameDetailOf(frame));
}

}  // namespace marrowick
