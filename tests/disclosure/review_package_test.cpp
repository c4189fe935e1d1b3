// The review package on disk: its files, icons of the project's style, failures and folder names.
#include "disclosure/review_package.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "raised_message.h"
#include "disclosure/shot_review_csv.h"
#include "disclosure/temporary_folder.h"
#include "model/project_json.h"
#include "resource_folder.h"

namespace marrowick {
namespace {

std::string readText(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), {}};
}

Shot shotOf(const Film& film, double start, double end, Disclosure decision) {
    Shot shot;
    shot.id = Uuid::random();
    shot.filmID = film.id;
    shot.start = start;
    shot.end = end;
    shot.disclosure = decision;
    return shot;
}

// One 1920 x 1080 film tiled by three shots, one of them generated.
Project reviewedProject() {
    Project project;
    project.name = "Pilot";
    Film film;
    film.id = Uuid::random();
    film.path = "/media/Reel 1.mov";
    film.duration = 3724;
    film.fps = 25;
    film.width = 1920;
    film.height = 1080;
    film.detector = "TransNetV2";
    project.films.push_back(film);
    project.shots.push_back(shotOf(film, 0, 12.5, Disclosure::none));
    project.shots.push_back(shotOf(film, 12.5, 3723.4567, Disclosure::generated));
    project.shots.push_back(shotOf(film, 3723.4567, 3724, Disclosure::unreviewed));
    return project;
}

std::vector<std::string> fileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReviewPackage, WritesTheProjectSpreadsheetRecordAndWhiteIconsWhenTheStyleIsAbsent) {
    const TemporaryFolder folder;
    const Project project = reviewedProject();
    Exporter::reports(project, folder.path(), kResources);

    EXPECT_EQ(fileNames(folder.path()),
              (std::vector<std::string>{"EU_generated_white.png", "EU_modified_white.png", "disclosure-record.txt",
                                        "review.marrowick", "shot-review.csv"}));
    const std::string json = readText(folder.path() / "review.marrowick");
    EXPECT_EQ(json, ProjectJson::encodePretty(project));
    EXPECT_EQ(ProjectJson::decode(json), project);
    EXPECT_EQ(readText(folder.path() / "shot-review.csv"), shotReviewCsv(project));
    const std::string record = readText(folder.path() / "disclosure-record.txt");
    EXPECT_TRUE(std::regex_search(record, std::regex("\nCreated: \\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ\n")));
    EXPECT_NE(record.find("\nReviewed shots: 2/3\n"), std::string::npos);
    EXPECT_NE(record.find("\nDetector: TransNetV2, threshold 0.5.\n"), std::string::npos);
    EXPECT_EQ(readText(folder.path() / "EU_generated_white.png"),
              readText(kResources / "Labels" / "EU_generated_white.png"));
}

TEST(ReviewPackage, UsesTheProjectsStyleAndLeavesIconsAlreadyThere) {
    const TemporaryFolder folder;
    Project project = reviewedProject();
    project.labelStyle = LabelStyle::black50;
    std::ofstream(folder.path() / "EU_modified_black_50.png") << "kept";
    Exporter::reports(project, folder.path(), kResources);
    EXPECT_EQ(readText(folder.path() / "EU_modified_black_50.png"), "kept");
    EXPECT_EQ(readText(folder.path() / "EU_generated_black_50.png"),
              readText(kResources / "Labels" / "EU_generated_black_50.png"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "EU_generated_white.png"));
}

TEST(ReviewPackage, AnInvalidProjectWritesNothing) {
    const TemporaryFolder folder;
    Project project = reviewedProject();
    project.shots.mut(2).end = 3723.9;  // leaves the end of the film uncovered
    EXPECT_EQ(testing::raisedMessage([&] { Exporter::reports(project, folder.path(), kResources); }),
              "Incomplete film coverage.");
    EXPECT_TRUE(fileNames(folder.path()).empty());

    EXPECT_EQ(testing::raisedMessage([&] { Exporter::exportReviewPackage(project, folder.path(), kResources); }),
              "Incomplete film coverage.");
    EXPECT_TRUE(fileNames(folder.path()).empty()) << "the new package folder is removed again";
}

TEST(ReviewPackage, MissingArtworkFailsAfterTheTextFilesAndWriteErrorsArePassedOn) {
    const TemporaryFolder folder;
    const TemporaryFolder emptyResources;
    EXPECT_EQ(testing::raisedMessage([&] { Exporter::reports(reviewedProject(), folder.path(), emptyResources.path()); }),
              "Official EU label assets are missing.");
    EXPECT_EQ(fileNames(folder.path()),
              (std::vector<std::string>{"disclosure-record.txt", "review.marrowick", "shot-review.csv"}));

    const std::string message =
        testing::raisedMessage([&] { Exporter::reports(Project{}, folder.path() / "missing", kResources); });
    EXPECT_NE(message.find("review.marrowick"), std::string::npos) << message;
}

TEST(ReviewPackage, EachExportGetsItsOwnMarrowickFolder) {
    const TemporaryFolder parent;
    const auto nested = parent.path() / "new" / "deeper";
    const auto first = Exporter::exportReviewPackage(Project{}, nested, kResources);
    const auto second = Exporter::exportReviewPackage(Project{}, nested, kResources);
    EXPECT_NE(first, second);
    for (const auto& folder : {first, second}) {
        EXPECT_EQ(folder.parent_path(), nested);
        EXPECT_TRUE(std::regex_match(folder.filename().string(), std::regex("Marrowick-[0-9A-F]{8}")));
        EXPECT_EQ(readText(folder / "shot-review.csv"), std::string(kShotReviewCsvHeader) + "\r\n");
        EXPECT_NE(readText(folder / "disclosure-record.txt").find("\nReviewed shots: 0/0\n"), std::string::npos);
    }
    EXPECT_EQ(Exporter::packageFolderName(*Uuid::parse("3f2a9c1b-0000-4000-8000-000000000000")),
              "Marrowick-3F2A9C1B");

    std::ofstream(parent.path() / "file") << "x";
    EXPECT_NE(testing::raisedMessage([&] { Exporter::createPackageFolder(parent.path() / "file"); }).find("Marrowick-"),
              std::string::npos);
}

}  // namespace
}  // namespace marrowick
