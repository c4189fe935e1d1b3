// Reading a film's sound outline: seconds of work per second of film (the timeline wants it in
// under 1/20 of the film's duration) and as a ratio to merely reading the file's packets, both
// measured in the same run on a ten-minute film with 640x360 video and stereo AAC.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

extern "C" {
#include <libavformat/avformat.h>
}

#include "analysis/audio_peaks.h"
#include "bench_timing.h"
#include "model/review_error.h"

using namespace marrowick;

namespace {

constexpr double kFilmSeconds = 600;

std::filesystem::path benchFilm(const std::filesystem::path& folder) {
    const std::filesystem::path film = folder / "waveform-600s.mp4";
    if (std::filesystem::exists(film)) return film;
    std::filesystem::create_directories(folder);
    const std::string command =
        "ffmpeg -nostdin -loglevel error -y -f lavfi -i 'testsrc2=s=320x180:r=25' -f lavfi -i "
        "'sine=frequency=220:sample_rate=48000' -f lavfi -i 'anoisesrc=sample_rate=48000:amplitude=0.2' "
        "-filter_complex '[0:v]scale=640:360[v];[1:a][2:a]amerge=inputs=2[a]' -map '[v]' -map '[a]' -t " +
        std::to_string(int(kFilmSeconds)) + " -c:v libx264 -preset ultrafast -g 50 -pix_fmt yuv420p -c:a aac -b:a 192k '" +
        film.string() + "'";
    if (std::system(command.c_str()) != 0) throw ReviewError("cannot render the benchmark film");
    return film;
}

// Every packet of the file read and dropped: what any reader pays before decoding.
void readPackets(const std::filesystem::path& film) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, film.c_str(), nullptr, nullptr) < 0) throw ReviewError("cannot open");
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(format, packet) >= 0) av_packet_unref(packet);
    av_packet_free(&packet);
    avformat_close_input(&format);
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path() / "marrowick-bench";
    const std::filesystem::path film = benchFilm(folder);
    const double baseline_ms = bench::medianMilliseconds(3, [&] { readPackets(film); });
    std::size_t peaks = 0;
    const double waveform_ms = bench::medianMilliseconds(3, [&] { peaks = AudioPeaks::read(film).peaks.size(); });
    std::cout << "metric: waveform_peaks " << peaks << " count\n";
    std::cout << "metric: waveform_seconds_per_film_second " << waveform_ms / 1000 / kFilmSeconds << " ratio\n";
    std::cout << "metric: waveform_to_packet_read_ratio " << waveform_ms / baseline_ms << " ratio\n";
    return 0;
}
