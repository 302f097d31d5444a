// The whole-file writer at targets that are no regular file: a pipe takes the bytes in place
// and stays a pipe, a pipe nobody reads refuses them at once instead of waiting, and a folder
// is never replaced.
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
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

}  // namespace
}  // namespace quorlin::platform
