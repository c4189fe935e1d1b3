// The import loop shared by the workspace and marrowick-cli.
#include "analysis/import_pipeline.h"

#include <algorithm>
#include <optional>

#include "analysis/shot_imaging.h"
#include "model/review_error.h"

namespace marrowick::ImportPipeline {

namespace {

constexpr double kDetectionShare = 0.75;

void throwIfStopped(const std::stop_token& stop) {
    if (stop.stop_requested()) throw Cancelled();
}

// Thumbnails, feature prints and categories of the shot ranges whose middles the detection took.
class MiddleDescriptions {
public:
    void add(double start, double end, const RgbaImage& picture) {
        Shot shot;
        shot.start = start;
        shot.end = end;
        shots_.push_back(ShotImaging::describe(std::move(shot), picture));
    }

    // Copies the description of the same range into the shot; false when there is none.
    bool fill(Shot& shot) {
        while (next_ < shots_.size() && shots_[next_].start < shot.start) ++next_;
        if (next_ == shots_.size() || shots_[next_].start != shot.start || shots_[next_].end != shot.end) return false;
        Shot& described = shots_[next_++];
        shot.thumbnail = std::move(described.thumbnail);
        shot.feature = std::move(described.feature);
        shot.category = std::move(described.category);
        return true;
    }

private:
    std::vector<Shot> shots_;  // in time order, as the detection closes them
    std::size_t next_ = 0;
};

// Carries earlier decisions to a film's shots and keeps its keys for later imports.
void carryTo(CarryOver& carry, const Film& film, std::vector<Shot>& shots, const FilmSignatures& signatures,
             const Events& events, double progress, const std::stop_token& stop) {
    if (carry.hasDecisions()) {
        if (events.progress) events.progress(progress, matchingText(film.path));
        const CarryReport report = carry.apply(film, shots, signatures, stop);
        if (events.carried) events.carried(film, report);
    }
    carry.remember(film, signatures.keys);
}

}  // namespace

std::string detectingText(const std::string& detectorName, const std::filesystem::path& file) {
    return detectorName + " · " + file.filename().string();
}

std::string indexingText(std::size_t shots, const std::filesystem::path& file) {
    return "Indexing " + std::to_string(shots) + " shots · " + file.filename().string();
}

std::string matchingText(const std::filesystem::path& file) {
    return "Matching earlier cuts · " + file.filename().string();
}

std::vector<EarlierFilm> reviewedFilms(const Project& project, const std::string& projectName) {
    std::vector<EarlierFilm> result;
    for (const Film& film : project.films) {
        EarlierFilm earlier{film, {}, projectName};
        for (const Shot& shot : project.shots)
            if (shot.filmID == film.id) earlier.shots.push_back(shot);
        const bool decided = std::any_of(earlier.shots.begin(), earlier.shots.end(),
                                         [](const Shot& shot) { return shot.disclosure != Disclosure::unreviewed; });
        if (decided) result.push_back(std::move(earlier));
    }
    return result;
}

std::vector<std::filesystem::path> newFiles(const Project& project, const std::vector<std::filesystem::path>& files) {
    std::vector<std::filesystem::path> result;
    for (const std::filesystem::path& file : files) {
        const bool known = std::any_of(project.films.begin(), project.films.end(),
                                       [&](const Film& film) { return film.path == file.string(); });
        if (!known) result.push_back(file);
    }
    return result;
}

void detectAndEnrich(ShotDetector& detector, const std::vector<std::filesystem::path>& files, double threshold,
                     const Events& events, std::stop_token stop, const ShotSource& shotSource, CarryOver* carry) {
    const double count = static_cast<double>(files.size());
    const std::string detectorName = detector.detectorName();
    for (std::size_t i = 0; i < files.size(); ++i) {
        throwIfStopped(stop);
        const std::filesystem::path& file = files[i];
        const std::string detecting = detectingText(detectorName, file);
        MiddleDescriptions described;
        DecodeNotes notes;
        FilmSignatures signatures;
        if (carry && carry->hasDecisions()) signatures.details.emplace();
        auto [film, shots] = detector.detect(
            file, threshold,
            [&](double fraction) {
                if (events.progress) events.progress((double(i) + kDetectionShare * fraction) / count, detecting);
            },
            stop, [&](double start, double end, const RgbaImage& picture) { described.add(start, end, picture); },
            &notes, carry ? &signatures : nullptr);
        if (shotSource) shotSource(file, film, shots);
        std::string indexing = indexingText(shots.size(), file);
        if (const std::string damage = notes.text(); !damage.empty()) {
            indexing += " · " + damage;
            if (events.damaged) events.damaged(file, damage);
        }
        std::optional<MediaFile> source;  // opened only for a shot whose middle was not taken on the way
        for (std::size_t j = 0; j < shots.size(); ++j) {
            throwIfStopped(stop);
            if (!described.fill(shots[j])) {
                if (!source) source.emplace(film.path);
                shots[j] = ShotImaging::enrich(std::move(shots[j]), *source);
            }
            const double done = kDetectionShare + (1 - kDetectionShare) * double(j + 1) / double(shots.size());
            if (events.progress) events.progress((double(i) + done) / count, indexing);
        }
        if (carry) carryTo(*carry, film, shots, signatures, events, (double(i) + 1) / count, stop);
        if (events.filmDone) events.filmDone(std::move(film), std::move(shots));
    }
}

std::vector<Film> importInto(Project& project, ShotDetector& detector, const std::vector<std::filesystem::path>& files,
                             const Events& events, std::stop_token stop, const ShotSource& shotSource, CarryOver* carry) {
    std::vector<Film> imported;
    Events collecting = events;
    collecting.filmDone = [&](Film film, std::vector<Shot> shots) {
        if (events.filmDone) events.filmDone(film, shots);
        for (Shot& shot : shots) project.shots.push_back(std::move(shot));
        project.films.push_back(film);
        imported.push_back(std::move(film));
    };
    detectAndEnrich(detector, newFiles(project, files), project.threshold, collecting, stop, shotSource, carry);
    project.shots = ShotImaging::group(project.shots, project.groupingThreshold, stop);
    return imported;
}

}  // namespace marrowick::ImportPipeline
