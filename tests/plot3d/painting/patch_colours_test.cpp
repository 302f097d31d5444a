// The colours of a painted patch: height shading from half intensity on the floor to full on
// the ceiling (and the two cases below the floor), rounding of the shaded channels, grey on a
// black-and-white printer, the two side colours, the plain white fill, hollow surfaces without
// fill and the separate outline colour.
#include "plot3d/painting/patch_colours.h"

#include <gtest/gtest.h>

namespace quorlin::plot3d {
namespace {

TEST(PatchColoursTest, HeightShadesRunFromHalfOnTheFloorToFullOnTheCeiling) {
    struct Row {
        long double z;
        long double shade;
    };
    // The scene box runs from z = -2 to z = 6.
    for (const Row& row : {Row{-2, 0.5L}, Row{6, 1}, Row{2, 0.75L}, Row{-3.5L, 0.40625L},
                           Row{-2.8L, 0.45L}, Row{-3.7L, 0.5L}, Row{8, 1}}) {
        EXPECT_NEAR(static_cast<double>(HeightShade(row.z, -2, 6)), static_cast<double>(row.shade),
                    1e-15)
            << static_cast<double>(row.z);
    }
    EXPECT_EQ(HeightShade(1, 3, 3), 0.5L);  // a flat box does not divide by zero
}

TEST(PatchColoursTest, ShadedChannelsRoundHalvesAwayFromZero) {
    // 0x0b = 11 x 0.5 = 5.5 -> 6; 0x80 = 128 x 0.5 = 64; 0xff x 0.5 = 127.5 -> 128.
    EXPECT_EQ(ScaleColour(0x0b80ffu, 0.5L), 0x064080u);
    EXPECT_EQ(ScaleColour(0x0b80ffu, 1), 0x0b80ffu);
}

TEST(PatchColoursTest, EachStyleTakesItsFillAndPen) {
    TSurfaceColours c;
    c.line = 0x112233;
    c.plainFill = 0xffffff;
    c.sides[0] = 0xaa0000;
    c.sides[1] = 0x00bb00;
    c.shadeBase = 0x648cc8;  // 100, 140, 200
    c.shadeGrey = 151;
    c.outline = 0x0000dd;
    struct Row {
        TPatchStyle style;
        bool grey;
        int side;
        TPatchColours expected;
    };
    const Row rows[] = {
        {{}, false, 1, {0xffffff, 0x112233, true}},
        {{.twoSided = true}, false, 0, {0xaa0000, 0x112233, true}},
        {{.twoSided = true}, false, 1, {0x00bb00, 0x112233, true}},
        {{.twoSided = true, .hollow = true}, false, 1, {0x00bb00, 0x112233, false}},
        // Shaded at z = 2 of -2..6: s = 0.75: 75, 105, 150.
        {{.heightShading = true}, false, 0, {0x4b6996, 0x4b6996, true}},
        {{.heightShading = true, .separateOutline = true}, false, 0, {0x4b6996, 0x0000dd, true}},
        // Grey: trunc(0.75 x 151) = 113 = 0x71.
        {{.heightShading = true}, true, 1, {0x717171, 0x717171, true}},
    };
    for (const Row& row : rows) {
        c.greyShades = row.grey;
        const TPatchColours got = PatchColours(row.style, c, row.side, 2, -2, 6);
        EXPECT_EQ(got.fill, row.expected.fill);
        EXPECT_EQ(got.pen, row.expected.pen);
        EXPECT_EQ(got.filled, row.expected.filled);
    }
}

}  // namespace
}  // namespace quorlin::plot3d
