#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "model/project_json.h"
#include "model/review_error.h"
#include "project_fixture.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::addTiledFilm;
using testing::fullProject;
using testing::makeFilm;
using testing::makeShot;

constexpr const char* kSettings = "Invalid project settings or duplicate IDs.";
constexpr const char* kGap = "Shot ranges must cover each film without overlaps or gaps.";
constexpr const char* kTiming = "Invalid media timing in project.";
constexpr const char* kFrames = "Invalid source frame timestamps.";
constexpr const char* kTimecode = "Invalid film timecode.";
constexpr const char* kValid = "";

std::string failure(const Project& project, const std::set<std::string>& profiles = {}) {
    return testing::raisedMessage([&] { project.validated(profiles); });
}

std::string failureAfter(const std::function<void(Project&)>& change) {
    Project project = fullProject();
    change(project);
    return failure(project);
}

// One film of `duration` seconds with a single shot over [start, end).
Project singleShot(double duration, double start, double end) {
    Project project;
    const Film film = makeFilm(duration);
    project.films.push_back(film);
    project.shots.push_back(makeShot(film, start, end));
    return project;
}

}  // namespace

TEST(ProjectValidation, AValidProjectComesBackUnchanged) {
    const Project project = fullProject();
    EXPECT_EQ(&project.validated(), &project);
    EXPECT_EQ(failure(Project{}), kValid);
}

TEST(ProjectValidation, SchemaIsCheckedFirst) {
    EXPECT_EQ(failureAfter([](Project& p) {
                  p.schema = 2;
                  p.threshold = 7;
                  p.films[0].width = 0;
              }),
              "This project version is unsupported.");
}

TEST(ProjectValidation, SettingsHaveInclusiveRanges) {
    const std::pair<std::function<void(Project&)>, const char*> cases[] = {
        {[](Project& p) { p.threshold = 0.05; }, kValid},
        {[](Project& p) { p.threshold = 0.95; }, kValid},
        {[](Project& p) { p.threshold = 0.049; }, kSettings},
        {[](Project& p) { p.threshold = 0.951; }, kSettings},
        {[](Project& p) { p.threshold = std::nan(""); }, kSettings},
        {[](Project& p) { p.groupingThreshold = 1.0f; }, kValid},
        {[](Project& p) { p.groupingThreshold = 0.05f; }, kValid},
        {[](Project& p) { p.groupingThreshold = 1.001f; }, kSettings},
        {[](Project& p) { p.labelWidth = 0.08; }, kValid},
        {[](Project& p) { p.labelWidth = 0.41; }, kSettings},
        {[](Project& p) { p.corner = "Top left"; }, kValid},
        {[](Project& p) { p.corner = "bottom right"; }, kSettings},
        {[](Project& p) { p.corner = "Bottom  right"; }, kSettings},
    };
    for (const auto& [change, expected] : cases) EXPECT_EQ(failureAfter(change), expected);
}

TEST(ProjectValidation, IdentifiersAreUniquePerKind) {
    EXPECT_EQ(failureAfter([](Project& p) { p.films[1].id = p.films[0].id; }), kSettings);
    EXPECT_EQ(failureAfter([](Project& p) { p.shots.mut(5).id = p.shots[1].id; }), kSettings);
    // Film and shot identifiers are separate name spaces.
    EXPECT_EQ(failureAfter([](Project& p) { p.shots.mut(0).id = p.films[1].id; }), kValid);
}

TEST(ProjectValidation, CountsAreLimited) {
    Project films;
    for (int i = 0; i < 1001; ++i) films.films.push_back(makeFilm(1));
    EXPECT_EQ(failure(films), kSettings);

    Project shots;
    const Film film = makeFilm(200001);
    std::vector<double> cuts;
    for (int i = 1; i < 200000; ++i) cuts.push_back(i);
    addTiledFilm(shots, film, cuts);
    EXPECT_EQ(failure(shots), kValid);
    shots.films[0].duration = 200002;
    shots.shots.push_back(makeShot(film, 200001, 200002));
    EXPECT_EQ(failure(shots), kSettings);
}

TEST(ProjectValidation, LabelLayoutKeysNeedAPrefixAndAtMost260Characters) {
    const auto withKey = [](const std::string& key) {
        return failureAfter([&](Project& p) { p.labelLayouts->emplace(key, LabelLayout{}); });
    };
    EXPECT_EQ(withKey("aspect:21:9"), kValid);
    EXPECT_EQ(withKey("preset:tv|16:9"), kValid);
    EXPECT_EQ(withKey("Aspect:21:9"), "Invalid label layout key.");
    EXPECT_EQ(withKey("ratio:21:9"), "Invalid label layout key.");
    EXPECT_EQ(withKey("aspect:" + std::string(253, 'x')), kValid);
    EXPECT_EQ(withKey("aspect:" + std::string(254, 'x')), "Invalid label layout key.");
    // Length counts user-perceived characters: an "e" with a combining accent is one (3 bytes).
    std::string accented = "aspect:";
    for (int i = 0; i < 253; ++i) accented += "e\u0301";
    EXPECT_EQ(withKey(accented), kValid);
    EXPECT_EQ(withKey(accented + "\U0001F1EA\U0001F1FA"), "Invalid label layout key.");
}

TEST(ProjectValidation, AtMost4000LabelLayouts) {
    Project project = fullProject();
    project.labelLayouts->clear();
    for (int i = 0; i < 4000; ++i) project.labelLayouts->emplace("aspect:" + std::to_string(i), LabelLayout{});
    EXPECT_EQ(failure(project), kValid);
    project.labelLayouts->emplace("no prefix", LabelLayout{});
    EXPECT_EQ(failure(project), "Too many label layouts.");
}

TEST(ProjectValidation, LayoutFailuresPassThrough) {
    EXPECT_EQ(failureAfter([](Project& p) { p.labelLayouts->at("aspect:16:9").customInsets.reset(); }),
              "Custom safe margins are missing.");
    EXPECT_EQ(failureAfter([](Project& p) { p.labelLayouts->at("aspect:16:9").guideID = "tiktok"; }),
              "Invalid label position or guide.");
    Project project = fullProject();
    project.labelLayouts->at("aspect:16:9").guideID = "tiktok";
    EXPECT_EQ(failure(project, {"tiktok"}), kValid);
}

TEST(ProjectValidation, MediaTimingAndFrameTimes) {
    const std::pair<std::function<void(Project&)>, const char*> cases[] = {
        {[](Project& p) { p.films[0].width = 32768; }, kValid},
        {[](Project& p) { p.films[0].width = 32769; }, kTiming},
        {[](Project& p) { p.films[0].height = 0; }, kTiming},
        {[](Project& p) { p.films[1].fps = 0; }, kTiming},
        {[](Project& p) { p.films[1].fps = std::numeric_limits<double>::infinity(); }, kTiming},
        {[](Project& p) { p.films[0].frameTimes = makeFrameTimes({}); }, kFrames},
        {[](Project& p) { p.films[0].frameTimes = makeFrameTimes({0.0, 0.5, 0.5}); }, kFrames},
        {[](Project& p) { p.films[0].frameTimes = makeFrameTimes({0.0, 1.0, 0.5}); }, kFrames},
        {[](Project& p) { p.films[0].frameTimes = makeFrameTimes({-0.001, 1.0}); }, kFrames},
        {[](Project& p) { p.films[0].frameTimes = makeFrameTimes({-0.0, 3.0}); }, kValid},
        {[](Project& p) { p.films[0].frameTimes = makeFrameTimes({0.0, 3.0001}); }, kFrames},
        {[](Project& p) { p.films[0].frameTimes = makeFrameTimes({0.0, std::nan("")}); }, kFrames},
        {[](Project& p) { p.films[1].startTimecode = "00:59:59;28"; p.films[1].timecodeRate = 30; }, kValid},
        {[](Project& p) { p.films[1].startTimecode = "00:01:00;00"; p.films[1].timecodeRate = 30; }, kTimecode},
        {[](Project& p) { p.films[1].startTimecode = "01:00:00:25"; }, kTimecode},
        {[](Project& p) { p.films[1].startTimecode = "one hour"; }, kTimecode},
        {[](Project& p) { p.films[1].timecodeRate = 0; }, kTimecode},
        {[](Project& p) { p.films[1].timecodeRate = 1001; }, kTimecode},
    };
    for (const auto& [change, expected] : cases) EXPECT_EQ(failureAfter(change), expected);
}

TEST(ProjectValidation, EmptyFrameTimesReadFineAndFailValidation) {
    Project project = fullProject();
    project.films[0].frameTimes = makeFrameTimes({});
    const Project read = ProjectJson::decode(ProjectJson::encode(project));
    ASSERT_TRUE(read.films[0].frameTimes);
    EXPECT_EQ(failure(read), kFrames);
}

TEST(ProjectValidation, CoverageToleratesATenthOfAMillisecond) {
    EXPECT_EQ(failure(singleShot(2.0, 0.00005, 2.0 - 0.00005)), kValid);
    EXPECT_EQ(failure(singleShot(2.0, 0.0001, 2.0)), kGap);
    EXPECT_EQ(failure(singleShot(2.0, 0, 2.0002)), kGap);
    EXPECT_EQ(failure(singleShot(2.0, 0, 2.00009)), kValid);
    EXPECT_EQ(failure(singleShot(2.0, 0, 1.99991)), kValid);
    EXPECT_EQ(failure(singleShot(2.0, 0, 1.9998)), "Incomplete film coverage.");
    EXPECT_EQ(failure(singleShot(2.0, 1.0, 1.0)), kGap);
    EXPECT_EQ(failure(singleShot(2.0, std::nan(""), 2.0)), kGap);
}

TEST(ProjectValidation, CoverageIsJudgedInStartOrder) {
    Project project;
    const Film film = makeFilm(3);
    project.films.push_back(film);
    project.shots.push_back(makeShot(film, 2, 3));
    project.shots.push_back(makeShot(film, 0, 2));
    EXPECT_EQ(failure(project), kValid);

    project.shots.mut(0).start = 1.5;  // now overlaps the other shot
    EXPECT_EQ(failure(project), kGap);
    project.shots.mut(0).start = 2;
    project.shots.mut(0).boundaryScore = std::numeric_limits<double>::infinity();
    EXPECT_EQ(failure(project), kGap);
}

TEST(ProjectValidation, FilmsAreCheckedInOrderBeforeUnknownFilms) {
    Project project = fullProject();
    project.shots.push_back(makeShot(makeFilm(1), 0, 1));
    EXPECT_EQ(failure(project), "Shot refers to an unknown film.");
    project.films[1].fps = -1;
    EXPECT_EQ(failure(project), kTiming);
    project.films.push_back(makeFilm(5));
    project.films[1].fps = 25;
    EXPECT_EQ(failure(project), "A film has no shots.");
}

}  // namespace marrowick
