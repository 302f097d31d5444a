// Whole files on disk: the head check of an older version, and saves that cannot complete.
// Other kinds, versions and damaged heads are refused through a window's load.
#include "shell/diagram_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/errors.h"
#include "platform/config_dir.h"
#include "shell/ini_file.h"

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

    // A target that is a folder: the temporary file is written, the final rename fails.
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

}  // namespace
}  // namespace quorlin
