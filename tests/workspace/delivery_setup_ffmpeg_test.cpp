// The controller's choice of FFmpeg: the file dialog's answer, its checks and the preference.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "store_harness.h"
#include "workspace/preferences.h"

namespace marrowick {
namespace {

// Answers the one file dialog with a prepared path and remembers its message.
struct ChoosingDialogs : testing::FakeDialogs {
    std::optional<std::filesystem::path> answer;
    std::string message;
    std::optional<std::filesystem::path> openFileWithMessage(const FileExtensions& extensions,
                                                             const std::string& text) override {
        EXPECT_TRUE(extensions.empty());  // any file: executables have no extension
        message = text;
        return answer;
    }
};

class DeliverySetupFFmpegTest : public ::testing::Test {
protected:
    void SetUp() override {
        Preferences::setFfmpegPath("");
        tools = home.path() / "tools";
        std::filesystem::create_directories(tools);
    }

    void executable(const std::string& name) {
        std::ofstream(tools / name) << "#!/bin/sh\n";
        std::filesystem::permissions(tools / name, std::filesystem::perms::owner_all);
    }

    // Locates the answer; returns the error shown, or nothing.
    std::optional<std::string> choose(std::optional<std::filesystem::path> answer) {
        dialogs.answer = std::move(answer);
        store.deliverySetup().locateFFmpeg();
        return store.error();
    }

    testing::PrivateDataHome home;
    ChoosingDialogs dialogs;
    ReviewStore store{std::make_unique<testing::FakePlayer>(), dialogs, MARROWICK_RESOURCE_DIR};
    std::filesystem::path tools;
};

TEST_F(DeliverySetupFFmpegTest, AnExecutableNamedFFmpegWithFFprobeBesideItBecomesThePreference) {
    executable("ffmpeg");
    executable("ffprobe");
    QSignalSpy changed(&store.deliverySetup(), &DeliverySetup::deliveryChanged);
    EXPECT_EQ(choose(tools / "ffmpeg"), std::nullopt);
    EXPECT_EQ(dialogs.message, "Select the local ffmpeg executable. ffprobe must be beside it.");
    EXPECT_EQ(Preferences::ffmpegPath(), (tools / "ffmpeg").string());
    EXPECT_EQ(store.deliverySetup().ffmpegTools(), (FFmpegTools{tools / "ffmpeg", tools / "ffprobe"}));
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(DeliverySetupFFmpegTest, AnythingElseIsRefusedAndTheOldChoiceStays) {
    const std::string refusal = "Choose an executable named ffmpeg with ffprobe in the same directory.";
    executable("ffmpeg7");
    executable("ffprobe");
    EXPECT_EQ(choose(tools / "ffmpeg7"), refusal);
    store.clearError();
    std::ofstream(tools / "ffmpeg") << "not runnable";
    EXPECT_EQ(choose(tools / "ffmpeg"), refusal);
    store.clearError();
    std::filesystem::remove(tools / "ffprobe");
    executable("ffmpeg");
    EXPECT_EQ(choose(tools / "ffmpeg"), refusal);
    EXPECT_EQ(Preferences::ffmpegPath(), "");

    store.clearError();
    EXPECT_EQ(choose(std::nullopt), std::nullopt);  // cancelled: nothing happens
}

}  // namespace
}  // namespace marrowick
