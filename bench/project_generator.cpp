// Deterministic project generation: every film has frame times on a 25 fps grid, every shot has a
// thumbnail, a feature print, a note, a category and an assistant note, and some shots are decided.
#include "project_generator.h"

#include <string>

namespace marrowick::bench {
namespace {

// xorshift64*: fast, deterministic bytes for blobs and identifiers.
class Bytes {
public:
    std::uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1DULL;
    }
    Blob blob(std::size_t size) {
        std::vector<std::uint8_t> bytes(size);
        for (std::size_t i = 0; i < size; i += 8) {
            const std::uint64_t word = next();
            for (std::size_t b = 0; b < 8 && i + b < size; ++b) bytes[i + b] = static_cast<std::uint8_t>(word >> (8 * b));
        }
        return makeBlob(std::move(bytes));
    }
    Uuid uuid() {
        Uuid::Bytes bytes;
        const std::uint64_t high = next();
        const std::uint64_t low = next();
        for (std::size_t b = 0; b < 8; ++b) {
            bytes[b] = static_cast<std::uint8_t>(high >> (8 * b));
            bytes[8 + b] = static_cast<std::uint8_t>(low >> (8 * b));
        }
        return Uuid(bytes);
    }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

Film makeFilm(Bytes& random, const ProjectShape& shape, std::size_t index) {
    Film film;
    film.id = random.uuid();
    film.path = "/media/reviews/season-2/reel-" + std::to_string(index) + "-conform.mov";
    film.bookmark = random.blob(300);
    film.fps = 25;
    const auto frames = static_cast<std::size_t>(shape.shotsPerFilm * shape.shotSeconds * film.fps);
    film.duration = static_cast<double>(frames) / film.fps;
    std::vector<double> times(frames);
    for (std::size_t f = 0; f < frames; ++f) times[f] = static_cast<double>(f) / film.fps;
    film.frameTimes = makeFrameTimes(std::move(times));
    film.width = 1920;
    film.height = 1080;
    film.sourceSHA256 = std::string(64, 'c');
    film.detector = "TransNetV2 Core ML";
    return film;
}

Shot makeShot(Bytes& random, const ProjectShape& shape, const Film& film, std::size_t index) {
    Shot shot;
    shot.id = random.uuid();
    shot.filmID = film.id;
    shot.start = static_cast<double>(index) * shape.shotSeconds;
    shot.end = index + 1 == shape.shotsPerFilm ? film.duration : shot.start + shape.shotSeconds;
    shot.boundaryScore = static_cast<double>(random.next() % 1000) / 1000.0;
    shot.disclosure = static_cast<Disclosure>(random.next() % 4);
    shot.note = index % 3 == 0 ? "Sky replaced in grade; vendor confirms generative fill on the left edge." : "";
    shot.category = "exterior";
    shot.group = static_cast<std::int64_t>(random.next() % 400);
    shot.thumbnail = random.blob(shape.thumbnailBytes);
    shot.feature = random.blob(shape.featureBytes);
    shot.assistantNote = index % 5 == 0 ? "A wide street at dusk; two people cross from the left." : "";
    return shot;
}

}  // namespace

Project generateProject(const ProjectShape& shape) {
    Bytes random;
    Project project;
    project.name = "Benchmark review";
    project.id = random.uuid();
    project.labelLayouts = LabelLayouts{{"aspect:16:9", LabelLayout{}}, {"preset:broadcast-hd|16:9", LabelLayout{}}};
    for (std::size_t f = 0; f < shape.films; ++f) {
        project.films.push_back(makeFilm(random, shape, f));
        for (std::size_t s = 0; s < shape.shotsPerFilm; ++s)
            project.shots.push_back(makeShot(random, shape, project.films.back(), s));
    }
    for (std::size_t e = 0; e < shape.historyEvents; ++e)
        project.history.push_back(ReviewEvent{820000000.0 + static_cast<double>(e), "label",
                                              {project.shots[e % project.shots.size()].id}, "modified"});
    return project;
}

}  // namespace marrowick::bench
