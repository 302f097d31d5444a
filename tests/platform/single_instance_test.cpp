// One running instance: later starts hand their file over, even past a stale socket.
#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace quorlin::platform {
namespace {

QString UniqueName() {
    static int counter = 0;
    return QStringLiteral("quorlin-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(++counter);
}

QStringList WaitForFiles(SingleInstance& running, int count) {
    QStringList received;
    QObject::connect(&running, &SingleInstance::FileReceived,
                     [&](const QString& name) { received << name; });
    QElapsedTimer clock;
    clock.start();
    while (received.size() < count && clock.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return received;
}

TEST(SingleInstance, OnlyOneListensAndLaterStartsHandTheirFileToIt) {
    const QString name = UniqueName();
    SingleInstance first(name);
    ASSERT_TRUE(first.Listen());
    EXPECT_TRUE(first.IsListening());

    SingleInstance second(name);
    EXPECT_FALSE(second.Listen());  // its question was no hand-over; a real one still arrives
    EXPECT_TRUE(second.TryHandOver(QStringLiteral("/home/u/kurven ä.qz2")));
    SingleInstance third(name);
    EXPECT_TRUE(third.TryHandOver(QString()));  // a start without a file still hands over
    const QStringList files = WaitForFiles(first, 2);
    EXPECT_EQ(files, (QStringList{QStringLiteral("/home/u/kurven ä.qz2"), QString()}));

    EXPECT_TRUE(SingleInstance::DefaultName().startsWith(QStringLiteral("qzprev")));
    EXPECT_GT(SingleInstance::DefaultName().size(), 6) << "the user's name follows";
    SingleInstance lonely(UniqueName());
    EXPECT_FALSE(lonely.TryHandOver(QStringLiteral("a.qz2"), 200)) << "nobody to hand over to";
}

TEST(SingleInstance, ReplacesAStaleSocket) {
    const QString name = UniqueName();
    {
        // A server that is gone without removing its socket file.
        QLocalServer crashed;
        crashed.setSocketOptions(QLocalServer::UserAccessOption);
        ASSERT_TRUE(crashed.listen(name));
        const QString path = crashed.fullServerName();
        crashed.close();
        if (!QFile::exists(path)) {
            QFile stale(path);
            ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        }
    }
    SingleInstance next(name);
    EXPECT_TRUE(next.Listen());
    SingleInstance other(name);
    EXPECT_TRUE(other.TryHandOver(QStringLiteral("b.qz3")));
    EXPECT_EQ(WaitForFiles(next, 1), QStringList{QStringLiteral("b.qz3")});
}

TEST(SingleInstance, OnlyTheUserReachesTheSocketAndItGoesWithTheInstance) {
    const QString name = UniqueName();
    const QString path = QDir(QDir::tempPath()).filePath(name);
    {
        SingleInstance running(name);
        ASSERT_TRUE(running.Listen());
        const QFileInfo socket(path);
        ASSERT_TRUE(socket.exists());
        EXPECT_EQ(socket.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther),
                  QFile::Permissions())
            << "others may not hand files over";
    }
    EXPECT_FALSE(QFileInfo::exists(path)) << "the ended instance left its socket behind";
    SingleInstance later(name);
    EXPECT_FALSE(later.TryHandOver(QStringLiteral("c.qz2"), 200));
}

TEST(SingleInstance, ASocketPathTooLongToConnectToIsNotListenedOn) {
    // A socket address holds 107 bytes of path; the file system takes much longer names.
    const QString name = UniqueName() + QString(120, u'x');
    const QString path = QDir(QDir::tempPath()).filePath(name);
    SingleInstance running(name);
    EXPECT_FALSE(running.Listen());
    EXPECT_FALSE(running.IsListening());
    EXPECT_FALSE(QFileInfo::exists(path)) << "a socket no later start could reach was made";
}

TEST(SingleInstance, ASenderThatNeverEndsIsDropped) {
    const QString name = UniqueName();
    SingleInstance running(name);
    running.SetHandOverTimeout(20);
    ASSERT_TRUE(running.Listen());
    QStringList received;
    QObject::connect(&running, &SingleInstance::FileReceived,
                     [&](const QString& file) { received << file; });
    QLocalSocket stuck;
    stuck.connectToServer(name);
    ASSERT_TRUE(stuck.waitForConnected(2000));
    stuck.write("e.qz2\n");  // the name, but the sender stays connected
    ASSERT_TRUE(stuck.waitForBytesWritten(2000));
    QElapsedTimer clock;
    clock.start();
    while (stuck.state() == QLocalSocket::ConnectedState && clock.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(stuck.state(), QLocalSocket::UnconnectedState) << "the connection was kept open";
    EXPECT_TRUE(received.isEmpty()) << "a hand-over ends with the sender's end";
}

TEST(SingleInstance, ASenderOfMoreThanAFileNameHandsNothingOver) {
    const QString name = UniqueName();
    SingleInstance running(name);
    ASSERT_TRUE(running.Listen());
    {
        QLocalSocket flood;
        flood.connectToServer(name, QIODevice::WriteOnly);
        ASSERT_TRUE(flood.waitForConnected(2000));
        flood.write(QByteArray(100 * 1024, 'x') + '\n');
        flood.waitForBytesWritten(2000);
        flood.disconnectFromServer();
    }
    SingleInstance second(name);
    EXPECT_TRUE(second.TryHandOver(QStringLiteral("d.qz2")));
    // (Waits for a second name, in case the flood came through after all.)
    EXPECT_EQ(WaitForFiles(running, 2), QStringList{QStringLiteral("d.qz2")});
}

}  // namespace
}  // namespace quorlin::platform
