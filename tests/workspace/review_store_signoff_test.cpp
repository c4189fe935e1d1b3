// The controller names the reviewer from the preferences on what it records, signs films off
// (undo brings a voided sign-off back) and writes the review report as an activity.
#include <gtest/gtest.h>

#include <fstream>

#include "analysis/file_fingerprint.h"
#include "disclosure/sign_off.h"
#include "workspace/preferences.h"
#include "store_harness.h"
#include "workspace_fixtures.h"

namespace marrowick {
namespace {

using testing::makeProject;
using testing::waitUntil;

class ReviewStoreSignOffTest : public testing::StoreHarness {
protected:
    void SetUp() override { nameReviewer("Ada", "QC lead"); }
    void TearDown() override { nameReviewer("", ""); }

    static void nameReviewer(const std::string& name, const std::string& role) {
        Preferences::setReviewerName(name);
        Preferences::setReviewerRole(role);
    }

    // One film of three shots; `decided` of them carry a decision.
    void startWithFilm(std::size_t decided, std::optional<std::string> fingerprint = std::string(64, 'a')) {
        Project project = makeProject(1, 3);
        project.films[0].sourceSHA256 = std::move(fingerprint);
        for (std::size_t i = 0; i < decided; ++i) project.shots.mut(i).disclosure = Disclosure::none;
        startWith(project);
    }

    void decideFirst(Disclosure decision) {
        store->setSelection({store->project().shots[0].id});
        store->decide(decision);
    }

    SignOff::State state() const { return SignOff::status(store->project(), store->project().films[0]).state; }
};

TEST_F(ReviewStoreSignOffTest, EditsAndActivityResultsNameTheReviewerOnlyWhileOneIsSet) {
    startWithFilm(0);
    decideFirst(Disclosure::modified);
    EXPECT_EQ(store->project().history.back().reviewer, (Reviewer{"Ada", "QC lead"}));
    testing::activities(*store).storeActivityResult([](Project& project) {
        project.history.push_back(ReviewEvent{1, "local-assistant", {}, "model"});
    });
    EXPECT_EQ(store->project().history.back().reviewer, (Reviewer{"Ada", "QC lead"}));

    nameReviewer("", "QC lead");
    decideFirst(Disclosure::generated);
    EXPECT_FALSE(store->project().history.back().reviewer);
    EXPECT_EQ(store->project().history[0].reviewer, (Reviewer{"Ada", "QC lead"}));  // earlier entries keep theirs
}

TEST_F(ReviewStoreSignOffTest, SignOffNeedsEveryShotReviewedAndAName) {
    startWithFilm(2);
    const Uuid filmID = store->project().films[0].id;
    EXPECT_FALSE(store->canSignOff(filmID));
    store->signOff(filmID);
    EXPECT_EQ(store->error(), "\"reel1.mov\" cannot be signed off: 1 unreviewed shot.");
    EXPECT_EQ(state(), SignOff::State::none);

    store->setSelection({store->project().shots[2].id});
    store->decide(Disclosure::none);
    EXPECT_TRUE(store->canSignOff(filmID));
    nameReviewer("", "");
    EXPECT_FALSE(store->canSignOff(filmID));
    store->signOff(filmID);
    EXPECT_EQ(store->error(), "Set a reviewer name in Settings before signing off.");
    EXPECT_FALSE(store->canSignOff(Uuid::random()));
}

TEST_F(ReviewStoreSignOffTest, AChangeVoidsTheSignOffAndUndoRestoresIt) {
    startWithFilm(3);
    store->signOff(store->project().films[0].id);
    ASSERT_EQ(state(), SignOff::State::valid);
    EXPECT_EQ(store->project().history.back().reviewer, (Reviewer{"Ada", "QC lead"}));

    decideFirst(Disclosure::generated);
    EXPECT_EQ(state(), SignOff::State::voided);
    store->undoEdit();
    EXPECT_EQ(state(), SignOff::State::valid);
    store->redoEdit();
    EXPECT_EQ(state(), SignOff::State::voided);
    store->undoEdit();
    store->undoEdit();
    EXPECT_EQ(state(), SignOff::State::none);
}

TEST_F(ReviewStoreSignOffTest, AFilmWithoutAFingerprintIsFingerprintedFirstAsAnActivity) {
    const std::filesystem::path film = home.path() / "reel1.mov";
    std::ofstream(film) << "not really a film, but bytes to fingerprint";
    Project project = makeProject(1, 2);
    project.films[0].path = film.string();
    for (std::size_t i = 0; i < 2; ++i) project.shots.mut(i).disclosure = Disclosure::none;
    startWith(project);
    store->signOff(store->project().films[0].id);
    ASSERT_TRUE(waitUntil([&] { return !store->busy(); }));
    ASSERT_FALSE(store->error()) << *store->error();
    EXPECT_EQ(store->project().films[0].sourceSHA256, FileFingerprint::sha256(film));
    EXPECT_EQ(state(), SignOff::State::valid);
    store->undoEdit();
    EXPECT_EQ(state(), SignOff::State::none);
}

TEST_F(ReviewStoreSignOffTest, TheReportIsWrittenAsAnActivityByTheInstalledWriter) {
    startWithFilm(1);
    std::filesystem::path written;
    store->setReportWriter([&](const Project& project, const ReviewReport::Options& options, const std::filesystem::path& file) {
        const std::string html = ReviewReport::html(project, options);
        std::ofstream(file) << html;
        written = file;
    });
    dialogs.saveAnswers.push_back(std::nullopt);
    store->exportReviewReport();
    EXPECT_FALSE(store->busy());
    EXPECT_EQ(dialogs.proposedNames.back(), "Untitled review report.pdf");

    dialogs.saveAnswers.push_back(home.path() / "report.html");
    store->exportReviewReport();
    EXPECT_TRUE(store->busy());
    ASSERT_TRUE(waitUntil([&] { return !store->busy(); }));
    EXPECT_EQ(written, home.path() / "report.html");
    EXPECT_EQ(store->notice(), "Finished. Your review is autosaved locally.");
    EXPECT_FALSE(store->error());
}

}  // namespace
}  // namespace marrowick
