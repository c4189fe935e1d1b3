// The background recovery writer: newest snapshot wins, and a killed writer leaves a whole file.
#include "workspace/autosave_writer.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRandomGenerator>

#include <atomic>

#include "model/project_json.h"
#include "workspace_fixtures.h"

namespace marrowick {
namespace {

TEST(AutosaveWriter, NewestSnapshotIsTheOneLeftOnDisk) {
    testing::PrivateDataHome home;
    const auto file = home.path() / "recovery.marrowick";
    Project project = testing::makeProject(2, 500);
    {
        std::atomic<int> failures = 0;
        AutosaveWriter writer([&](const std::optional<std::string>& failure) { failures += failure ? 1 : 0; });
        for (int i = 0; i < 20; ++i) {
            project.name = "version " + std::to_string(i);
            writer.submit(project, file);
        }
        EXPECT_EQ(failures, 0);
    }
    EXPECT_EQ(ProjectJson::readFileUngated(file).name, "version 19") << "the destructor writes what is pending";

    AutosaveWriter writer([](const std::optional<std::string>&) {});
    project.name = "queued";
    writer.submit(project, file);
    project.name = "written now";
    writer.writeNow(project, file);
    testing::spinFor(200);
    EXPECT_EQ(ProjectJson::readFileUngated(file).name, "written now") << "an older snapshot never lands later";
}

// Edits while the writer encodes an older snapshot touch shots the snapshot shares; neither may
// see the other's half (the ThreadSanitizer run checks the ordering).
TEST(AutosaveWriter, EditsDuringABackgroundWriteLeaveEachSnapshotWhole) {
    testing::PrivateDataHome home;
    const auto file = home.path() / "recovery.marrowick";
    Project project = testing::makeProject(4, 300);
    {
        AutosaveWriter writer([](const std::optional<std::string>&) {});
        for (std::size_t round = 0; round < 300; ++round) {
            project.shots.mut(round * 7 % project.shots.size()).note = "round " + std::to_string(round);
            writer.submit(project, file);
        }
    }
    EXPECT_EQ(ProjectJson::readFileUngated(file), project);
}

TEST(AutosaveWriter, FailuresAreReportedFromTheWriter) {
    testing::PrivateDataHome home;
    std::atomic<int> failures = 0;
    {
        AutosaveWriter writer([&](const std::optional<std::string>& failure) { failures += failure ? 1 : 0; });
        writer.submit(testing::makeProject(1, 1), home.path() / "no folder" / "recovery.marrowick");
    }
    EXPECT_EQ(failures, 1);
}

// The helper autosaves a large project in a loop; it is killed at random moments.
TEST(AutosaveWriter, KillingTheWriterAtAnyMomentLeavesAWholeProject) {
    testing::PrivateDataHome home;
    const auto file = home.path() / "recovery.marrowick";
    for (int round = 0; round < 8; ++round) {
        QProcess helper;
        helper.start(MARROWICK_AUTOSAVE_CRASH_HELPER, {QString::fromStdString(file.string()), "20000"});
        ASSERT_TRUE(helper.waitForStarted());
        ASSERT_TRUE(helper.waitForReadyRead(60000)) << "the helper reports its first write";
        testing::spinFor(static_cast<int>(QRandomGenerator::global()->bounded(1, 400)));
        helper.kill();
        ASSERT_TRUE(helper.waitForFinished());

        const Project recovered = ProjectJson::readFileUngated(file);
        EXPECT_NO_THROW(recovered.validated());
        EXPECT_EQ(recovered.shots.size(), 20000u);
    }
}

}  // namespace
}  // namespace marrowick
