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

// A folder below base whose path is exactly length bytes long, made component by component.
QByteArray FolderOfLength(const QByteArray& base, qsizetype length) {
    QByteArray folder = base;
    while (folder.size() < length) {
        // Components of at most 200 bytes; the last one takes what is left.
        const qsizetype left = length - folder.size() - 1;
        const qsizetype take = left > 250 ? 200 : left;
        folder += '/' + QByteArray(take, 'd');
        if (::mkdir(folder.constData(), 0700) != 0) return {};
    }
    return folder;
}

// Names as long as the system lets them be are saved, new and over a file saved before, with
// nothing left beside them: a name at the longest the folder allows, in ASCII and in UTF-8
// characters of two and three bytes (where a cut of the temporary file's name falls inside a
// character), one a byte shorter, and a path at the longest the system takes. A name one byte
// longer than the folder allows is refused as the system refuses it, and nothing is made.
TEST_F(WholeFileTarget, NamesAsLongAsTheSystemAllowsAreSaved) {
    const QByteArray base = QFile::encodeName(dir.path());
    const long nameMax = ::pathconf(base.constData(), _PC_NAME_MAX);
    ASSERT_GT(nameMax, 100);
    const QByteArray e = "\xc3\xa9";         // two bytes in UTF-8
    const QByteArray euro = "\xe2\x82\xac";  // three
    const auto times = [](const QByteArray& unit, long n) { return unit.repeated(n); };
    const struct {
        const char* name;
        QByteArray fileName;
        qsizetype pathLength;  // of the whole target; 0: in the test's folder
        bool saved;
    } rows[] = {
        {"the longest name", QByteArray(nameMax, 'n'), 0, true},
        {"a byte below the longest", QByteArray(nameMax - 1, 'b'), 0, true},
        {"the longest name in characters of two bytes",
         times(e, nameMax / 2) + QByteArray(nameMax % 2, 'x'), 0, true},
        {"the longest name in characters of three bytes",
         times(euro, nameMax / 3) + QByteArray(nameMax % 3, 'y'), 0, true},
        {"the longest name in characters of three bytes after one of one",
         "a" + times(euro, (nameMax - 1) / 3) + QByteArray((nameMax - 1) % 3, 'z'), 0, true},
        {"the longest path", QByteArray(100, 'p'), PATH_MAX - 1, true},
        {"a byte beyond the longest name", QByteArray(nameMax + 1, 'o'), 0, false},
    };
    const Bytes first{1, 2, 3}, second{200, 100, 0, 50};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QByteArray folder =
            row.pathLength > 0 ? FolderOfLength(base, row.pathLength - row.fileName.size() - 1)
                               : base + "/" + QByteArray::number(static_cast<int>(&row - rows));
        ASSERT_FALSE(folder.isEmpty());
        if (row.pathLength == 0) ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
        const QString path = QFile::decodeName(folder + '/' + row.fileName);
        if (row.pathLength > 0) ASSERT_EQ(QFile::encodeName(path).size(), row.pathLength);
        // The name of the file the bytes are written to, seen from its descriptor.
        QByteArray written;
        const ScopedFileWriteCall watch([&written](int fd, const void* data, std::size_t size) {
            const QByteArray fdPath = "/proc/self/fd/" + QByteArray::number(fd);
            char held[PATH_MAX] = {};
            const ssize_t n = ::readlink(fdPath.constData(), held, sizeof held - 1);
            written = QByteArray(held, std::max<ssize_t>(n, 0));
            return ::write(fd, data, size);
        });
        WriteError error;
        EXPECT_EQ(WriteWholeFile(path, first, &error), row.saved) << error.reason.toStdString();
        EXPECT_EQ(WriteWholeFile(path, second, &error), row.saved) << error.reason.toStdString();
        if (row.saved) {
            // Beside the target, named after as much of its name as fits, cut between characters.
            const QByteArray name = written.mid(written.lastIndexOf('/') + 1);
            const QByteArray kept = name.left(name.indexOf('.', 1));
            EXPECT_EQ(written.left(folder.size() + 1), folder + '/');
            EXPECT_LE(name.size(), nameMax);
            EXPECT_TRUE(row.fileName.startsWith(kept) && kept.size() > 0) << name.toStdString();
            EXPECT_EQ(QString::fromUtf8(kept).toUtf8(), kept) << "cut inside a character";
        }
        if (row.saved) {
            EXPECT_EQ(ReadWholeFile(path), second);
        } else {
            EXPECT_EQ(error.number, ENAMETOOLONG);
        }
        const QStringList left =
            QDir(QFile::decodeName(folder)).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(left.size(), row.saved ? 1 : 0) << left.join(' ').toStdString();
    }
}

// The names the next temporary files would take are held already, by files and by a link to
// another file: the save takes a name further on, leaves every holder and the file the link
// points to as they were, and leaves nothing of its own beside the target.
TEST_F(WholeFileTarget, ATemporaryNameThatIsTakenIsPassedOver) {
    const QString target = dir.filePath(QStringLiteral("held.qz2"));
    const QString victim = dir.filePath(QStringLiteral("victim"));
    const Bytes kept{42, 43};
    ASSERT_TRUE(WriteWholeFile(victim, kept));
    // The name of the temporary file a save writes to, seen from its descriptor.
    QByteArray used;
    const auto watch = [&used](int fd, const void* data, std::size_t size) {
        const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
        char held[PATH_MAX] = {};
        const ssize_t n = ::readlink(link.constData(), held, sizeof held - 1);
        used = QByteArray(held, std::max<ssize_t>(n, 0));
        return ::write(fd, data, size);
    };
    {
        const ScopedFileWriteCall call(watch);
        ASSERT_TRUE(WriteWholeFile(target, Bytes{1}));
    }
    // "<target>.<process>-<number>.tmp": the next numbers are taken before the next save.
    const qsizetype dash = used.lastIndexOf('-');
    const int number = used.mid(dash + 1, used.size() - dash - 5).toInt();
    const QByteArray stem = used.left(dash + 1);
    const QByteArray link = stem + QByteArray::number(number + 1) + ".tmp";
    ASSERT_EQ(::symlink(QFile::encodeName(victim).constData(), link.constData()), 0);
    for (int k = 2; k <= 4; ++k) {
        QFile holder(QFile::decodeName(stem + QByteArray::number(number + k) + ".tmp"));
        ASSERT_TRUE(holder.open(QIODevice::WriteOnly));
        holder.write("held");
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::System);
    {
        const ScopedFileWriteCall call(watch);
        QString error;
        EXPECT_TRUE(WriteWholeFile(target, Bytes{7, 8, 9}, &error)) << error.toStdString();
    }
    EXPECT_EQ(used, stem + QByteArray::number(number + 5) + ".tmp");
    EXPECT_EQ(ReadWholeFile(target), (Bytes{7, 8, 9}));
    EXPECT_EQ(ReadWholeFile(victim), kept);
    EXPECT_TRUE(QFileInfo(QFile::decodeName(link)).isSymLink());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System), before);
}

}  // namespace
}  // namespace quorlin::platform
