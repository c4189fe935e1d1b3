// Search keys folded ahead of the first keystroke: adopted keys serve the search, later changes
// still count, stale work is abandoned, and the controller folds after every change.
#include "workspace/search_key_folder.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <atomic>

#include "store_harness.h"
#include "workspace/visible_shots.h"
#include "workspace_fixtures.h"

namespace marrowick {
namespace {

using testing::makeProject;

std::vector<Uuid> found(ShotListQuery& query, const Project& project, const std::string& search) {
    return query.visible(project, ShotListOptions{ShotFilter(), search, false}).ids();
}

ShotSearchIndex::Folded foldedNow(const Project& project) {
    return *ShotSearchIndex::foldAll(project, false, [] { return false; });
}

TEST(SearchKeyFolding, AdoptedKeysServeTheSearchUntilTheirShotOrFilmChanges) {
    Project project = makeProject(2, 300);  // several storage chunks
    ShotSearchIndex::Folded folded = foldedNow(project);
    ASSERT_EQ(folded.keys.size(), 600u);
    EXPECT_NE(folded.keys[0].find(" 0"), std::string::npos);
    // A planted key proves the folded keys are read rather than folded again.
    folded.keys[7] = "planted";
    ShotListQuery query;
    query.adoptKeys(std::move(folded));
    EXPECT_EQ(found(query, project, "planted"), std::vector<Uuid>{project.shots[7].id});

    // An edited shot is folded afresh; so is every shot when a film is renamed.
    project.shots.mut(7).note = "Harbour";
    EXPECT_TRUE(found(query, project, "planted").empty());
    EXPECT_EQ(found(query, project, "HARBOUR"), std::vector<Uuid>{project.shots[7].id});
    ShotSearchIndex::Folded again = foldedNow(project);
    again.keys[8] = "planted";
    query.adoptKeys(std::move(again));
    project.films[1].path = "/media/planted.mov";
    EXPECT_EQ(found(query, project, "planted").size(), 300u) << "film 1's shots, not the planted key";
}

TEST(SearchKeyFolding, StopsWhenAsked) {
    const Project project = makeProject(1, 5000);
    int looks = 0;
    EXPECT_FALSE(ShotSearchIndex::foldAll(project, false, [&] { return ++looks == 2; }));
    EXPECT_EQ(looks, 2);
}

TEST(SearchKeyFolder, ReportsTheNewestSnapshot) {
    std::atomic<std::size_t> lastSize = 0;
    std::atomic<int> reports = 0;
    {
        SearchKeyFolder folder([&](ShotSearchIndex::Folded folded) {
            lastSize = folded.keys.size();
            ++reports;
        });
        folder.submit(makeProject(4, 2000), false);
        folder.submit(makeProject(1, 3), false);
        testing::waitUntil([&] { return lastSize == 3u; });
        EXPECT_EQ(lastSize, 3u);
        folder.submit(makeProject(8, 5000), false);  // abandoned when the folder goes
    }
    EXPECT_LE(reports, 3);
}

class SearchKeyStoreTest : public testing::StoreHarness {};

TEST_F(SearchKeyStoreTest, TheControllerFoldsAfterEachChange) {
    startWith(makeProject(1, 40));
    QSignalSpy ready(store.get(), &ReviewStore::searchKeysReady);
    ASSERT_TRUE(ready.wait(5000));
    const Uuid shot = store->project().shots[3].id;
    store->setNote(shot, "Crowd at the gate");
    ASSERT_TRUE(ready.wait(5000));
    store->setSearch(" crowd ");
    EXPECT_EQ(store->visible().ids(), std::vector<Uuid>{shot});
}

}  // namespace
}  // namespace marrowick
