#include <gtest/gtest.h>

#include "project_fixture.h"

namespace marrowick {

TEST(ShotDecisions, DecideChangesOnlyTheNamedShotsAndRecordsTheSet) {
    Project project = testing::fullProject();
    const Shot before = project.shots[1];
    const Uuid stranger = Uuid::random();
    project.decide({project.shots[1].id, project.shots[4].id, stranger, project.shots[1].id}, Disclosure::generated);
    EXPECT_EQ(project.shots[1].disclosure, Disclosure::generated);
    EXPECT_EQ(project.shots[4].disclosure, Disclosure::generated);
    EXPECT_EQ(project.shots[2].disclosure, Disclosure::unreviewed);
    // A decision resets nothing.
    Shot expected = before;
    expected.disclosure = Disclosure::generated;
    EXPECT_EQ(project.shots[1], expected);

    const ReviewEvent& entry = project.history.back();
    EXPECT_EQ(entry.action, "label");
    EXPECT_EQ(entry.detail, "generated");
    EXPECT_EQ(entry.shotIDs, (std::vector<Uuid>{project.shots[1].id, project.shots[4].id, stranger}));
    EXPECT_EQ(project.reviewed(), 3u);
}

TEST(ShotDecisions, DecideWithAnEmptySetStillRecordsAnEntry) {
    Project project = testing::fullProject();
    const auto shots = project.shots;
    project.decide({}, Disclosure::none);
    EXPECT_EQ(project.shots, shots);
    EXPECT_EQ(project.history.back().action, "label");
    EXPECT_TRUE(project.history.back().shotIDs.empty());
    EXPECT_EQ(project.history.back().detail, "none");
}

TEST(ShotDecisions, DecideCopiesOnlyTheChunksItChanges) {
    Project project;
    std::vector<double> cuts;
    for (int i = 1; i < 2000; ++i) cuts.push_back(i);
    testing::addTiledFilm(project, testing::makeFilm(2000), cuts);
    const Project snapshot = project;
    project.decide({project.shots[1500].id}, Disclosure::modified);
    EXPECT_EQ(project.shots.sharedChunksWith(snapshot.shots), project.shots.chunkCount() - 1);
    EXPECT_EQ(snapshot.shots[1500].disclosure, Disclosure::unreviewed);
    EXPECT_EQ(project.reviewed(), 1u);
}

TEST(ShotDecisions, NotesAreStoredUntrimmedWithAHistoryEntry) {
    Project project = testing::fullProject();
    project.setNote(project.shots[2].id, "  graded twice \n");
    EXPECT_EQ(project.shots[2].note, "  graded twice \n");
    EXPECT_EQ(project.history.back().action, "note");
    EXPECT_EQ(project.history.back().shotIDs, std::vector<Uuid>{project.shots[2].id});
    EXPECT_EQ(project.history.back().detail, "  graded twice \n");
}

}  // namespace marrowick
