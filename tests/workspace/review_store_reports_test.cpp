// The controller's review package export: chooser, package folder, notice, reveal and failures.
#include <gtest/gtest.h>

#include <regex>

#include "model/review_error.h"
#include "store_harness.h"

namespace marrowick {
namespace {

using testing::makeProject;

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
    std::string expected;
    try {
        store->project().validated();
    } catch (const ReviewError& error) {
        expected = error.message();
    }
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

}  // namespace
}  // namespace marrowick
