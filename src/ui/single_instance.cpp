// The local-socket handoff between a later start and the running window: one line of JSON
// (the argument list) answered by "ok".
#include "ui/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>

#include <optional>

namespace marrowick {
namespace {

constexpr qint64 kLargestHandoff = 1 << 20;  // a start's whole argument list; more is refused
const QByteArray kAnswer = QByteArrayLiteral("ok\n");

QByteArray encode(const QStringList& arguments) {
    QJsonArray list;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool path = i > 0 && !argument.startsWith(QLatin1Char('-'));
        list.append(path ? QFileInfo(argument).absoluteFilePath() : argument);
    }
    return QJsonDocument(list).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<std::vector<std::string>> decode(const QByteArray& line) {
    const QJsonDocument document = QJsonDocument::fromJson(line.trimmed());
    if (!document.isArray()) return std::nullopt;
    std::vector<std::string> arguments;
    for (const QJsonValue& value : document.array()) {
        if (!value.isString()) return std::nullopt;
        arguments.push_back(value.toString().toStdString());
    }
    return arguments;
}

}  // namespace

QString SingleInstance::socketPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)).filePath(QStringLiteral("marrowick.socket"));
}

SingleInstance::Handoff SingleInstance::handOver(const QStringList& arguments) {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kHandoffTimeout_ms)) {
        return socket.error() == QLocalSocket::SocketTimeoutError ? Handoff::noAnswer : Handoff::noWindow;
    }
    socket.write(encode(arguments));
    if (!socket.waitForBytesWritten(kHandoffTimeout_ms)) return Handoff::noAnswer;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(kHandoffTimeout_ms)) return Handoff::noAnswer;
    return socket.readLine() == kAnswer ? Handoff::delivered : Handoff::noAnswer;
}

SingleInstance::SingleInstance(std::function<void(const std::vector<std::string>&)> receive, QObject* parent)
    : QObject(parent), receive_(std::move(receive)), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

bool SingleInstance::listen() {
    // Reached only when nothing answered on the socket: a file left there is a crashed start's.
    QLocalServer::removeServer(socketPath());
    return server_->listen(socketPath());
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket = QPointer<QLocalSocket>(socket)] {
            if (!socket) return;
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kLargestHandoff) socket->abort();
                return;
            }
            const std::optional<std::vector<std::string>> arguments = decode(socket->readLine(kLargestHandoff));
            if (!arguments) {
                socket->abort();
                return;
            }
            socket->write(kAnswer);
            socket->flush();
            socket->disconnectFromServer();
            // After answering: opening may ask questions in nested event loops.
            QMetaObject::invokeMethod(this, [this, arguments = *arguments] { receive_(arguments); }, Qt::QueuedConnection);
        });
    }
}

}  // namespace marrowick
