// The 3D block of "qz3.ini": the words and numbers each setting goes to, a round trip, and the
// values a damaged or hand-edited file gives, each read against its check.
#include "plot3d/scene/ini3d.h"

#include <gtest/gtest.h>

#include <numbers>

namespace quorlin::plot3d {
namespace {

TEST(Ini3D, SettingsGoToTheirWordsAndComeBack) {
    TIni3DSettings s;
    s.mouseMode = 124;
    s.dotSize = 4;
    s.arrowLength = 37;
    s.watchDelay = 250;
    s.piSymbol = 'p';
    s.axesShown = true;
    s.parametricsObscure = true;
    s.eye = {-3, 4.5L, 12};
    s.angleStep = 0.125L;
    s.scrollSteps = 300;
    s.scrollPage = 20;
    s.timeWindowColours = PackTimeWindowColours({7, 0, 12, 3});
    IniInts ints{};
    IniNumbers numbers{};
    StoreIni3D(s, ints, numbers);
    const struct {
        int block, word, value;
    } words[] = {{0, 19, 961}, {0, 20, 3120007}, {1, 0, 124}, {1, 2, 4}, {1, 10, 37},
                 {1, 12, 250}, {2, 2, 'p'},      {2, 7, 1},   {2, 8, 1}, {1, 11, 0}};
    for (const auto& w : words) {
        EXPECT_EQ(ints[static_cast<std::size_t>(w.block)][static_cast<std::size_t>(w.word)],
                  w.value)
            << w.block << "," << w.word;
    }
    EXPECT_EQ(numbers[1][1], 4.5L);
    EXPECT_EQ(numbers[1][4], 0.125L);
    EXPECT_EQ(numbers[1][8], 300);

    const TIni3DRead read = LoadIni3D(ints, numbers, TIni3DSettings{});
    EXPECT_TRUE(read.pendingAxes);
    EXPECT_FALSE(read.settings.axesShown);  // they wait for the first example
    EXPECT_TRUE(read.settings.parametricsObscure);
    EXPECT_EQ(read.settings.arrowLength, 37);
    EXPECT_EQ(read.settings.eye.z, 12);
    EXPECT_EQ(read.settings.scrollSteps, 300);
    EXPECT_EQ(read.settings.mouseMode, 124);
}

// Each row changes one stored value and names what reading it gives.
TEST(Ini3D, ValuesThatFailTheirChecksTakeTheirDefaults) {
    const TIni3DSettings defaults;
    const struct {
        const char* name;
        void (*store)(IniInts&, IniNumbers&);
        bool (*holds)(const TIni3DRead&);
    } rows[] = {
        {"arrow length 3 is one the length command takes",
         [](IniInts& i, IniNumbers&) { i[1][10] = 3; },
         [](const TIni3DRead& r) { return r.settings.arrowLength == 3; }},
        {"arrow length 1", [](IniInts& i, IniNumbers&) { i[1][10] = 1; },
         [](const TIni3DRead& r) { return r.settings.arrowLength == 10; }},
        {"arrow length 101", [](IniInts& i, IniNumbers&) { i[1][10] = 101; },
         [](const TIni3DRead& r) { return r.settings.arrowLength == 10; }},
        {"watch delay 0", [](IniInts& i, IniNumbers&) { i[1][12] = 0; },
         [](const TIni3DRead& r) { return r.settings.watchDelay == 400; }},
        {"pi below 32", [](IniInts& i, IniNumbers&) { i[2][2] = 31; },
         [](const TIni3DRead& r) { return r.settings.piSymbol == 227; }},
        {"steps 15 with page 10",
         [](IniInts&, IniNumbers& n) {
             n[1][8] = 15;
             n[1][9] = 10;
         },
         [](const TIni3DRead& r) {
             return r.settings.scrollSteps == 100 && r.settings.scrollPage == 10;
         }},
        {"steps 21.5 with page 10.5",
         [](IniInts&, IniNumbers& n) {
             n[1][8] = 21.5L;
             n[1][9] = 10.5L;
         },
         [](const TIni3DRead& r) {
             return r.settings.scrollSteps == 22 && r.settings.scrollPage == 11;
         }},
        {"steps beyond int32",
         [](IniInts&, IniNumbers& n) {
             n[1][8] = 3e9L;
             n[1][9] = 10;
         },
         [](const TIni3DRead& r) { return r.settings.scrollSteps == 100; }},
        {"obscure without axes",
         [](IniInts& i, IniNumbers&) {
             i[2][7] = 0;
             i[2][8] = 1;
         },
         [](const TIni3DRead& r) { return !r.pendingAxes && !r.settings.parametricsObscure; }},
        {"dot size 7", [](IniInts& i, IniNumbers&) { i[1][2] = 7; },
         [](const TIni3DRead& r) { return r.settings.dotSize == 7; }},
        {"dot size 0", [](IniInts& i, IniNumbers&) { i[1][2] = 0; },
         [](const TIni3DRead& r) { return r.settings.dotSize == 2; }},
        {"dot size 40000", [](IniInts& i, IniNumbers&) { i[1][2] = 40000; },
         [](const TIni3DRead& r) { return r.settings.dotSize == 2; }},
        {"18 decimal places", [](IniInts& i, IniNumbers&) { i[1][6] = 18; },
         [](const TIni3DRead& r) { return r.settings.decimalPlaces == 18; }},
        {"19 decimal places", [](IniInts& i, IniNumbers&) { i[1][6] = 19; },
         [](const TIni3DRead& r) { return r.settings.decimalPlaces == 4; }},
        {"-1 decimal places", [](IniInts& i, IniNumbers&) { i[1][6] = -1; },
         [](const TIni3DRead& r) { return r.settings.decimalPlaces == 4; }},
        {"field width 64", [](IniInts& i, IniNumbers&) { i[1][17] = 64; },
         [](const TIni3DRead& r) { return r.settings.fieldWidth == 64; }},
        {"field width 0", [](IniInts& i, IniNumbers&) { i[1][17] = 0; },
         [](const TIni3DRead& r) { return r.settings.fieldWidth == 6; }},
        {"field width 65 with 9 places",
         [](IniInts& i, IniNumbers&) {
             i[1][17] = 65;
             i[1][6] = 9;
         },
         [](const TIni3DRead& r) { return r.settings.fieldWidth == 11; }},
        {"trajectory mode", [](IniInts& i, IniNumbers&) { i[1][0] = 122; },
         [](const TIni3DRead& r) { return StartMouseMode(r.settings.mouseMode) == 123; }},
    };
    for (const auto& row : rows) {
        IniInts ints{};
        IniNumbers numbers{};
        StoreIni3D(defaults, ints, numbers);
        row.store(ints, numbers);
        EXPECT_TRUE(row.holds(LoadIni3D(ints, numbers, defaults))) << row.name;
    }
    // The trajectory mode is stored as recentring, and comes back as such.
    TIni3DSettings trajectories;
    trajectories.mouseMode = 122;
    IniInts ints{};
    IniNumbers numbers{};
    StoreIni3D(trajectories, ints, numbers);
    EXPECT_EQ(StartMouseMode(LoadIni3D(ints, numbers, defaults).settings.mouseMode), 125);
}

}  // namespace
}  // namespace quorlin::plot3d
