#pragma once
// Single-instance hand-over: the first start of the program listens on a local socket named from
// "qzprev" and the user id; a second start hands its file name over to it and ends.
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace quorlin::platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The socket name of the program: "qzprev" plus the user id, or $QUORLIN_INSTANCE_NAME.
    // Tests pass their own names.
    static QString DefaultName();

    explicit SingleInstance(QString name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // Sends the file name (may be empty) to a running instance. True when one took it; false
    // when none is running.
    bool TryHandOver(const QString& fileName, int timeoutMs = 2000);

    // Becomes the running instance (replaces a stale socket left by a crashed one). False when
    // the socket cannot be made, or another instance answers on it.
    bool Listen();
    bool IsListening() const;

signals:
    // A second start handed over this file name.
    void FileReceived(const QString& fileName);

private:
    void Receive(QLocalSocket* socket);

    QString name_;
    QLocalServer* server_ = nullptr;
};

}  // namespace quorlin::platform
