// Carried decisions in the project file, in the texts that show them, and how they are spent.
#include "model/carried_decisions.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/project_json.h"
#include "model/review_error.h"
#include "model/project_fixture.h"

namespace marrowick {
namespace {

using testing::addTiledFilm;
using testing::makeFilm;

// Two films: "earlier.mov" fully decided, "later.mov" whose three shots carry its decisions.
Project carriedProject() {
    Project project;
    const Film earlier = makeFilm(3.0, "/films/earlier.mov");
    addTiledFilm(project, earlier, {1.0, 2.0});
    addTiledFilm(project, makeFilm(3.0, "/films/later.mov"), {1.0, 2.0});
    const Disclosure decisions[] = {Disclosure::none, Disclosure::generated, Disclosure::modified};
    for (std::size_t i = 0; i < 3; ++i) {
        project.shots.mut(i).disclosure = decisions[i];
        project.shots.mut(3 + i).carriedFrom = CarriedDecision{earlier.id, double(i), i + 1.0, decisions[i], ""};
    }
    return project;
}

std::string withoutKey(std::string json, const std::string& key) {
    const std::string marker = "\"" + key + "\":";
    for (std::size_t at; (at = json.find(marker)) != std::string::npos;) {
        std::size_t end = json.find('}', at);
        json.erase(at, end - at + 2);
    }
    return json;
}

TEST(CarriedDecisions, SurviveTheProjectFileAndOldFilesStillLoad) {
    Project project = carriedProject();
    project.shots.mut(5).carriedFrom->project = "first cut.marrowick";
    const std::string json = ProjectJson::encode(project);
    EXPECT_EQ(ProjectJson::decode(json), project);
    EXPECT_NE(json.find("\"project\":\"first cut.marrowick\""), std::string::npos);
    const Project old = ProjectJson::decode(withoutKey(json, "carriedFrom"));
    for (const Shot& shot : old.shots) EXPECT_FALSE(shot.carriedFrom);
}

TEST(CarriedDecisions, RefusesSuggestionsOfNoDecisionAndDropsThemFromDecidedShots) {
    Project project = carriedProject();
    project.shots.mut(3).carriedFrom->disclosure = Disclosure::unreviewed;
    EXPECT_THROW(ProjectJson::decode(ProjectJson::encode(project)), ReviewError);
    project = carriedProject();
    project.shots.mut(3).disclosure = Disclosure::generated;  // decided by a writer that ignores the key
    EXPECT_FALSE(ProjectJson::decode(ProjectJson::encode(project)).shots[3].carriedFrom);
}

TEST(CarriedDecisions, AnyHandDecisionOrRangeEditRemovesTheSuggestion) {
    struct Edit {
        const char* name;
        std::function<void(Project&, const Uuid&)> apply;
        std::size_t shot;
    };
    const Edit edits[] = {
        {"decided", [](Project& p, const Uuid& id) { p.decide({id}, Disclosure::generated); }, 3},
        {"marked unreviewed again", [](Project& p, const Uuid& id) { p.decide({id}, Disclosure::unreviewed); }, 3},
        {"split", [](Project& p, const Uuid& id) { p.split(id, 0.5); }, 3},
        {"range moved", [](Project& p, const Uuid& id) { p.moveRange(id, 1.0, 1.6); }, 4},
        {"merged", [](Project& p, const Uuid& id) { p.mergeWithNext(id); }, 3},
    };
    for (const Edit& edit : edits) {
        Project project = carriedProject();
        edit.apply(project, project.shots[edit.shot].id);
        EXPECT_FALSE(project.shots[edit.shot].carriedFrom) << edit.name;
    }
}

TEST(CarriedDecisions, AcceptingASelectionIsOneHistoryEntryNamingTheEarlierFrames) {
    Project project = carriedProject();
    project.decide({project.shots[5].id}, Disclosure::none);
    const std::size_t entries = project.history.size();
    const std::size_t accepted =
        project.acceptCarried({project.shots[0].id, project.shots[3].id, project.shots[4].id, project.shots[5].id});
    EXPECT_EQ(accepted, 2u);  // shot 0 has no suggestion, shot 5 was decided by hand
    EXPECT_EQ(project.shots[3].disclosure, Disclosure::none);
    EXPECT_EQ(project.shots[4].disclosure, Disclosure::generated);
    EXPECT_FALSE(project.shots[4].carriedFrom);
    EXPECT_EQ(project.shots[5].disclosure, Disclosure::none);
    ASSERT_EQ(project.history.size(), entries + 1);
    EXPECT_EQ(project.history.back().action, "accept-earlier");
    EXPECT_EQ(project.history.back().detail,
              "none from earlier.mov 00:00:00:00–00:00:01:00; generated from earlier.mov 00:00:01:00–00:00:02:00");
    EXPECT_EQ(project.acceptCarried({project.shots[3].id}), 0u);
    EXPECT_EQ(project.history.size(), entries + 1);
}

TEST(CarriedDecisions, NameTheEarlierFilmOrTheFileItCameFrom) {
    const Project project = carriedProject();
    CarriedDecision carried = *project.shots[4].carriedFrom;
    EXPECT_EQ(carriedSuggestion(project, carried), "was AI generated in earlier.mov 00:00:01:00");  // its timecode
    carried.filmID = Uuid::random();
    carried.project = "first cut.marrowick";
    EXPECT_EQ(carriedSuggestion(project, carried), "was AI generated in first cut.marrowick 00:00:01.000");
    carried.project.clear();
    carried.disclosure = Disclosure::none;
    EXPECT_EQ(carriedSuggestion(project, carried), "had no label in an earlier cut 00:00:01.000");
}

}  // namespace
}  // namespace marrowick
