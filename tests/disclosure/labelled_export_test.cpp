// The whole labelled export: folder name, package first, movie names in film order, and a failing
// or cancelled second film that keeps the package and the first movie.
#include "disclosure/labelled_export.h"

#include <gtest/gtest.h>

#include <regex>

#include "raised_message.h"
#include "disclosure/labelled_film.h"
#include "disclosure/temporary_folder.h"
#include "resource_folder.h"

namespace marrowick {
namespace {

using testing::testFilm;


// labels.mp4 and then a second film, every shot reviewed.
Project twoFilms(const std::filesystem::path& second) {
    Project project = testing::labelsProject();
    const Project other = testing::projectOf(second, 320, 180, 1.0, {Disclosure::generated});
    project.films.push_back(other.films[0]);
    project.shots.push_back(other.shots[0]);
    return project;
}

std::vector<std::string> namesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

const std::vector<std::string> kPackage = {"EU_generated_white.png", "EU_modified_white.png", "disclosure-record.txt",
                                           "review.marrowick", "shot-review.csv"};

std::vector<std::string> packageAnd(std::vector<std::string> movies) {
    movies.insert(movies.end(), kPackage.begin(), kPackage.end());
    std::sort(movies.begin(), movies.end());
    return movies;
}

std::filesystem::path onlyFolderIn(const std::filesystem::path& parent) {
    const auto names = namesIn(parent);
    EXPECT_EQ(names.size(), 1u);
    return parent / names.at(0);
}

TEST(LabelledExport, RefusesProjectsWithoutShotsOrWithUnreviewedOnes) {
    EXPECT_EQ(testing::raisedMessage([] { Exporter::checkReadyForVideos(Project{}); }),
              "Review every shot before exporting labelled videos.");
    Project project = testing::labelsProject();
    EXPECT_NO_THROW(Exporter::checkReadyForVideos(project));
    project.shots.mut(0).disclosure = Disclosure::unreviewed;
    EXPECT_EQ(testing::raisedMessage([&] { Exporter::checkReadyForVideos(project); }),
              "Review every shot before exporting labelled videos.");
}

TEST(LabelledExport, WritesThePackageAndOneMoviePerFilmWithFilmProgress) {
    TemporaryFolder parent;
    std::vector<std::pair<std::size_t, double>> progress;
    const auto folder = Exporter::exportLabelledCopies(
        twoFilms(testFilm("opus-sound.mkv")), parent.path(), kResources, {},
        [&](std::size_t index, std::size_t count, const Film&, double fraction) {
            EXPECT_EQ(count, 2u);
            progress.emplace_back(index, fraction);
        });
    EXPECT_EQ(folder.parent_path(), parent.path());
    EXPECT_TRUE(std::regex_match(folder.filename().string(), std::regex("Marrowick-video-[0-9A-F]{8}")));
    EXPECT_EQ(namesIn(folder), packageAnd({"1-labels-labelled.mov", "2-opus-sound-labelled.mov"}));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front().first, 0u);
    EXPECT_EQ(progress.back(), std::make_pair(std::size_t{1}, 1.0));
}

TEST(LabelledExport, AFailingOrCancelledSecondFilmKeepsThePackageAndTheFirstMovie) {
    TemporaryFolder missing;
    EXPECT_EQ(testing::raisedMessage([&] {
                  Exporter::exportLabelledCopies(twoFilms(missing.path() / "reel_b.mp4"), missing.path(), kResources,
                                                 {}, [](std::size_t, std::size_t, const Film&, double) {});
              }),
              "reel_b.mp4: No such file or directory");
    EXPECT_EQ(namesIn(onlyFolderIn(missing.path())), packageAnd({"1-labels-labelled.mov"}));

    TemporaryFolder cancelled;
    std::stop_source stop;
    EXPECT_THROW(Exporter::exportLabelledCopies(
                     twoFilms(testFilm("opus-sound.mkv")), cancelled.path(), kResources, {},
                     [&](std::size_t index, std::size_t, const Film&, double) {
                         if (index == 1) stop.request_stop();
                     },
                     stop.get_token()),
                 Cancelled);
    EXPECT_EQ(namesIn(onlyFolderIn(cancelled.path())), packageAnd({"1-labels-labelled.mov"}));
}

}  // namespace
}  // namespace marrowick
