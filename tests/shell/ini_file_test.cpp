// Binary ini files: the record's byte layout, records that cannot be used, where the shell
// and the frame keep their words, and placements no desktop could hold. Reading and writing
// through the configuration folder is checked with the windows and the frame.
#include "shell/ini_file.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "platform/config_dir.h"

namespace quorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

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
    EXPECT_EQ(std::tuple(back->ints, back->numbers, back->flags, back->lastFileName),
              std::tuple(r.ints, r.numbers, r.flags, r.lastFileName));
}

TEST(IniRecord, UnusableBytesGiveNothing) {
    const Bytes good = IniRecord::ForKind(kKind2D).Encode();
    EXPECT_TRUE(IniRecord::Decode(good, kKind2D).has_value());
    IniRecord future = IniRecord::ForKind(kKind2D);
    future.head.fields[1] = 42;
    for (const auto& [bytes, kind] : {std::pair{good, kKind3D},
                                      {good, 0},
                                      {Bytes(good.begin(), good.end() - 1), kKind2D},
                                      {Bytes{}, kKind2D},
                                      {future.Encode(), kKind2D}})
        EXPECT_FALSE(IniRecord::Decode(bytes, kind).has_value()) << bytes.size() << " " << kind;
}

TEST(IniFiles, ShellAndFrameWordsHaveTheirPlacesInTheRecord) {
    ShellIniWords words;
    words.delay = 250;
    for (std::size_t i = 0; i < words.styleWords.size(); ++i) {
        words.styleWords[i] = static_cast<std::int16_t>(20 + i);
    }
    words.placement = WindowPlacement{10, 20, 640, 480};
    IniRecord record = IniRecord::ForKind(kKind2D);
    words.StoreInto(record);
    const auto& ints = record.ints[0];
    EXPECT_EQ(std::tuple(ints[1], ints[2], ints[11], ints[14]), std::tuple(10, 20, 29, 640));
    // Words not written by the shell (no count word) leave the defaults alone.
    ShellIniWords defaults;
    defaults.LoadFrom(IniRecord::ForKind(kKind2D));
    EXPECT_EQ(defaults.delay, 500);
    EXPECT_FALSE(defaults.placement.has_value());

    const FrameSettings frame{.placement = WindowPlacement{-4, 0, 1024, 768}, .maximized = true};
    const FrameSettings back = FrameSettings::FromIni(frame.ToIni());
    ASSERT_TRUE(back.placement.has_value());
    EXPECT_EQ(std::tuple(back.placement->x, back.placement->width, back.maximized),
              std::tuple(-4, 1024, true));
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
    constexpr int kHuge = 2000000000;
    const std::pair<WindowPlacement, bool> cases[] = {
        {{-4, -4, 1928, 1088}, true}, {{30000, 100, 800, 600}, true}, {{0, 0, kHuge, 600}, false},
        {{0, 0, 800, kHuge}, false},  {{-kHuge, 0, 800, 600}, false}, {{0, kHuge, 800, 600}, false},
        {{0, 0, 0, 600}, false}};
    for (const auto& [stored, taken] : cases)
        EXPECT_EQ(placementOf(stored).has_value(), taken) << stored.x << " " << stored.width;
}

TEST(IniFiles, AFileHoldingTheRecordAlreadyIsLeftAsItIs) {
    // The file is marked with an old modification time: a write replaces it (and the time).
    const QDateTime marked(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    IniRecord kept = IniRecord::ForKind(kKind2D);
    kept.ints[0][7] = 7007;
    IniRecord changed = kept;
    changed.ints[2][3] = -33;
    struct Row {
        const char* what;
        Bytes before;  // the file's bytes before the write of `kept`
        bool leftAlone;
    };
    const Bytes keptBytes = kept.Encode();
    Bytes longer = keptBytes;
    longer.push_back(0);
    const Row rows[] = {{"the same bytes", keptBytes, true},
                        {"another record", changed.Encode(), false},
                        {"one byte more", longer, false},
                        {"one byte less", Bytes(keptBytes.begin(), keptBytes.end() - 1), false},
                        {"empty", Bytes{}, false}};
    const QString path = platform::ConfigFilePath(QStringLiteral("kept.ini"));
    for (const Row& row : rows) {
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(reinterpret_cast<const char*>(row.before.data()),
                       static_cast<qint64>(row.before.size()));
            ASSERT_TRUE(file.flush());
            ASSERT_TRUE(file.setFileTime(marked, QFileDevice::FileModificationTime));
        }
        ASSERT_TRUE(WriteIni(QStringLiteral("kept.ini"), kept)) << row.what;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray after = file.readAll();
        EXPECT_EQ(Bytes(after.begin(), after.end()), keptBytes) << row.what;
        EXPECT_EQ(QFileInfo(path).lastModified().toUTC() == marked, row.leftAlone) << row.what;
    }
}

}  // namespace
}  // namespace quorlin
