// The 60-byte font record, its device font, and the window's ten fonts scaled to a device.
#include "shell/fonts.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FontRecord, SixtyBytesInTheStoredLayout) {
    // clang-format off
    const FontRecord f{.height = -13, .escapement = 900, .orientation = 900, .weight = 700,
                       .italic = 1, .outPrecision = 3, .clipPrecision = 2, .quality = 1,
                       .pitchAndFamily = 0x22, .faceName = "Arial"};
    Bytes expected = {
        0xf3, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0x84, 0x03, 0, 0, 0x84, 0x03, 0, 0, 0xbc, 0x02, 0, 0,
        1, 0, 0, 0, 3, 2, 1, 0x22, 'A', 'r', 'i', 'a', 'l'};
    // clang-format on
    expected.resize(60, 0);  // the face name's zeros
    ByteWriter out;
    f.Write(out);
    ASSERT_EQ(FontRecord::kByteSize, 60u);
    EXPECT_EQ(out.Data(), expected);

    ByteReader in(expected);
    FontRecord back;
    ASSERT_TRUE(back.Read(in));
    EXPECT_EQ(back, f);

    FontRecord longName;  // the face name is cut to its field
    longName.faceName = std::string(40, 'F');
    ByteWriter cut;
    longName.Write(cut);
    ByteReader cutIn(cut.Data());
    ASSERT_TRUE(back.Read(cutIn) && cutIn.AtEnd());
    EXPECT_EQ(back.faceName, std::string(31, 'F'));

    ByteReader shortIn{std::span(expected).first(59)};
    EXPECT_FALSE(back.Read(shortIn));
}

TEST(WindowFonts, PointSizesScaleForADeviceAndComeBack) {
    WindowFonts fonts;
    fonts.SetPointSize(2, 10);
    fonts.Font(2).faceName = "Courier";
    EXPECT_EQ(fonts.Font(2).height, -13);  // 10 pt on a 96 dpi screen
    const FontRecord before = fonts.Font(2);

    fonts.ScaleFonts(true, 600);
    EXPECT_EQ(fonts.Font(2).height, -83);  // 10 x 600 / 72 = 83.3
    fonts.ScaleFonts(true, 864);           // nested begin keeps the first saved records
    EXPECT_EQ(fonts.Font(2).height, -120);
    fonts.ScaleFonts(false, 0);
    fonts.ScaleFonts(false, 0);  // an end without a begin changes nothing
    EXPECT_EQ(fonts.Font(2), before);
    EXPECT_FALSE(fonts.IsScaled());

    EXPECT_EQ(WindowFonts::FontOfCommand(WindowFonts::CommandOfFont(8)), 8);
    EXPECT_FALSE(WindowFonts::FontOfCommand(70) || WindowFonts::FontOfCommand(59));
}

TEST(FontRecord, ConvertsToTheDeviceFontAndRefusesUnstorableFaces) {
    const FontRecord f{.height = -16,
                       .escapement = 450,
                       .weight = 700,
                       .italic = 1,
                       .quality = 2,
                       .faceName = "Caf\xe9 Sans"};  // Windows-1252 e acute
    const platform::FontSpec fontSpec = ToFontSpec(f);
    EXPECT_EQ(fontSpec.faceName, QString::fromUtf8("Caf\xc3\xa9 Sans"));
    EXPECT_EQ(std::tuple(fontSpec.height, fontSpec.italic, fontSpec.underline, fontSpec.escapement),
              std::tuple(-16, true, false, 450));
    EXPECT_EQ(FontRecordFromSpec(fontSpec, FontRecord{}).value_or(FontRecord{}).faceName,
              f.faceName);
    EXPECT_EQ(FontRecordFromSpec(fontSpec, f), f);  // fields a FontSpec lacks come from the base

    platform::FontSpec foreign = fontSpec;
    foreign.faceName = QString::fromUtf8("\xe5\xae\x8b\xe4\xbd\x93");
    EXPECT_FALSE(FontRecordFromSpec(foreign, f).has_value());
    foreign.faceName = QString(32, QChar('F'));
    EXPECT_FALSE(FontRecordFromSpec(foreign, f).has_value());
}

}  // namespace
}  // namespace quorlin
