#include "platform/single_instance.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

namespace quorlin::platform {

namespace {

// A hand-over is one file name; whatever sends more is not a start of the program.
constexpr qsizetype kMostHandOverBytes = 64 * 1024;

// The socket's file: the name in the temporary folder, unless it is a path already.
QByteArray SocketPath(const QString& name) {
    const QString path =
        name.startsWith(QLatin1Char('/')) ? name : QDir::cleanPath(QDir::tempPath()) + u'/' + name;
    return QFile::encodeName(path);
}

std::optional<sockaddr_un> AddressOf(const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<size_t>(path.size()) >= sizeof address.sun_path) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    return address;
}

int NewSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// A connection to the socket at path, or -1 when nobody listens there. A listener whose queue
// is full is asked again until the deadline.
int ConnectTo(const QByteArray& path, QDeadlineTimer deadline) {
    const auto address = AddressOf(path);
    if (!address) return -1;
    const int fd = NewSocket();
    if (fd < 0) return -1;
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0) {
            return fd;
        }
        if (errno == EINTR) continue;
        if (errno == EAGAIN && !deadline.hasExpired()) {
            QThread::msleep(5);
            continue;
        }
        ::close(fd);
        return -1;
    }
}

bool SendAll(int fd, const QByteArray& bytes, QDeadlineTimer deadline) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent,
                                 static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN && !deadline.hasExpired()) {
            pollfd wait{fd, POLLOUT, 0};
            ::poll(&wait, 1, static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
            continue;
        }
        return false;
    }
    return true;
}

// A listening socket at path that only the user can reach: made and restricted in a private
// folder, then moved into place, so no one else can connect in between. -1 when that fails.
int ListenAt(const QByteArray& path) {
    QByteArray folder = QFile::encodeName(QDir::cleanPath(QDir::tempPath())) + "/qzprev.XXXXXX";
    if (!::mkdtemp(folder.data())) return -1;
    const QByteArray privatePath = folder + "/socket";
    const auto address = AddressOf(privatePath);
    int fd = address ? NewSocket() : -1;
    const bool made =
        fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0 &&
        ::chmod(privatePath.constData(), S_IRWXU) == 0 && ::listen(fd, SOMAXCONN) == 0 &&
        ::rename(privatePath.constData(), path.constData()) == 0;
    if (!made) {
        if (fd >= 0) ::close(fd);
        ::unlink(privatePath.constData());
        fd = -1;
    }
    ::rmdir(folder.constData());
    return fd;
}

}  // namespace

QString SingleInstance::DefaultName() {
    // QUORLIN_INSTANCE_NAME lets tests run the program beside a running copy of it.
    const QString name = qEnvironmentVariable("QUORLIN_INSTANCE_NAME");
    if (!name.isEmpty()) return name;
    return QStringLiteral("qzprev-%1").arg(static_cast<qulonglong>(::getuid()));
}

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstance::~SingleInstance() {
    Close();
}

bool SingleInstance::TryHandOver(const QString& fileName, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    const int fd = ConnectTo(SocketPath(name_), deadline);
    if (fd < 0) return false;
    const bool sent = SendAll(fd, fileName.toUtf8() + '\n', deadline);
    ::close(fd);
    return sent;
}

bool SingleInstance::Listen() {
    if (IsListening()) return true;
    const QByteArray path = SocketPath(name_);
    // A socket no one could connect to would leave every later start a running instance too.
    if (!AddressOf(path)) return false;
    // Listening would take the name over from a running instance: ask first. A socket left by
    // an instance that ended without closing it answers nobody and is replaced.
    if (const int probe = ConnectTo(path, QDeadlineTimer(500)); probe >= 0) {
        ::close(probe);
        return false;
    }
    ::unlink(path.constData());
    listener_ = ListenAt(path);
    if (listener_ < 0) return false;
    accepting_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
    connect(accepting_, &QSocketNotifier::activated, this, &SingleInstance::Accept);
    return true;
}

void SingleInstance::Accept() {
    for (;;) {
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (connection >= 0) {
            Receive(connection);
        } else if (errno != EINTR) {
            return;
        }
    }
}

void SingleInstance::Receive(int connection) {
    // The sender writes the name and a line feed and disconnects. A connection that ends without
    // the line feed (another start probing whether this one runs) hands nothing over.
    auto* notifier = new QSocketNotifier(connection, QSocketNotifier::Read, this);
    connect(notifier, &QObject::destroyed, [connection] { ::close(connection); });
    // A sender that never ends would keep its connection open for as long as this instance runs.
    QTimer::singleShot(handOverTimeoutMs_, notifier, [notifier] {
        notifier->setEnabled(false);
        notifier->deleteLater();
    });
    auto bytes = std::make_shared<QByteArray>();
    auto readSome = [this, notifier, connection, bytes] {
        char buffer[4096];
        ssize_t got = 0;
        while ((got = ::read(connection, buffer, sizeof buffer)) > 0 ||
               (got < 0 && errno == EINTR)) {
            if (got > 0) bytes->append(buffer, got);
            if (bytes->size() > kMostHandOverBytes) break;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;  // more comes later
        notifier->setEnabled(false);
        notifier->deleteLater();
        if (bytes->size() > kMostHandOverBytes || !bytes->endsWith('\n')) return;
        bytes->chop(1);
        emit FileReceived(QString::fromUtf8(*bytes));
    };
    connect(notifier, &QSocketNotifier::activated, this, readSome);
    readSome();
}

void SingleInstance::Close() {
    if (listener_ < 0) return;
    delete accepting_;
    accepting_ = nullptr;
    ::close(listener_);
    listener_ = -1;
    ::unlink(SocketPath(name_).constData());
}

bool SingleInstance::IsListening() const {
    return listener_ >= 0;
}

}  // namespace quorlin::platform
