// The font record as a device font, and the window's ten fonts scaled to a device.
#include "shell/fonts.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

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
