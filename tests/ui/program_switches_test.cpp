// The marrowick program's switch runs, as separate processes: output streams and exit statuses.
// The runs get no display, so a run that created a window would fail instead of answering.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct SwitchRun {
    int status;
    QString out;
    QString err;
};

SwitchRun marrowick(const QStringList& arguments, const QString& resources = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!resources.isEmpty()) environment.insert(QStringLiteral("MARROWICK_RESOURCES"), resources);
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

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(ProgramSwitches, AssistantSelfTestRefusesModelFilesOtherThanTheShippedOnes) {
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("Helpers"));
    QDir(root.path()).mkpath(QStringLiteral("LocalVision"));
    const QString server = root.filePath(QStringLiteral("Helpers/llama-server"));
    writeFile(server, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(server, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    writeFile(root.filePath(QStringLiteral("LocalVision/Qwen3VL-2B-Instruct-Q4_K_M.gguf")), "not the model");
    writeFile(root.filePath(QStringLiteral("LocalVision/mmproj-Qwen3VL-2B-Instruct-Q8_0.gguf")), "nor this");
    writeFile(root.filePath(QStringLiteral("frame.jpg")), "\xFF\xD8\xFF");

    const SwitchRun run = marrowick({"--assistant-self-test", root.filePath(QStringLiteral("frame.jpg"))}, root.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err, QStringLiteral("ASSISTANT TEST FAILED: The local model files failed their integrity check. "
                                      "Download them again: see the README's \"Local assistant\" section.\n"));
}

}  // namespace
