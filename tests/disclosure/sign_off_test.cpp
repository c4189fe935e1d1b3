// Sign-off seals: stable through the file, voided by any change of a range, a decision or the
// source, whole again when the project returns to the signed state.
#include "disclosure/sign_off.h"

#include <gtest/gtest.h>

#include <functional>

#include "../model/project_fixture.h"
#include "model/project_json.h"
#include "raised_message.h"

namespace marrowick {
namespace {

const Reviewer kReviewer{"Ada", "QC lead"};

// Two films of three shots, every shot of both decided.
Project decidedProject() {
    Project project = testing::fullProject();
    std::vector<Uuid> all;
    for (const Shot& shot : project.shots) all.push_back(shot.id);
    project.decide(all, Disclosure::none);
    return project;
}

TEST(SignOff, ASealHoldsThroughSaveAndLoad) {
    Project project = decidedProject();
    const Film film = project.films[0];
    SignOff::sign(project, film.id, kReviewer, *film.sourceSHA256);
    const Project reread = ProjectJson::decode(ProjectJson::encode(project));
    EXPECT_EQ(SignOff::shotsDigest(reread, film.id), SignOff::shotsDigest(project, film.id));
    const SignOff::Status status = SignOff::status(reread, reread.films[0]);
    EXPECT_EQ(status.state, SignOff::State::valid);
    ASSERT_TRUE(status.event);
    EXPECT_EQ(status.event->action, "sign-off");
    EXPECT_EQ(status.event->reviewer, kReviewer);
    EXPECT_EQ(status.event->detail, "first.mov");
    EXPECT_EQ(status.event->shotIDs.size(), 3u);
    EXPECT_EQ(SignOff::status(reread, reread.films[1]).state, SignOff::State::none);
}

TEST(SignOff, AnyChangeToTheFilmVoidsItAndGoingBackRestoresIt) {
    Project signedProject = decidedProject();
    const Film film = signedProject.films[0];
    SignOff::sign(signedProject, film.id, kReviewer, *film.sourceSHA256);
    const Uuid first = signedProject.shots[0].id;
    const Uuid otherFilmShot = signedProject.shots[3].id;
    const std::pair<const char*, std::function<void(Project&)>> changes[] = {
        {"decision", [&](Project& p) { p.decide({first}, Disclosure::generated); }},
        {"moved range", [&](Project& p) { p.moveRange(first, 0.0, 1.5); }},
        {"split", [&](Project& p) { p.split(first, 0.5); }},
        {"merge", [&](Project& p) { p.mergeWithNext(first); }},
        {"source", [&](Project& p) { p.films[0].sourceSHA256 = std::string(64, 'c'); }},
    };
    for (const auto& [name, change] : changes) {
        Project changed = signedProject;
        change(changed);
        EXPECT_EQ(SignOff::status(changed, changed.films[0]).state, SignOff::State::voided) << name;
        // The undo history keeps whole earlier projects; restoring one restores the seal.
        EXPECT_EQ(SignOff::status(signedProject, signedProject.films[0]).state, SignOff::State::valid) << name;
    }
    Project elsewhere = signedProject;
    elsewhere.decide({otherFilmShot}, Disclosure::modified);
    elsewhere.setNote(first, "notes are not sealed");
    EXPECT_EQ(SignOff::status(elsewhere, elsewhere.films[0]).state, SignOff::State::valid);
}

TEST(SignOff, TheLatestSignOffCounts) {
    Project project = decidedProject();
    const Film film = project.films[0];
    SignOff::sign(project, film.id, kReviewer, *film.sourceSHA256);
    project.decide({project.shots[0].id}, Disclosure::modified);
    ASSERT_EQ(SignOff::status(project, project.films[0]).state, SignOff::State::voided);
    SignOff::sign(project, film.id, Reviewer{"Bo", ""}, *film.sourceSHA256);
    const SignOff::Status status = SignOff::status(project, project.films[0]);
    EXPECT_EQ(status.state, SignOff::State::valid);
    EXPECT_EQ(status.event->reviewer->name, "Bo");
}

TEST(SignOff, UnfinishedFilmsAndUnnamedReviewersAreRefused) {
    Project project = testing::fullProject();  // first shot decided, two open
    const Uuid filmID = project.films[0].id;
    const std::size_t before = project.history.size();
    EXPECT_EQ(testing::raisedMessage([&] { SignOff::sign(project, filmID, kReviewer, "x"); }),
              "\"first.mov\" cannot be signed off: 2 unreviewed shots.");
    project.decide({project.shots[1].id}, Disclosure::none);
    EXPECT_EQ(testing::raisedMessage([&] { SignOff::sign(project, filmID, kReviewer, "x"); }),
              "\"first.mov\" cannot be signed off: 1 unreviewed shot.");
    project.decide({project.shots[2].id}, Disclosure::none);
    EXPECT_EQ(testing::raisedMessage([&] { SignOff::sign(project, filmID, Reviewer{}, "x"); }), "Set a reviewer name before signing off.");
    EXPECT_EQ(testing::raisedMessage([&] { SignOff::sign(project, Uuid::random(), kReviewer, "x"); }),
              "The film is not part of this review.");
    EXPECT_EQ(project.history.size(), before + 2);
}

TEST(SignOff, AFilmWithoutAFingerprintTakesTheOneSigned) {
    Project project = decidedProject();
    const Uuid filmID = project.films[1].id;
    ASSERT_FALSE(project.films[1].sourceSHA256);
    SignOff::sign(project, filmID, kReviewer, std::string(64, 'd'));
    EXPECT_EQ(project.films[1].sourceSHA256, std::string(64, 'd'));
    EXPECT_EQ(SignOff::status(project, project.films[1]).state, SignOff::State::valid);
}

}  // namespace
}  // namespace marrowick
