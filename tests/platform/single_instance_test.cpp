// One running instance: later starts hand their file over, even past a stale socket.
#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>

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

}  // namespace
}  // namespace quorlin::platform
