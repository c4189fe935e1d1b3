// The controller's delivery export: preconditions, chooser, the activity and its outcome.
#include <gtest/gtest.h>

#include "store_harness.h"

namespace marrowick {
namespace {

using testing::makeProject;
using testing::waitUntil;

class ReviewStoreDeliveryTest : public testing::StoreHarness {
protected:
    // One reviewed second of a generated film, copied into the private home under `name`.
    Project reviewedFilm(const std::string& film, const std::string& name) {
        Project project = makeProject(1, 1);
        const std::filesystem::path copy = home.path() / name;
        std::filesystem::copy_file(std::filesystem::path(MARROWICK_TEST_FILMS_DIR) / film, copy);
        project.films[0].path = copy.string();
        project.films[0].duration = 1;
        project.films[0].width = 160;
        project.films[0].height = 90;
        Shot shot = project.shots[0];
        shot.disclosure = Disclosure::generated;
        project.shots.mut(0) = shot;
        return project;
    }

    std::filesystem::path destination() {
        const auto folder = home.path() / "deliveries";
        std::filesystem::create_directories(folder);
        return folder;
    }

    void choose(std::set<std::string> keys) {
        DeliveryChoices choices = store->deliverySetup().delivery();
        choices.deliveryKeys = std::move(keys);
        store->deliverySetup().setDelivery(choices);
    }
};

TEST_F(ReviewStoreDeliveryTest, NothingStartsWithoutAReviewOrASelection) {
    startWith(makeProject(1, 2));
    store->exportDelivery();
    EXPECT_EQ(store->error(), "Review every shot before exporting labelled videos.");
    EXPECT_TRUE(dialogs.folderConfirmButtons.empty());

    startWith(reviewedFilm("delivery-rec709.mov", "a.mov"));
    choose({"no such key"});
    store->exportDelivery();
    EXPECT_FALSE(store->error());
    EXPECT_TRUE(dialogs.folderConfirmButtons.empty());

    choose({"master:prores_422"});
    store->exportDelivery();  // the chooser is cancelled
    EXPECT_EQ(dialogs.folderConfirmButtons, std::vector<std::string>{"Export delivery & mastering files"});
    EXPECT_FALSE(store->busy());
}

TEST_F(ReviewStoreDeliveryTest, ExportRunsAsAnActivityAndRevealsTheFolder) {
    startWith(reviewedFilm("delivery-rec709.mov", "Spot A.mov"));
    choose({"master:prores_422", "web_h264_1080p"});
    std::vector<std::string> texts;
    QObject::connect(store.get(), &ReviewStore::activityChanged, [&] {
        if (store->busy() && (texts.empty() || texts.back() != store->activity().activity))
            texts.push_back(store->activity().activity);
    });
    dialogs.folderAnswers = {destination()};
    store->exportDelivery();
    ASSERT_TRUE(waitUntil([&] { return !store->busy(); }, 120000));

    ASSERT_FALSE(store->error()) << *store->error();
    EXPECT_EQ(store->notice(), "Finished. Your review is autosaved locally.");
    ASSERT_EQ(dialogs.revealed.size(), 1u);
    EXPECT_EQ(dialogs.revealed[0].parent_path(), destination());
    EXPECT_TRUE(std::filesystem::exists(dialogs.revealed[0] / "1-Spot_A_web.mp4"));
    EXPECT_TRUE(std::filesystem::exists(dialogs.revealed[0] / "2-Spot_A_prores_422.mov"));
    EXPECT_TRUE(std::filesystem::exists(dialogs.revealed[0] / "delivery-summary.txt"));
    EXPECT_EQ(texts, (std::vector<std::string>{"Checking all delivery targets\u2026",
                                               "Web H.264 1080p (MP4) \u00b7 Spot A.mov",
                                               "ProRes 422 master \u00b7 Spot A.mov"}));
}

TEST_F(ReviewStoreDeliveryTest, ABlockedTargetShowsItsMessageAndWritesNothing) {
    startWith(reviewedFilm("delivery-untagged.mov", "plain.mov"));
    choose({"master:prores_422"});
    dialogs.folderAnswers = {destination()};
    store->exportDelivery();
    ASSERT_TRUE(waitUntil([&] { return !store->busy(); }, 60000));
    EXPECT_EQ(store->error(), "plain.mov has untagged colour. Confirm SDR Rec.709 in the export dialog, or "
                              "tag/finish the source first.");
    EXPECT_TRUE(dialogs.revealed.empty());
    EXPECT_TRUE(std::filesystem::is_empty(destination()));
}

}  // namespace
}  // namespace marrowick
