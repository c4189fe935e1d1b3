// One window per user session. The first start listens on a local socket in the user's runtime
// folder; a later start hands its arguments (projects and films) to it and ends.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace marrowick {

class SingleInstance : public QObject {
public:
    enum class Handoff {
        delivered,  // a running window took the arguments: this start ends
        noWindow,   // nothing listens (a stale socket file from a crash is removed): this start is the first
        noAnswer,   // something accepted the connection but did not take the arguments in time
    };
    static constexpr int kHandoffTimeout_ms = 2000;

    // "$XDG_RUNTIME_DIR/marrowick.socket" (Qt's runtime location for the user).
    static QString socketPath();
    // Hands the program's arguments (the program path first) to a running window; relative
    // paths are made absolute against this start's folder.
    static Handoff handOver(const QStringList& arguments);

    // Listens for later starts and passes each one's arguments to `receive` on the main thread,
    // after the start has been answered. False (nothing listens) when the socket cannot be made.
    explicit SingleInstance(std::function<void(const std::vector<std::string>&)> receive, QObject* parent = nullptr);
    bool listen();

private:
    void accept();

    std::function<void(const std::vector<std::string>&)> receive_;
    QLocalServer* server_;
};

}  // namespace marrowick
