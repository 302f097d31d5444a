#include "shell/palette.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace quorlin {
namespace {

TEST(Palette, FixedEndsAndWellSpreadColours) {
    const Palette palette;
    EXPECT_EQ(palette.GetColor(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(palette.GetColor(1), (Rgb{255, 255, 255}));
    EXPECT_EQ(palette.GetColor(61), palette.GetColor(0));
    EXPECT_EQ(palette.GetColor(-1), palette.GetColor(0));

    // Every colour differs clearly from every other one, so the picker never shows twins.
    for (int i = 0; i < Palette::kEntries; ++i) {
        for (int j = i + 1; j < Palette::kEntries; ++j) {
            const Rgb a = palette.GetColor(i), b = palette.GetColor(j);
            const int distance = std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
            EXPECT_GE(distance, 30) << i << " and " << j;
        }
    }
}

TEST(Palette, DrawAndOutputColoursFollowThePrinter) {
    Palette palette;
    const PrintState screen{};
    const PrintState greyPrinter{true, false};
    const PrintState colourPrinter{true, true};
    for (const auto& [index, state, drawn] : {std::tuple{60, screen, 60},
                                              {61, screen, 0},
                                              {-3, colourPrinter, 0},
                                              {7, greyPrinter, 0},
                                              {7, colourPrinter, 7}})
        EXPECT_EQ(DrawColor(index, state), drawn) << index;

    palette.SetEntry(5, {0, 150, 0});
    EXPECT_EQ(palette.GreyLevel(99), 0);  // outside 1..60: entry 0, black
    EXPECT_EQ(OutputColor(palette, 5, screen), (Rgb{0, 150, 0}));
    EXPECT_EQ(OutputColor(palette, 5, greyPrinter), (Rgb{88, 88, 88}));  // 0.587 * 150
    EXPECT_EQ(OutputColor(palette, 5, colourPrinter), (Rgb{0, 150, 0}));
}

TEST(Colours, HexTextAndStoredWords) {
    EXPECT_EQ(ColorToHex({5, 255, 0}), "#05ff00");
    EXPECT_EQ((Rgb{1, 2, 3}).ToColorRef(), 0x030201u);
    EXPECT_EQ(Rgb::FromColorRef(0xff030201u), (Rgb{1, 2, 3}));

    PenTriple pen;
    SetShort3(pen, 4, 2, -1);
    ByteWriter out;
    pen.Write(out);
    const std::vector<std::uint8_t> expected = {4, 0, 2, 0, 0xff, 0xff};
    EXPECT_EQ(out.Data(), expected);
    PenTriple back;
    ByteReader in(expected);
    ASSERT_TRUE(back.Read(in));
    EXPECT_EQ(back.style, -1);
    ByteReader cut(std::span<const std::uint8_t>(expected).first(5));
    EXPECT_FALSE(back.Read(cut));
}

TEST(StyleWords, CycleThroughTenAndAreBlackInPlainMode) {
    StyleWords style;
    style.words = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    EXPECT_EQ(style.StyleWord(12), 12);
    EXPECT_EQ(style.StyleWord(-1), 19);
    style.plainMode = true;
    EXPECT_EQ(style.StyleWord(12), 0);
}

}  // namespace
}  // namespace quorlin
