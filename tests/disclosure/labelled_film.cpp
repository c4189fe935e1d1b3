// Projects around the generated films, and decoding of exported movies for the tests.
#include "disclosure/labelled_film.h"

#include <stdexcept>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
}

#include "analysis/media_file.h"

namespace marrowick::testing {

Project projectOf(const std::filesystem::path& path, int width, int height, double duration,
                  const std::vector<Disclosure>& decisions) {
    Project project;
    project.name = "Labelled";
    Film film;
    film.id = Uuid::random();
    film.path = path.string();
    film.duration = duration;
    film.fps = 25;
    film.width = width;
    film.height = height;
    film.detector = "test";
    project.films.push_back(film);
    for (std::size_t i = 0; i < decisions.size(); ++i) {
        Shot shot;
        shot.id = Uuid::random();
        shot.filmID = film.id;
        shot.start = static_cast<double>(i);
        shot.end = i + 1 == decisions.size() ? duration : static_cast<double>(i + 1);
        shot.disclosure = decisions[i];
        project.shots.push_back(shot);
    }
    return project;
}

Project labelsProject() {
    Project project = projectOf(testFilm("labels.mp4"), 640, 360, 3.0,
                                {Disclosure::generated, Disclosure::none, Disclosure::modified});
    project.labelWidth = 0.3;
    return project;
}

DecodedMovie decodeLuma(const std::filesystem::path& movie) {
    MediaFile media(movie);
    DecodedMovie decoded;
    while (const AVFrame* frame = media.nextFrame()) {
        const AVPixFmtDescriptor* format = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(frame->format));
        const bool wide = format->comp[0].depth > 8;
        const float scale = wide ? 1.0f / static_cast<float>(1 << (format->comp[0].depth - 8)) : 1.0f;
        decoded.width = frame->width;
        decoded.height = frame->height;
        std::vector<float> plane(static_cast<std::size_t>(frame->width) * frame->height);
        for (int y = 0; y < frame->height; ++y) {
            const std::uint8_t* row = frame->data[0] + static_cast<std::ptrdiff_t>(y) * frame->linesize[0];
            for (int x = 0; x < frame->width; ++x)
                plane[static_cast<std::size_t>(y) * frame->width + x] =
                    wide ? reinterpret_cast<const std::uint16_t*>(row)[x] * scale : row[x];
        }
        decoded.luma.push_back(std::move(plane));
        decoded.times.push_back(media.frameTime());
    }
    return decoded;
}

MovieStreams probeMovie(const std::filesystem::path& movie) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, movie.c_str(), nullptr, nullptr) < 0) throw std::runtime_error("cannot open");
    avformat_find_stream_info(format, nullptr);
    MovieStreams streams;
    streams.duration = static_cast<double>(format->duration) / AV_TIME_BASE;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVCodecParameters* parameters = format->streams[i]->codecpar;
        streams.codecs.push_back(avcodec_get_name(parameters->codec_id));
        if (parameters->codec_type != AVMEDIA_TYPE_VIDEO) continue;
        const char* profile = avcodec_profile_name(parameters->codec_id, parameters->profile);
        streams.videoProfile = profile ? profile : "";
        streams.pixelFormat = av_get_pix_fmt_name(static_cast<AVPixelFormat>(parameters->format));
        streams.width = parameters->width;
        streams.height = parameters->height;
        streams.rotated = quarterTurnsOf(format->streams[i]) != 0;
    }
    avformat_close_input(&format);
    return streams;
}

}  // namespace marrowick::testing
