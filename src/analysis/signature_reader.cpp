// Reading a film's frame signatures.
#include "analysis/signature_reader.h"

#include "analysis/media_file.h"
#include "analysis/tiny_frame_source.h"

namespace marrowick {

FilmSignatures readSignatures(const std::filesystem::path& path, bool withDetails, std::stop_token stop) {
    FilmSignatures signatures;
    if (withDetails) signatures.details.emplace();
    MediaFile media(path, MediaFile::Options{.fastDecode = true});
    signatures.keys.fps = media.info().fps;
    TinyFrameSource source(media, nullptr, &signatures);
    while (source.next(stop)) {
    }
    return signatures;
}

}  // namespace marrowick
