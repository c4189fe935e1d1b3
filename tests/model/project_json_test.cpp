#include "model/project_json.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <functional>
#include <fstream>
#include <limits>

#include "model/review_error.h"
#include "project_fixture.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using nlohmann::json;
using testing::fullProject;

std::string decodeFailure(const std::string& text) {
    return testing::raisedMessage([&] { ProjectJson::decode(text); });
}

// A project's JSON with one change applied.
std::string mutated(const Project& project, const std::function<void(json&)>& change) {
    json document = json::parse(ProjectJson::encode(project));
    change(document);
    return document.dump();
}

std::string mutated(const std::function<void(json&)>& change) { return mutated(fullProject(), change); }

}  // namespace

TEST(ProjectJson, FullProjectRoundTripsThroughBothForms) {
    const Project project = fullProject();
    EXPECT_EQ(ProjectJson::decode(ProjectJson::encode(project)), project);
    EXPECT_EQ(ProjectJson::decode(ProjectJson::encodePretty(project)), project);
    EXPECT_EQ(ProjectJson::encode(ProjectJson::decode(ProjectJson::encode(project))), ProjectJson::encode(project));
}

TEST(ProjectJson, CompactFormHasNoWhiteSpaceAndPrettyFormSortsKeys) {
    const Project project = fullProject();
    const std::string compact = ProjectJson::encode(project);
    EXPECT_EQ(compact.find('\n'), std::string::npos);
    EXPECT_EQ(compact.rfind("{\"artisticWork\":false,\"corner\":\"Bottom right\",\"films\":[{", 0), 0u);

    const std::string pretty = ProjectJson::encodePretty(project);
    EXPECT_EQ(pretty.rfind("{\n  \"artisticWork\": false,\n  \"corner\": \"Bottom right\",\n  \"films\": [\n    {\n", 0), 0u);
    // nlohmann keeps keys sorted; dumping what we wrote reproduces it exactly when ours are sorted too.
    EXPECT_EQ(json::parse(pretty).dump(2) + "\n", pretty);
}

TEST(ProjectJson, AbsentOptionalsStayAbsentAndNullMeansAbsent) {
    Project project;
    testing::addTiledFilm(project, testing::makeFilm(2.0), {1.0});
    const std::string text = ProjectJson::encode(project);
    for (const char* key : {"labelStyle", "labelLayouts", "bookmark", "frameTimes", "sourceSHA256", "thumbnail",
                            "feature", "customInsets", "startTimecode", "timecodeRate", "null"})
        EXPECT_EQ(text.find(key), std::string::npos) << key;
    EXPECT_EQ(ProjectJson::decode(text), project);

    const Project nulls = ProjectJson::decode(mutated([](json& d) {
        d["labelStyle"] = nullptr;
        d["labelLayouts"] = nullptr;
        d["films"][0]["bookmark"] = nullptr;
        d["films"][0]["frameTimes"] = nullptr;
        d["films"][0]["sourceSHA256"] = nullptr;
        d["shots"][0]["thumbnail"] = nullptr;
        d["shots"][0]["feature"] = nullptr;
        d["unknownKey"] = {1, 2, 3};
    }));
    EXPECT_FALSE(nulls.labelStyle || nulls.labelLayouts || nulls.films[0].bookmark || nulls.films[0].frameTimes ||
                 nulls.films[0].sourceSHA256 || nulls.shots[0].thumbnail || nulls.shots[0].feature);
    EXPECT_EQ(ProjectJson::encode(nulls).find("null"), std::string::npos);
}

TEST(ProjectJson, UuidsAreWrittenUpperCaseAndReadInEitherCase) {
    const Project project = fullProject();
    const std::string lower = mutated(project, [&](json& d) {
        std::string id = d["id"];
        for (char& c : id) c = static_cast<char>(std::tolower(c));
        d["id"] = id;
    });
    ASSERT_EQ(lower.find(project.id.text()), std::string::npos);
    EXPECT_EQ(ProjectJson::decode(lower).id, project.id);
    EXPECT_NE(ProjectJson::encode(project).find("\"id\":\"" + project.id.text() + "\""), std::string::npos);
}

TEST(ProjectJson, NumbersReadBackExactly) {
    Project project = fullProject();
    project.groupingThreshold = 0.35f;
    project.threshold = 0.1 + 0.2;
    project.history.push_back(ReviewEvent{-1.2345678901234567e+20, "note", {}, ""});
    project.history.push_back(ReviewEvent{5e-324, "note", {}, ""});
    project.history.push_back(ReviewEvent{-0.0, "note", {}, ""});
    project.history.push_back(ReviewEvent{12.0, "note", {}, ""});
    const std::string text = ProjectJson::encode(project);
    EXPECT_NE(text.find("\"groupingThreshold\":0.35,"), std::string::npos);
    const Project back = ProjectJson::decode(text);
    EXPECT_EQ(back, project);
    EXPECT_TRUE(std::signbit(back.history[3].date));
    // Plain JSON readers see the same values.
    const json plain = json::parse(text);
    EXPECT_EQ(plain["history"][1]["date"].get<double>(), -1.2345678901234567e+20);
    EXPECT_EQ(plain["threshold"].get<double>(), 0.1 + 0.2);
}

TEST(ProjectJson, NonFiniteNumbersAndBrokenTextRefuseToEncode) {
    Project infinite = fullProject();
    infinite.films[0].duration = std::numeric_limits<double>::infinity();
    EXPECT_THROW(ProjectJson::encode(infinite), ReviewError);
    Project nan = fullProject();
    nan.shots.mut(4).start = std::nan("");
    EXPECT_THROW(ProjectJson::encodePretty(nan), ReviewError);
    Project grouping = fullProject();
    grouping.groupingThreshold = std::numeric_limits<float>::infinity();
    EXPECT_THROW(ProjectJson::encode(grouping), ReviewError);
    Project badText = fullProject();
    badText.films[1].path = "/films/\xff\xfe.mov";
    EXPECT_THROW(ProjectJson::encode(badText), ReviewError);
    Project badKey = fullProject();
    badKey.labelLayouts->emplace("aspect:\xc3", LabelLayout{});
    EXPECT_THROW(ProjectJson::encode(badKey), ReviewError);
}

TEST(ProjectJson, EveryProblemMakesTheWholeDocumentUnreadable) {
    const std::vector<std::pair<std::function<void(json&)>, std::string>> cases = {
        {[](json& d) { d["shots"][1]["disclosure"] = "maybe"; }, "\"shots[1].disclosure\" is not a known decision"},
        {[](json& d) { d["labelStyle"] = "grey"; }, "\"labelStyle\" is not a known label style"},
        {[](json& d) { d.erase("name"); }, "\"name\" is missing"},
        {[](json& d) { d["name"] = nullptr; }, "\"name\" is missing"},
        {[](json& d) { d["schema"] = "1"; }, "\"schema\" must be an integer"},
        {[](json& d) { d["films"][0]["width"] = 1.5; }, "\"films[0].width\" must be an integer"},
        {[](json& d) { d["shots"][0]["group"] = 18446744073709551615ull; }, "\"shots[0].group\" is too large"},
        {[](json& d) { d["shots"][2]["filmID"] = "not-a-uuid"; }, "\"shots[2].filmID\" must be a UUID"},
        {[](json& d) { d["history"][0]["shotIDs"][0] = 7; }, "\"history[0].shotIDs[0]\" must be a string"},
        {[](json& d) { d["shots"][0]["thumbnail"] = "abc"; }, "\"shots[0].thumbnail\" must be base64 data"},
        {[](json& d) { d["films"][0]["bookmark"] = "AB=C"; }, "\"films[0].bookmark\" must be base64 data"},
        {[](json& d) { d["films"][0]["frameTimes"][2] = "0.5"; }, "\"films[0].frameTimes[2]\" must be a number"},
        {[](json& d) { d["artisticWork"] = 0; }, "\"artisticWork\" must be true or false"},
        {[](json& d) { d["shots"] = json::object(); }, "\"shots\" must be an array"},
        {[](json& d) { d["labelLayouts"]["aspect:16:9"]["customInsets"].erase("top"); },
         "\"labelLayouts[\"aspect:16:9\"].customInsets.top\" is missing"},
    };
    for (const auto& [change, problem] : cases)
        EXPECT_EQ(decodeFailure(mutated(change)), "The project file is unreadable: " + problem + ".") << problem;
}

TEST(ProjectJson, LongLayoutKeysAreShortenedInMessagesAtACharacterBoundary) {
    std::string key = "aspect:";
    for (int i = 0; i < 60; ++i) key += "\u00e9";
    const std::string message = decodeFailure(mutated([&](json& d) { d["labelLayouts"][key] = {{"x", 1}}; }));
    EXPECT_NE(message.find("\u2026\"]."), std::string::npos) << message;
    std::string dumped;
    EXPECT_NO_THROW(dumped = json(message).dump());  // nlohmann refuses to dump invalid UTF-8
}

TEST(ProjectJson, HostileTextIsRefusedWithAMessage) {
    const std::string valid = ProjectJson::encode(fullProject());
    const std::vector<std::string> documents = {
        "",
        "[]",
        "null",
        valid.substr(0, valid.size() / 2),
        std::string(100000, '[') + std::string(100000, ']'),
        "{\"schema\":1e400}",
        "{\"schema\":1,\"name\":\"a\\ud800\"}",
        "{\"schema\":123456789012345678901234567890}",
        "{\"schema\":1,\"name\":\"\xc3\x28\"}",
    };
    for (const std::string& document : documents) {
        const std::string message = decodeFailure(document);
        EXPECT_EQ(message.rfind("The project file is ", 0), 0u) << message;
    }
    EXPECT_EQ(decodeFailure("[]"), "The project file is unreadable: the document must be an object.");
}

TEST(ProjectJson, IntegersWithAZeroFractionAreAccepted) {
    const Project project = ProjectJson::decode(mutated([](json& d) { d["films"][0]["width"] = 1920.0; }));
    EXPECT_EQ(project.films[0].width, 1920);
}

TEST(ProjectJson, FilesAreGatedBySizeBeforeReading) {
    const auto folder = std::filesystem::temp_directory_path() / ("marrowick-json-" + Uuid::random().text());
    std::filesystem::create_directories(folder);
    const auto file = folder / "review.marrowick";
    const Project project = fullProject();
    {
        std::ofstream out(file);
        out << ProjectJson::encodePretty(project);
    }
    EXPECT_EQ(ProjectJson::readFile(file), project);

    // Sparse files: the gate looks at the size only, so nothing is read or allocated here.
    std::filesystem::resize_file(file, kProjectFileSizeLimit - 1);
    EXPECT_NO_THROW(ProjectJson::checkFileSize(file));
    std::filesystem::resize_file(file, kProjectFileSizeLimit);
    EXPECT_EQ(testing::raisedMessage([&] { ProjectJson::readFile(file); }), "Project file exceeds 256 MB.");
    EXPECT_NO_THROW(ProjectJson::checkFileSize(folder / "missing.marrowick"));
    EXPECT_THROW(ProjectJson::readFile(folder / "missing.marrowick"), ReviewError);
    std::filesystem::remove_all(folder);
}

}  // namespace marrowick
