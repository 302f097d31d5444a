#pragma once
// Single-instance hand-over: the first start of the program listens on a local socket named from
// "qzprev" and the user id; a second start hands its file name over to it and ends.
//
// The socket is a Unix stream socket in the temporary folder (QDir::tempPath()), that only the
// user may reach; the hand-over is the file name in UTF-8 and a line feed. It is kept on plain
// sockets and a socket notifier rather than Qt Network, which the program would otherwise load,
// with all it needs, at every start for this one socket.
#include <QObject>
#include <QString>

class QSocketNotifier;

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
    // the socket cannot be made (its path is too long for a socket address, say), or another
    // instance answers on it.
    bool Listen();
    bool IsListening() const;

    // How long a connection may take to hand its file name over before it is dropped (5 s;
    // tests shorten it).
    void SetHandOverTimeout(int ms) { handOverTimeoutMs_ = ms; }

signals:
    // A second start handed over this file name.
    void FileReceived(const QString& fileName);

private:
    void Accept();
    void Receive(int connection);
    void Close();

    QString name_;
    int listener_ = -1;
    QSocketNotifier* accepting_ = nullptr;
    int handOverTimeoutMs_ = 5000;
};

}  // namespace quorlin::platform
