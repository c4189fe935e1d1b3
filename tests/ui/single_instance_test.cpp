// Two starts of the program in one user session: the second hands its project to the first and
// ends; a window that cannot own the recovery file leaves it alone; a crashed start's socket
// file does not stop the next start from becoming the first.
#include "ui/single_instance.h"

#include <algorithm>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "model/project_json.h"
#include "ui_fixture.h"
#include "workspace/project_files.h"

namespace marrowick {
namespace {

using testing::waitUntil;

// A generous limit for a window to start on a loaded machine (not a timing: the test waits for
// what the window does, and fails only if it never does).
constexpr int kStartLimit_ms = 60000;

// A runtime folder as the desktop makes it: the user's alone.
void privateFolder(const QTemporaryDir& folder) {
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// A user session of its own: runtime folder (the socket), data folder (the recovery file).
struct Session {
    QTemporaryDir runtime;
    QTemporaryDir data;
    std::vector<std::unique_ptr<QProcess>> windows;

    Session() { privateFolder(runtime); }
    ~Session() {
        for (auto& window : windows) {
            window->kill();
            window->waitForFinished();
        }
    }

    QString socket() const { return runtime.filePath(QStringLiteral("marrowick.socket")); }
    std::filesystem::path recoveryFile() const { return std::filesystem::path(data.path().toStdString()) / "Marrowick" / "recovery.marrowick"; }

    QProcess& start(const QStringList& arguments, const QString& runtimeFolder) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), data.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(MARROWICK_PROGRAM), arguments);
        windows.push_back(std::move(process));
        return *windows.back();
    }
    QProcess& start(const QStringList& arguments = {}) { return start(arguments, runtime.path()); }

    bool listening() const {
        QLocalSocket probe;
        probe.connectToServer(socket());
        return probe.waitForConnected(1000);
    }

    std::string recoveredName() const {
        try {
            return ProjectJson::readFileUngated(recoveryFile()).name;
        } catch (const std::exception&) {
            return {};
        }
    }

    QString project(const std::string& name) const {
        Project review = testing::groupedProject({"/films/a.mov"}, 2);
        review.name = name;
        const std::filesystem::path file = std::filesystem::path(data.path().toStdString()) / (name + ".marrowick");
        ProjectFiles::write(file, review);
        return QString::fromStdString(file.string());
    }
};

// A socket file left by a start that crashed: bound once, never listened on, never removed.
void leaveStaleSocket(const QString& path) {
    const int descriptor = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path.toLocal8Bit();
    std::copy(name.begin(), name.end(), address.sun_path);
    ASSERT_EQ(bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(descriptor);
}

TEST(SingleInstance, ASecondStartHandsItsProjectToTheRunningWindowAndEnds) {
    Session session;
    leaveStaleSocket(session.socket());
    session.start();
    ASSERT_TRUE(waitUntil([&] { return session.listening(); }, kStartLimit_ms)) << "the stale socket kept the first start from listening";

    QProcess& second = session.start({session.project("Handed over")});
    ASSERT_TRUE(second.waitForFinished(kStartLimit_ms));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(waitUntil([&] { return session.recoveredName() == "Handed over"; }, kStartLimit_ms))
        << "the running window opened the project and autosaved it";

    // A window of another runtime folder (so not handed over) in the same data folder: the first
    // window owns the recovery file, so this one neither recovers from it nor writes it.
    QTemporaryDir otherRuntime;
    privateFolder(otherRuntime);
    QProcess& third = session.start({session.project("Third window")}, otherRuntime.path());
    QByteArray said;
    ASSERT_TRUE(waitUntil([&] {
        third.waitForReadyRead(10);
        said += third.readAllStandardError();
        return said.contains("Another Marrowick window keeps the local recovery copy");
    }, kStartLimit_ms));
    QProcess& fourth = session.start({session.project("Handed over again")});
    ASSERT_TRUE(fourth.waitForFinished(kStartLimit_ms));
    EXPECT_EQ(fourth.exitCode(), 0);
    EXPECT_TRUE(waitUntil([&] { return session.recoveredName() == "Handed over again"; }, kStartLimit_ms));
    EXPECT_EQ(third.state(), QProcess::Running);
}

}  // namespace
}  // namespace marrowick
