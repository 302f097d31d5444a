// Whole files on disk: safe saving, the head check when a diagram is opened, and ini files in
// the configuration folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/errors.h"
#include "platform/config_dir.h"
#include "shell/diagram_file.h"
#include "shell/file_strings.h"
#include "shell/ini_file.h"

namespace quorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

void WriteRaw(const QString& path, const Bytes& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

Bytes HeadBytes(int kind, int version) {
    ByteWriter w;
    TFileHead::Make(kind, version).Write(w);
    return w.Take();
}

class SavedFiles : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

// Kinds, versions and short heads are refused through the window's load in the diagram tests.
TEST_F(SavedFiles, EmptyAndMissingFilesAreRefusedAndAVersionOneHeadIsRead) {
    WriteRaw(Path("empty.qz2"), Bytes{});
    DiagramReader reader;
    EXPECT_EQ(reader.Open(Path("empty.qz2"), kKind2D), kErrCannotOpenFile);
    EXPECT_EQ(reader.Open(Path("missing.qz2"), kKind2D), kErrCannotOpenFile);

    Bytes version1 = HeadBytes(kKind2D, 1);
    version1.push_back(7);
    WriteRaw(Path("old.qz2"), version1);
    ASSERT_EQ(reader.Open(Path("old.qz2"), kKind2D), kNoError);
    EXPECT_EQ(reader.Version(), 1);
    EXPECT_EQ(reader.Body().Remaining(), 1u);
}

TEST_F(SavedFiles, OnlyRegularFilesOfABoundedSizeAreRead) {
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

    WriteRaw(Path("four.bin"), Bytes{1, 2, 3, 4});
    EXPECT_EQ(ReadWholeFile(Path("four.bin"), 4), (Bytes{1, 2, 3, 4}));
    EXPECT_FALSE(ReadWholeFile(Path("four.bin"), 3).has_value());
}

TEST_F(SavedFiles, FailedSaveReportsAndKeepsTheOldFile) {
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

TEST(IniRecord, LayoutOfHeadBlocksAndName) {
    IniRecord r = IniRecord::ForKind(kKind3D);
    r.ints[0][0] = 0x01020304;
    r.ints[1][20] = -1;
    r.numbers[1][0] = 1.0L;
    r.numbers[2][20] = -2.0L;
    r.flags[0][0] = 0xaa;
    r.flags[2][20] = 0xbb;
    r.lastFileName = "last.qz3";
    const Bytes bytes = r.Encode();
    ASSERT_EQ(bytes.size(), 1281u);
    ASSERT_EQ(IniRecord::kByteSize, 1281u);

    Bytes expected(1281, 0);
    expected[0] = 0xc1;
    expected[1] = 0x03;
    expected[4] = 41;
    expected[80] = 0x04, expected[81] = 0x03, expected[82] = 0x02, expected[83] = 0x01;
    for (int i = 0; i < 4; ++i) expected[164 + 80 + i] = 0xff;  // int block 1, word 20
    expected[542 + 7] = 0x80, expected[542 + 8] = 0xff, expected[542 + 9] = 0x3f;  // 1.0
    expected[962 - 10 + 7] = 0x80, expected[962 - 10 + 9] = 0xc0;  // -2.0 ends the numbers
    expected[962] = 0xaa;
    expected[1024] = 0xbb;
    const std::string name = "last.qz3";
    std::copy(name.begin(), name.end(), expected.begin() + 1025);
    EXPECT_EQ(bytes, expected);

    const auto back = IniRecord::Decode(bytes, kKind3D);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->ints, r.ints);
    EXPECT_EQ(back->numbers, r.numbers);
    EXPECT_EQ(back->flags, r.flags);
    EXPECT_EQ(back->lastFileName, "last.qz3");
}

TEST(IniRecord, UnusableBytesGiveNothing) {
    const Bytes good = IniRecord::ForKind(kKind2D).Encode();
    EXPECT_TRUE(IniRecord::Decode(good, kKind2D).has_value());
    EXPECT_FALSE(IniRecord::Decode(good, kKind3D).has_value());
    EXPECT_FALSE(IniRecord::Decode(Bytes(good.begin(), good.end() - 1), kKind2D).has_value());
    EXPECT_FALSE(IniRecord::Decode(Bytes{}, kKind2D).has_value());
    EXPECT_FALSE(IniRecord::Decode(IniRecord::ForKind(kKind2D).Encode(), 0).has_value());
    IniRecord future = IniRecord::ForKind(kKind2D);
    future.head.fields[1] = 42;
    EXPECT_FALSE(IniRecord::Decode(future.Encode(), kKind2D).has_value());
}

TEST(IniFiles, ShellWordsTravelThroughTheConfigurationFolder) {
    ShellIniWords words;
    words.delay = 250;
    for (std::size_t i = 0; i < words.styleWords.size(); ++i) {
        words.styleWords[i] = static_cast<std::int16_t>(20 + i);
    }
    words.placement = WindowPlacement{10, 20, 640, 480};
    IniRecord record = IniRecord::ForKind(kKind2D);
    words.StoreInto(record);
    EXPECT_EQ(record.ints[0][1], 10);
    EXPECT_EQ(record.ints[0][2], 20);
    EXPECT_EQ(record.ints[0][11], 29);
    EXPECT_EQ(record.ints[0][14], 640);
    ASSERT_TRUE(WriteIni(QString::fromLatin1(kIni2D), record));

    const auto read = ReadIni(QString::fromLatin1(kIni2D), kKind2D);
    ASSERT_TRUE(read.has_value());
    ShellIniWords loaded;
    loaded.LoadFrom(*read);
    EXPECT_EQ(loaded.delay, 250);
    EXPECT_EQ(loaded.styleWords, words.styleWords);
    ASSERT_TRUE(loaded.placement.has_value());
    EXPECT_EQ(loaded.placement->height, 480);

    // Words not written by the shell (no count word) leave the defaults alone.
    ShellIniWords defaults;
    defaults.LoadFrom(IniRecord::ForKind(kKind2D));
    EXPECT_EQ(defaults.delay, 500);
    EXPECT_FALSE(defaults.placement.has_value());
}

TEST(IniFiles, MissingOrDamagedFilesGiveDefaults) {
    EXPECT_FALSE(ReadIni(QString::fromLatin1(kIniGuess), kKind2D).has_value());
    WriteRaw(platform::ConfigFilePath(QString::fromLatin1(kIniLevel)), Bytes(500, 0x41));
    EXPECT_FALSE(ReadIni(QString::fromLatin1(kIniLevel), kKind3D).has_value());

    QFile::remove(platform::ConfigFilePath(QString::fromLatin1(kFrameIniName)));
    const FrameSettings defaults = FrameSettings::Load();
    EXPECT_FALSE(defaults.openLast);
    EXPECT_FALSE(defaults.placement.has_value());

    FrameSettings frame;
    frame.placement = WindowPlacement{-4, 0, 1024, 768};
    frame.maximized = true;
    frame.openLast = true;
    ASSERT_TRUE(frame.Save());
    const FrameSettings back = FrameSettings::Load();
    ASSERT_TRUE(back.placement.has_value());
    EXPECT_EQ(back.placement->x, -4);
    EXPECT_EQ(back.placement->width, 1024);
    EXPECT_TRUE(back.maximized);
    EXPECT_TRUE(back.openLast);
    EXPECT_FALSE(back.useDefaults);

    EXPECT_EQ(TimeWindowIniName(3), "time3.ini");
}

TEST(IniFiles, PlacementsNoDesktopCouldHoldAreNotTaken) {
    // A damaged file must not give a window of two thousand million pixels, or one placed
    // where no screen will ever show it.
    const auto placementOf = [](WindowPlacement stored) {
        ShellIniWords words;
        words.placement = stored;
        IniRecord record = IniRecord::ForKind(kKind2D);
        words.StoreInto(record);
        ShellIniWords loaded;
        loaded.LoadFrom(record);
        FrameSettings frame;
        frame.placement = stored;
        EXPECT_EQ(FrameSettings::FromIni(frame.ToIni()).placement.has_value(),
                  loaded.placement.has_value());
        return loaded.placement;
    };
    EXPECT_TRUE(placementOf({-4, -4, 1928, 1088}).has_value());
    EXPECT_TRUE(placementOf({30000, 100, 800, 600}).has_value());
    EXPECT_FALSE(placementOf({0, 0, 2000000000, 600}).has_value());
    EXPECT_FALSE(placementOf({0, 0, 800, 2000000000}).has_value());
    EXPECT_FALSE(placementOf({-2000000000, 0, 800, 600}).has_value());
    EXPECT_FALSE(placementOf({0, 2000000000, 800, 600}).has_value());
    EXPECT_FALSE(placementOf({0, 0, 0, 600}).has_value());
}

}  // namespace
}  // namespace quorlin
