// The marrowick program's switch runs, as separate processes: output streams and exit statuses.
// The runs get no display, so a run that created a window would fail instead of answering.
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct SwitchRun {
    int status;
    QString out;
    QString err;
};

SwitchRun marrowick(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MARROWICK_PROGRAM), arguments);
    if (!process.waitForFinished(30000)) return {-1, {}, {}};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

TEST(ProgramSwitches, BuildKindWinsOverSelfTestWhereverItStands) {
    for (const QStringList& arguments :
         {QStringList{"--build-kind"}, QStringList{"--self-test", "review.marrowick", "--build-kind"}}) {
        const SwitchRun run = marrowick(arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, QStringLiteral("production\n"));
        EXPECT_EQ(run.err, QString());
    }
}

TEST(ProgramSwitches, SelfTestIsRefusedWithStatus64) {
    const SwitchRun run = marrowick({"--self-test"});
    EXPECT_EQ(run.status, 64);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err, QStringLiteral("Export self-tests require a separate validation build.\n"));
}

TEST(ProgramSwitches, AssistantSelfTestDecidesAloneAndFailsWithOneLine) {
    const SwitchRun missingPath = marrowick({"--build-kind", "--assistant-self-test"});
    EXPECT_EQ(missingPath.status, 1);
    EXPECT_EQ(missingPath.out, QString());
    EXPECT_EQ(missingPath.err, QStringLiteral("ASSISTANT TEST FAILED: Pass a JPEG fixture path\n"));

    const SwitchRun unreadable = marrowick({"--assistant-self-test", "/no/such/fixture.jpg", "--self-test"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.out, QString());
    EXPECT_EQ(unreadable.err,
              QStringLiteral("ASSISTANT TEST FAILED: Cannot read /no/such/fixture.jpg: No such file or directory\n"));

    QTemporaryDir folder;
    const QString fixture = folder.filePath(QStringLiteral("frame.jpg"));
    QFile file(fixture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xFF\xD8\xFF\xE0 not decoded here");
    file.close();
    const SwitchRun unavailable = marrowick({"--assistant-self-test", fixture});
    EXPECT_EQ(unavailable.status, 1);
    EXPECT_TRUE(unavailable.err.startsWith(QStringLiteral("ASSISTANT TEST FAILED: ")));
    EXPECT_TRUE(unavailable.err.endsWith(QLatin1Char('\n')));
    EXPECT_EQ(unavailable.err.count(QLatin1Char('\n')), 1);
}

}  // namespace
