// The controller's review package export: chooser, package folder, notice, reveal and failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "model/review_error.h"
#include "store_harness.h"
#include "raised_message.h"

namespace marrowick {
namespace {

using testing::makeProject;
using testing::waitUntil;

// labels.mp4 (640 x 360, 3 s) as one film of three reviewed shots, the middle one labelled.
Project labelsProject() {
    Project project = makeProject(1, 3);
    Film& film = project.films[0];
    film.path = (std::filesystem::path(MARROWICK_TEST_FILMS_DIR) / "labels.mp4").string();
    film.width = 640;
    film.height = 360;
    for (std::size_t i = 0; i < 3; ++i) project.shots.mut(i).disclosure = i == 1 ? Disclosure::modified : Disclosure::none;
    return project;
}

class ReviewStoreReportsTest : public testing::StoreHarness {
protected:
    std::filesystem::path exports() {
        const auto folder = home.path() / "exports";
        std::filesystem::create_directories(folder);
        return folder;
    }

    static std::size_t entries(const std::filesystem::path& folder) {
        const std::filesystem::directory_iterator listing(folder);
        return static_cast<std::size_t>(std::distance(begin(listing), end(listing)));
    }
};

TEST_F(ReviewStoreReportsTest, ExportWritesANewPackageFolderAnnouncesAndRevealsIt) {
    startWith(makeProject(1, 3));
    const auto parent = exports();
    dialogs.folderAnswers = {parent, parent};
    store->exportReports();
    store->exportReports();

    ASSERT_FALSE(store->error()) << *store->error();
    EXPECT_EQ(dialogs.folderConfirmButtons, (std::vector<std::string>{"Export review package", "Export review package"}));
    EXPECT_EQ(store->notice(), "Review package exported.");
    ASSERT_EQ(dialogs.revealed.size(), 2u);
    EXPECT_NE(dialogs.revealed[0], dialogs.revealed[1]);
    for (const auto& package : dialogs.revealed) {
        EXPECT_EQ(package.parent_path(), parent);
        EXPECT_TRUE(std::regex_match(package.filename().string(), std::regex("Marrowick-[0-9A-F]{8}")))
            << package.filename();
        for (const char* file : {"review.marrowick", "shot-review.csv", "disclosure-record.txt"})
            EXPECT_TRUE(std::filesystem::is_regular_file(package / file)) << file;
    }
}

TEST_F(ReviewStoreReportsTest, CancelledChooserDoesNothing) {
    startWith(makeProject(1, 3));
    const auto parent = exports();
    store->showNotice("before");
    store->exportReports();
    EXPECT_EQ(dialogs.folderConfirmButtons.size(), 1u);
    EXPECT_EQ(store->notice(), "before");
    EXPECT_FALSE(store->error());
    EXPECT_TRUE(dialogs.revealed.empty());
    EXPECT_EQ(entries(parent), 0u);
}

TEST_F(ReviewStoreReportsTest, InvalidProjectShowsTheValidationMessageAndRevealsNothing) {
    startWith(makeProject(1, 3));
    store->changeSettings([](Project& project) { project.shots.mut(1).end = project.shots[1].start; });
    const std::string expected = testing::raisedMessage([&] { store->project().validated(); });
    ASSERT_FALSE(expected.empty());

    dialogs.folderAnswers = {exports()};
    store->exportReports();
    ASSERT_TRUE(store->error());
    EXPECT_EQ(*store->error(), expected);
    EXPECT_NE(store->notice(), "Review package exported.");
    EXPECT_TRUE(dialogs.revealed.empty());
}

TEST_F(ReviewStoreReportsTest, LayoutsNamingAShippedGuideOpenEditAndExportButUnknownGuidesAreRefused) {
    Project project = makeProject(1, 2);
    LabelLayout layout;
    layout.guideID = "ebu_r95_graphics_safe_16x9";
    project.labelLayouts = LabelLayouts{{"aspect:16:9", layout}};
    startWith(project);
    dialogs.folderAnswers = {exports()};
    store->exportReports();
    EXPECT_FALSE(store->error());
    EXPECT_EQ(dialogs.revealed.size(), 1u);

    EXPECT_FALSE(store->edit([](Project& edited) { edited.labelLayouts->at("aspect:16:9").guideID = "no-such-guide"; }));
    ASSERT_TRUE(store->error());
    EXPECT_EQ(*store->error(), "Invalid label position or guide.");
    EXPECT_EQ(store->project().labelLayouts, project.labelLayouts);
}

TEST_F(ReviewStoreReportsTest, UnwritableParentShowsTheSystemMessage) {
    startWith(makeProject(1, 1));
    const auto blocker = home.path() / "not-a-folder";
    writeFileAtomically(blocker, "file");
    dialogs.folderAnswers = {blocker};
    store->exportReports();
    ASSERT_TRUE(store->error());
    EXPECT_FALSE(store->error()->empty());
    EXPECT_TRUE(dialogs.revealed.empty());
}

TEST_F(ReviewStoreReportsTest, VideoExportNeedsEveryShotReviewedBeforeAskingForAFolder) {
    Project project = labelsProject();
    project.shots.mut(2).disclosure = Disclosure::unreviewed;
    startWith(project);
    store->exportVideos();
    ASSERT_TRUE(store->error());
    EXPECT_EQ(*store->error(), "Review every shot before exporting labelled videos.");
    EXPECT_TRUE(dialogs.folderConfirmButtons.empty());

    startWith(Project{});
    store->exportVideos();
    ASSERT_TRUE(store->error());
    EXPECT_EQ(*store->error(), "Review every shot before exporting labelled videos.");
}

TEST_F(ReviewStoreReportsTest, VideoExportRunsAsAnActivityWithFilmProgressAndRevealsTheFolder) {
    startWith(labelsProject());
    const auto parent = exports();
    store->exportVideos();  // chooser cancelled: nothing happens
    ASSERT_EQ(dialogs.folderConfirmButtons.size(), 1u);
    EXPECT_FALSE(store->busy());
    EXPECT_EQ(entries(parent), 0u);

    std::vector<std::string> texts;
    std::vector<double> progress;
    QObject watcher;  // goes before the lists it fills
    QObject::connect(store.get(), &ReviewStore::activityChanged, &watcher, [&] {
        if (!store->busy()) return;
        if (texts.empty() || texts.back() != store->activity().activity) texts.push_back(store->activity().activity);
        progress.push_back(store->activity().progress);
    });
    dialogs.folderAnswers = {parent};
    store->exportVideos();
    EXPECT_EQ(dialogs.folderConfirmButtons, (std::vector<std::string>(2, "Export labelled MOV copies")));
    ASSERT_TRUE(waitUntil([&] { return !store->busy(); }, 120000));

    ASSERT_FALSE(store->error()) << *store->error();
    EXPECT_EQ(store->notice(), "Finished. Your review is autosaved locally.");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "Exporting labelled display copies…");
    EXPECT_EQ(texts.back(), "Exporting labels.mp4");
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    ASSERT_EQ(dialogs.revealed.size(), 1u);
    const auto folder = dialogs.revealed[0];
    EXPECT_EQ(folder.parent_path(), parent);
    EXPECT_TRUE(std::regex_match(folder.filename().string(), std::regex("Marrowick-video-[0-9A-F]{8}")));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "review.marrowick"));
    EXPECT_GT(std::filesystem::file_size(folder / "1-labels-labelled.mov"), 0u);
    EXPECT_FALSE(store->dirty());
}

}  // namespace
}  // namespace marrowick
