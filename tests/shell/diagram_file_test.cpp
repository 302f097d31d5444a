// Whole files on disk: the head check of an older version, files that are no regular files,
// saves that cannot complete, and every cut of a sequence of blocks. Other kinds, versions and
// damaged heads are refused through a window's load.
#include "shell/diagram_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>

#include "core/errors.h"
#include "core/file_strings.h"
#include "platform/config_dir.h"
#include "shell/fonts.h"
#include "shell/ini_file.h"
#include "shell/records/protection.h"

namespace quorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

class DiagramFile : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(DiagramFile, AVersionOneHeadIsReadAndAMissingFileRefused) {
    ByteWriter w;
    TFileHead::Make(kKind2D, 1).Write(w);
    w.U8(7);
    ASSERT_TRUE(WriteWholeFile(Path("old.qz2"), w.Data()));
    DiagramReader reader;
    ASSERT_EQ(reader.Open(Path("old.qz2"), kKind2D), kNoError);
    EXPECT_EQ(reader.Version(), 1);
    EXPECT_EQ(reader.Body().Remaining(), 1u);
    EXPECT_EQ(reader.Open(Path("missing.qz2"), kKind2D), kErrCannotOpenFile);
}

TEST_F(DiagramFile, OnlyRegularFilesOfABoundedSizeAreRead) {
    // A FIFO without a writer would hold open(2) for ever; it must be refused at once, as a
    // diagram and as an ini file alike.
    const QString fifo = Path("pipe.qz2");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    DiagramReader reader;
    EXPECT_EQ(reader.Open(fifo, kKind2D), kErrCannotOpenFile);
    EXPECT_EQ(reader.Open(dir_.path(), kKind2D), kErrCannotOpenFile);

    const QString ini = platform::ConfigFilePath(QString::fromLatin1(kFrameIniName));
    QFile::remove(ini);
    ASSERT_EQ(mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
    EXPECT_FALSE(ReadIni(QString::fromLatin1(kFrameIniName), kFrameIniKind).has_value());
    EXPECT_FALSE(FrameSettings::Load().placement.has_value());
    QFile::remove(ini);

    ASSERT_TRUE(WriteWholeFile(Path("four.bin"), Bytes{1, 2, 3, 4}));
    EXPECT_EQ(ReadWholeFile(Path("four.bin"), 4), (Bytes{1, 2, 3, 4}));
    EXPECT_FALSE(ReadWholeFile(Path("four.bin"), 3).has_value());
}

TEST_F(DiagramFile, FailedSaveReportsAndKeepsTheOldFile) {
    const QString folder = Path("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/old.qz2";
    const Bytes old = {1, 2, 3};
    ASSERT_TRUE(WriteWholeFile(path, old));

    // A target that is a folder: refused before anything is written.
    QString error;
    EXPECT_FALSE(WriteWholeFile(folder, Bytes{9}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 0);  // temporary removed
    EXPECT_FALSE(WriteWholeFile(Path("no/such/folder/x.qz2"), Bytes{9}));

    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the super-user";
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    error.clear();
    EXPECT_FALSE(WriteWholeFile(path, Bytes{4, 5, 6, 7}, &error));
    EXPECT_FALSE(error.isEmpty());
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadWholeFile(path), old);
}

// The writer's own checks against what the system answers: a device that is always full, a
// file size limit the kernel holds the process to, writes that take a little at a time (which
// is no failure), writes that take nothing without saying why, and writes that claim bytes they
// never wrote, which only the size of the written file shows. Each failure leaves the old file
// byte for byte and nothing beside it, for a file of a few kilobytes (which a buffered writer
// would only have tried to write when it closed) as for a larger one.
TEST_F(DiagramFile, EveryWriteAndTheWrittenSizeAreChecked) {
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    const auto toFull = [full](int, const void* data, std::size_t size) {
        return ::write(full, data, size);
    };
    const auto claimAll = [](int, const void*, std::size_t size) {
        return static_cast<long>(size);
    };
    const struct Row {
        const char* name;
        std::function<long(int, const void*, std::size_t)> call;  // none: the system's
        rlim_t sizeLimit;                                         // 0: none
        std::size_t size;                                         // of the new file
        bool saved;
        const char* reason;  // the system's text for the failure
    } rows[] = {
        {"writes that go to a full device", toFull, 0, 10000, false, std::strerror(ENOSPC)},
        {"3000 bytes to a full device", toFull, 0, 3000, false, std::strerror(ENOSPC)},
        {"a file size limit of 4096 bytes", {}, 4096, 10000, false, std::strerror(EFBIG)},
        {"3000 bytes under a file size limit of 2048", {}, 2048, 3000, false, std::strerror(EFBIG)},
        {"writes of 7 bytes at a time",
         [](int fd, const void* data, std::size_t size) {
             return ::write(fd, data, std::min<std::size_t>(size, 7));
         },
         0, 10000, true, ""},
        {"writes that take nothing", [](int, const void*, std::size_t) { return 0L; }, 0, 3000,
         false, std::strerror(ENOSPC)},
        {"writes that claim every byte and write none", claimAll, 0, 10000, false,
         std::strerror(ENOSPC)},
        {"3000 bytes claimed and never written", claimAll, 0, 3000, false, std::strerror(ENOSPC)},
    };
    const Bytes old(3000, 0x5a);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Bytes fresh(row.size);
        for (std::size_t i = 0; i < fresh.size(); ++i) fresh[i] = static_cast<std::uint8_t>(i * 7);
        const QString path = Path("target.bin");
        ASSERT_TRUE(WriteWholeFile(path, old));
        if (row.call && full < 0) GTEST_SKIP() << "no /dev/full here";
        const ScopedFileWriteCall call(row.call);
        rlimit before{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
        const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        if (row.sizeLimit > 0) {
            const rlimit limited{row.sizeLimit, before.rlim_max};
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        }
        QString reason;
        const bool saved = WriteWholeFile(path, fresh, &reason);
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldSignal);
        EXPECT_EQ(saved, row.saved);
        EXPECT_EQ(reason, QString::fromLocal8Bit(row.reason));
        EXPECT_EQ(ReadWholeFile(path), row.saved ? fresh : old);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
    if (full >= 0) ::close(full);
}

// A file system the system holds read-only: a save over a file and a save of a new one are
// refused with "cannot open file" and the system's reason, and the old file keeps its bytes.
TEST_F(DiagramFile, ASaveOnAReadOnlyFileSystemSaysSo) {
    const QByteArray where = QFile::encodeName(Path("readonly"));
    ASSERT_EQ(::mkdir(where.constData(), 0700), 0);
    if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
        GTEST_SKIP() << "this process may not mount a file system";
    const QString old = QFile::decodeName(where + "/old.qz2");
    const Bytes bytes{5, 4, 3};
    EXPECT_TRUE(WriteWholeFile(old, bytes));
    const bool readOnly =
        ::mount(nullptr, where.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    for (const QString& path : {old, QFile::decodeName(where + "/new.qz2")}) {
        SCOPED_TRACE(path.toStdString());
        QString reason;
        if (readOnly) EXPECT_EQ(SaveWholeFile(path, Bytes{9, 9}, &reason), kErrCannotOpenFile);
        EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(EROFS)));
    }
    EXPECT_EQ(ReadWholeFile(old), bytes);
    EXPECT_EQ(QDir(QFile::decodeName(where)).entryList(QDir::Files | QDir::Hidden),
              QStringList{"old.qz2"});
    ::umount2(where.constData(), MNT_DETACH);
    ASSERT_TRUE(readOnly) << "the file system could not be made read-only";
}

// Every cut of a valid sequence of blocks is refused cleanly (the sanitizers watch for
// overruns), and only the whole sequence reads.
TEST(DamagedFiles, EveryTruncationIsRefused) {
    ByteWriter out;
    TFileHead::Make(kKind2D, kProgramVersion).Write(out);
    ASSERT_TRUE(WriteString(out, "sin(x)"));
    FileProtection author;
    author.Protect(kProtectInventory, "pw", {"me", "", "", "2026"});
    ASSERT_TRUE(author.WriteProtection(out));
    ASSERT_EQ(WriteNotebook(out, std::string(300, 'n')), kNoError);
    FontRecord{}.Write(out);
    const Bytes whole = out.Take();

    const auto readAll = [](std::span<const std::uint8_t> bytes) {
        ByteReader in(bytes);
        TFileHead head;
        std::string text, notes;
        FileProtection p;
        p.SetMaskFromFile(kProtectInventory);
        FontRecord font;
        return head.Read(in) && ReadString(in, text) == kNoError &&
               p.ReadProtection(in) == kNoError && ReadNotebook(in, notes) == kNoError &&
               font.Read(in) && in.AtEnd();
    };
    ASSERT_TRUE(readAll(whole));
    for (std::size_t n = 0; n < whole.size(); ++n)
        EXPECT_FALSE(readAll(std::span<const std::uint8_t>(whole).first(n))) << n;
}

}  // namespace
}  // namespace quorlin
