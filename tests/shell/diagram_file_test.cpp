// Whole files on disk: the head check of an older version, and saves that cannot complete.
// Other kinds, versions and damaged heads are refused through a window's load.
#include "shell/diagram_file.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/errors.h"

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
