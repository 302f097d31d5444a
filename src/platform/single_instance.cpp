#include "platform/single_instance.h"

#include <unistd.h>
#include <QLocalServer>
#include <QLocalSocket>
#include <memory>

namespace quorlin::platform {

QString SingleInstance::DefaultName() {
    // QUORLIN_INSTANCE_NAME lets tests run the program beside a running copy of it.
    const QString name = qEnvironmentVariable("QUORLIN_INSTANCE_NAME");
    if (!name.isEmpty()) return name;
    return QStringLiteral("qzprev-%1").arg(static_cast<qulonglong>(::getuid()));
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

bool SingleInstance::TryHandOver(const QString& fileName, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name_, QIODevice::WriteOnly);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(fileName.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs) && socket.bytesToWrite() > 0) return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
    return true;
}

bool SingleInstance::Listen() {
    if (IsListening()) return true;
    {
        // Listening would take the name over from a running instance: ask first. A socket left
        // by an instance that ended without closing it answers nobody and is replaced.
        QLocalSocket probe;
        probe.connectToServer(name_);
        if (probe.waitForConnected(500)) return false;
    }
    QLocalServer::removeServer(name_);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name_)) {
        delete server;
        return false;
    }
    server_ = server;
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) Receive(socket);
    });
    return true;
}

void SingleInstance::Receive(QLocalSocket* socket) {
    // The sender writes the name and a line feed and disconnects. A connection that ends without
    // the line feed (another start probing whether this one runs) hands nothing over.
    struct Pending {
        QByteArray bytes;
        bool done = false;
    };
    auto pending = std::make_shared<Pending>();
    auto finish = [this, socket, pending] {
        if (pending->done) return;
        pending->done = true;
        pending->bytes += socket->readAll();
        socket->deleteLater();
        if (!pending->bytes.endsWith('\n')) return;
        pending->bytes.chop(1);
        emit FileReceived(QString::fromUtf8(pending->bytes));
    };
    connect(socket, &QLocalSocket::readyRead, socket,
            [socket, pending] { pending->bytes += socket->readAll(); });
    connect(socket, &QLocalSocket::disconnected, this, finish);
    pending->bytes += socket->readAll();
    if (socket->state() == QLocalSocket::UnconnectedState) finish();
}

bool SingleInstance::IsListening() const {
    return server_ && server_->isListening();
}

}  // namespace quorlin::platform
