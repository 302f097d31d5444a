// The whole-file writer at targets that are no regular file: a pipe takes the bytes in place
// and stays a pipe, a pipe nobody reads refuses them at once instead of waiting, a folder is
// never replaced, and a symbolic link stays a link while the file it points to takes the bytes.
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

namespace quorlin::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

bool IsPipe(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

class WholeFileTarget : public ::testing::Test {
protected:
    QString MakePipe(const char* name) const {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(WholeFileTarget, APipeTakesTheBytesInPlaceAndStaysAPipe) {
    const QString path = MakePipe("pipe");
    const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const Bytes sent{7, 0, 255, 13, 10, 42};
    QString error;
    EXPECT_TRUE(WriteWholeFile(path, sent, &error)) << error.toStdString();
    std::array<std::uint8_t, 16> got{};
    const long n = ::read(reader, got.data(), got.size());
    ::close(reader);
    ASSERT_EQ(n, static_cast<long>(sent.size()));
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), got.begin()));
    EXPECT_TRUE(IsPipe(path));
}

TEST_F(WholeFileTarget, APipeNobodyReadsAndAFolderAreRefusedAndKept) {
    const QString pipe = MakePipe("unread");
    QString error;
    EXPECT_FALSE(WriteWholeFile(pipe, Bytes{1, 2, 3}, &error));
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(ENXIO)));
    EXPECT_TRUE(IsPipe(pipe));

    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(WriteWholeFile(folder, Bytes{4, 5}, &error));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// A save through a symbolic link: the link keeps its text, the file at the end of its chain
// takes the new bytes and keeps its permissions, and no temporary file is left in either folder.
// A link that points to nothing makes its file, as opening it for writing would.
TEST_F(WholeFileTarget, ALinkStaysALinkAndItsTargetTakesTheBytes) {
    const struct Row {
        const char* name;
        const char* link;      // made in the test's folder
        const char* linkText;  // what the link holds; "@" stands for the test's folder
        const char* target;    // the file the bytes must reach
        const char* hop;       // a link between the two, or nothing
        bool targetExists;
    } rows[] = {
        {"a link to a file in the same folder", "same.qz2", "@/real.qz2", "real.qz2", nullptr,
         true},
        {"a link to a file in another folder", "far.qz2", "@/other/far-real.qz2",
         "other/far-real.qz2", nullptr, true},
        {"a relative link from a folder below", "below/rel.qz2", "../other/rel-real.qz2",
         "other/rel-real.qz2", nullptr, true},
        {"a link to a link", "twice.qz2", "hop.qz2", "other/end.qz2", "hop.qz2", true},
        {"a dangling link", "dangling.qz2", "other/made.qz2", "other/made.qz2", nullptr, false},
    };
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("other")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("below")));
    const Bytes old{1, 2, 3, 4, 5};
    const Bytes fresh{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 255};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString target = dir.filePath(QString::fromLatin1(row.target));
        if (row.targetExists) {
            ASSERT_TRUE(WriteWholeFile(target, old));
            ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
        }
        const QByteArray text =
            QByteArray(row.linkText).replace('@', QFile::encodeName(dir.path()));
        const QString link = dir.filePath(QString::fromLatin1(row.link));
        ASSERT_EQ(::symlink(text.constData(), QFile::encodeName(link).constData()), 0);
        if (row.hop) {
            const QByteArray hop = QFile::encodeName(dir.filePath(QString::fromLatin1(row.hop)));
            ASSERT_EQ(::symlink("other/end.qz2", hop.constData()), 0);
        }
        QString error;
        EXPECT_TRUE(WriteWholeFile(link, fresh, &error)) << error.toStdString();
        char held[PATH_MAX] = {};
        const ssize_t n = ::readlink(QFile::encodeName(link).constData(), held, sizeof held - 1);
        EXPECT_EQ(QByteArray(held, std::max<ssize_t>(n, 0)), text) << "the link was replaced";
        if (row.hop) {
            EXPECT_TRUE(QFileInfo(dir.filePath(QString::fromLatin1(row.hop))).isSymLink());
        }
        EXPECT_EQ(ReadWholeFile(target), fresh);
        struct stat written {};
        ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &written), 0);
        if (row.targetExists) EXPECT_EQ(written.st_mode & 07777, 0640u);
    }
    // A link that leads back to itself ends nowhere: refused as opening it would be, and kept.
    const QString loop = dir.filePath(QStringLiteral("loop.qz2"));
    ASSERT_EQ(::symlink("loop.qz2", QFile::encodeName(loop).constData()), 0);
    QString error;
    EXPECT_FALSE(WriteWholeFile(loop, fresh, &error));
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(ELOOP)));
    EXPECT_TRUE(QFileInfo(loop).isSymLink());
    const QStringList leftovers =
        QDir(dir.path()).entryList({QStringLiteral("*.tmp")}) +
        QDir(dir.filePath(QStringLiteral("other"))).entryList({QStringLiteral("*.tmp")}) +
        QDir(dir.filePath(QStringLiteral("below"))).entryList({QStringLiteral("*.tmp")});
    EXPECT_TRUE(leftovers.isEmpty()) << leftovers.join(' ').toStdString();
}

}  // namespace
}  // namespace quorlin::platform
