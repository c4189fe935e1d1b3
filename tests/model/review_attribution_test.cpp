// The reviewer and sign-off keys of history entries: written and read back, left out when absent,
// and dropped rather than fatal when another writer shaped them differently.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "model/project_json.h"
#include "project_fixture.h"

namespace marrowick {
namespace {

using nlohmann::json;

Project attributedProject() {
    Project project = testing::fullProject();
    ReviewEvent& event = project.history.mut(0);
    event.reviewer = Reviewer{"Ada \"QC\" Lovelace", "Compliance \u00e9diteur"};
    event.signOff = SignOffSeal{project.films[0].id, std::string(64, 'a'), std::string(64, 'b')};
    project.history.push_back(ReviewEvent{820000001.5, "note", {project.shots[1].id}, "seen", Reviewer{"Bo", ""}});
    return project;
}

TEST(ReviewAttribution, ReviewerAndSealSurviveBothForms) {
    const Project project = attributedProject();
    EXPECT_EQ(ProjectJson::decode(ProjectJson::encode(project)), project);
    EXPECT_EQ(ProjectJson::decode(ProjectJson::encodePretty(project)), project);
    const json document = json::parse(ProjectJson::encode(project));
    EXPECT_EQ(document["history"][0]["reviewer"], json({{"name", "Ada \"QC\" Lovelace"}, {"role", "Compliance \u00e9diteur"}}));
    EXPECT_EQ(document["history"][1]["reviewer"]["role"], "");
}

TEST(ReviewAttribution, FilesWithoutTheKeysLoadAndStayWithoutThem) {
    const Project project = testing::fullProject();
    const json document = json::parse(ProjectJson::encode(project));
    EXPECT_FALSE(document["history"][0].contains("reviewer"));
    EXPECT_FALSE(document["history"][0].contains("signOff"));
    EXPECT_FALSE(ProjectJson::decode(document.dump()).history[0].reviewer);
}

TEST(ReviewAttribution, ForeignShapesOfTheKeysAreDroppedNotFatal) {
    const std::pair<const char*, json> cases[] = {
        {"reviewer", "Ada"},
        {"reviewer", json::object({{"role", "QC"}})},
        {"reviewer", json::object({{"name", ""}})},
        {"reviewer", json::object({{"name", 7}})},
        {"signOff", json::array()},
        {"signOff", json::object({{"filmID", "not a uuid"}, {"filmSHA256", ""}, {"shotsSHA256", ""}})},
        {"signOff", json::object({{"filmID", "0B5C8D6E-1F2A-4B3C-8D4E-5F6A7B8C9D0E"}})},
    };
    for (const auto& [key, value] : cases) {
        json document = json::parse(ProjectJson::encode(testing::fullProject()));
        document["history"][0][key] = value;
        const Project read = ProjectJson::decode(document.dump());
        EXPECT_FALSE(read.history[0].reviewer) << key << " " << value.dump();
        EXPECT_FALSE(read.history[0].signOff) << key << " " << value.dump();
    }
}

TEST(ReviewAttribution, ARoleWithoutItsKeyReadsAsEmpty) {
    json document = json::parse(ProjectJson::encode(testing::fullProject()));
    document["history"][0]["reviewer"] = json::object({{"name", "Ada"}});
    EXPECT_EQ(ProjectJson::decode(document.dump()).history[0].reviewer, (Reviewer{"Ada", ""}));
}

TEST(ReviewAttribution, OnlyTheEntriesAnEditWroteAreAttributed) {
    Project project = testing::fullProject();
    const std::size_t before = project.history.size();
    project.decide({project.shots[1].id}, Disclosure::none);
    project.setNote(project.shots[2].id, "checked");
    project.attribute(before, Reviewer{"Ada", "QC"});
    ASSERT_EQ(project.history.size(), before + 2);
    EXPECT_FALSE(project.history[before - 1].reviewer);
    EXPECT_EQ(project.history[before].reviewer, (Reviewer{"Ada", "QC"}));
    EXPECT_EQ(project.history[before + 1].reviewer, (Reviewer{"Ada", "QC"}));

    project.decide({project.shots[1].id}, Disclosure::generated);
    for (const std::optional<Reviewer>& nobody : {std::optional<Reviewer>(), std::optional<Reviewer>(Reviewer{})})
        project.attribute(before + 2, nobody);
    EXPECT_FALSE(project.history.back().reviewer);
}

}  // namespace
}  // namespace marrowick
