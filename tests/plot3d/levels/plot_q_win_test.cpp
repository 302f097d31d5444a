// What the base level of a 3D window keeps and offers: every colour command of its menu opens
// the palette on its own role, and every field of the 3D block of "qz3.ini" goes from the window
// into the file when it closes and back into the next window (or, for the fields the window does
// not hold, through it unchanged).
#include "plot3d/levels/plot_q_win.h"

#include <gtest/gtest.h>

#include <functional>

#include "plot3d/plot3_fixture.h"
#include "resources/resources.h"
#include "shell/col_win.h"
#include "shell/ini_file.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;

class PlotQWinTest : public Plot3WindowTest {
protected:
    void SetUp() override {
        win.SizeChanged(401, 301);
        win.Create();
    }
    void TearDown() override { CloseUnsaved(win); }

    TPlot3Win win{QStringLiteral("noname1.qz3")};
};

// 200 + k edits role k, except "Frenet demo ..." (206), which edits the Frenet role 9 unless the
// window asked for role 6 itself; the demonstration roles carry their 3D captions.
TEST_F(PlotQWinTest, EachColourCommandOpensThePaletteOnItsRole) {
    struct Row {
        int command, role, caption;
    };
    std::vector<Row> rows;
    for (int k = 0; k < ColorRoles::kRoles; ++k)
        rows.push_back({cmd::kColorRoleBase + k, k, win.Roles().CaptionId(k)});
    rows[4].caption = kStrTangentPlane;
    rows[5].caption = kStrSecant;
    rows[6] = {cmd::kColorFrenet, kRoleFrenet, kStrFrenet};
    rows[9].caption = kStrFrenet;
    for (const Row& row : rows) {
        ASSERT_TRUE(win.QueryCommand(row.command).enabled) << row.command;
        const std::int16_t sixth = win.Roles().Role(kRoleFrenetAsked);
        ASSERT_TRUE(win.SendCommand(row.command)) << row.command;
        TColWin* palette = win.PaletteWindow();
        ASSERT_NE(palette, nullptr);
        EXPECT_FALSE(palette->IsHidden()) << row.command;
        EXPECT_EQ(palette->Caption(), resources::LoadString(row.caption)) << row.command;
        EXPECT_EQ(palette->Current(), win.Roles().Role(row.role)) << row.command;
        // Each command chooses another index, so a role edited by two commands shows the last.
        const int chosen = 10 + 3 * (row.command - cmd::kColorRoleBase);
        palette->Choose(chosen);
        EXPECT_EQ(win.Roles().Role(row.role), chosen) << row.command;
        if (row.role != kRoleFrenetAsked) {
            EXPECT_EQ(win.Roles().Role(kRoleFrenetAsked), sixth) << row.command;
        }
    }
    // Asked for once, 206 edits role 6 itself.
    win.AskOwnSixthRole();
    ASSERT_TRUE(win.SendCommand(cmd::kColorFrenet));
    win.PaletteWindow()->Choose(57);
    EXPECT_EQ(win.Roles().Role(kRoleFrenetAsked), 57);
    EXPECT_EQ(win.Roles().Role(kRoleFrenet), 10 + 3 * 9);
}

// Where a field lives in the ini record.
struct IniPlace {
    bool number;  // a long double of block 1, else an int
    int block, word;
    long double In(const IniRecord& r) const {
        const auto w = static_cast<std::size_t>(word), b = static_cast<std::size_t>(block);
        return number ? r.numbers[b][w] : r.ints[b][w];
    }
    void Put(IniRecord& r, long double v) const {
        const auto w = static_cast<std::size_t>(word), b = static_cast<std::size_t>(block);
        if (number) {
            r.numbers[b][w] = v;
        } else {
            r.ints[b][w] = static_cast<std::int32_t>(v);
        }
    }
};

std::optional<IniRecord> StoredIni() {
    return ReadIni(QString::fromLatin1(kIni3D), kPlot3DFileKind);
}

// Each field the window holds, set to a value off its default: the ini keeps it when the window
// closes, and the next window takes it.
TEST_F(PlotQWinTest, EveryFieldTheWindowHoldsGoesIntoTheIniAndComesBack) {
    using Window = TPlot3Win;
    const struct {
        const char* name;
        IniPlace place;
        long double value;
        std::function<void(Window&, long double)> set;
        std::function<long double(Window&)> get;
    } rows[] = {
        {"mouse mode",
         {false, 1, 0},
         124,
         [](Window& w, long double v) { w.SetMouseMode(int(v)); },
         [](Window& w) { return w.MouseMode(); }},
        {"axis labels",
         {false, 1, 1},
         0,
         [](Window& w, long double v) { w.Scene().axisLabels = v != 0; },
         [](Window& w) { return w.Scene().axisLabels; }},
        {"dot size",
         {false, 1, 2},
         5,
         [](Window& w, long double v) { w.Options().dotSize = std::int16_t(v); },
         [](Window& w) { return w.Options().dotSize; }},
        {"slides",
         {false, 1, 3},
         17,
         [](Window& w, long double v) { w.Scene().count3D = std::int16_t(v); },
         [](Window& w) { return w.Scene().count3D; }},
        {"stereogram density",
         {false, 1, 4},
         41,
         [](Window& w, long double v) { w.Stereogram().density = std::int16_t(v); },
         [](Window& w) { return w.Stereogram().density; }},
        {"stereogram strips",
         {false, 1, 5},
         9,
         [](Window& w, long double v) { w.Stereogram().strips = std::int16_t(v); },
         [](Window& w) { return w.Stereogram().strips; }},
        {"decimal places",
         {false, 1, 6},
         7,
         [](Window& w, long double v) { w.Format().places = int(v); },
         [](Window& w) { return w.Format().places; }},
        {"stereogram dot size",
         {false, 1, 9},
         3,
         [](Window& w, long double v) { w.Stereogram().dotSize = std::int16_t(v); },
         [](Window& w) { return w.Stereogram().dotSize; }},
        {"arrow length",
         {false, 1, 10},
         37,
         [](Window& w, long double v) { w.Scene3D().arrowLength = int(v); },
         [](Window& w) { return w.Scene3D().arrowLength; }},
        {"watch delay",
         {false, 1, 12},
         250,
         [](Window& w, long double v) { w.Tracer().watchDelay = int(v); },
         [](Window& w) { return w.Tracer().watchDelay; }},
        {"line-of-sight samples",
         {false, 1, 14},
         14,
         [](Window& w, long double v) { w.Scene().checksPerPoint = std::int16_t(v); },
         [](Window& w) { return w.Scene().checksPerPoint; }},
        {"field width",
         {false, 1, 17},
         11,
         [](Window& w, long double v) { w.Format().width = int(v); },
         [](Window& w) { return w.Format().width; }},
        {"abrupt angles",
         {false, 1, 20},
         0,
         [](Window& w, long double v) { w.Tracer().abruptAngles = v != 0; },
         [](Window& w) { return w.Tracer().abruptAngles; }},
        {"arrows",
         {false, 2, 4},
         0,
         [](Window& w, long double v) { w.Scene().arrows = v != 0; },
         [](Window& w) { return w.Scene().arrows; }},
        {"solid arrowheads",
         {false, 2, 5},
         1,
         [](Window& w, long double v) { w.Figure().solidArrowheads = v != 0; },
         [](Window& w) { return w.Figure().solidArrowheads; }},
        {"metafile option",
         {false, 2, 6},
         1,
         [](Window& w, long double v) { w.SetHighResolution(v != 0); },
         [](Window& w) { return w.HighResolution(); }},
        {"axes (waiting for the first example)",
         {false, 2, 7},
         1,
         [](Window& w, long double v) { w.Axes().axesShown = v != 0; },
         [](Window& w) { return w.Scene3D().pendingAxes; }},
        {"parametrics obscure",
         {false, 2, 8},
         1,
         [](Window& w, long double v) { w.Scene().parametricsObscure = v != 0; },
         [](Window& w) { return w.Scene().parametricsObscure; }},
        {"eye x",
         {true, 1, 0},
         -9,
         [](Window& w, long double v) { w.Observer().eye.x = v; },
         [](Window& w) { return w.Observer().eye.x; }},
        {"eye y",
         {true, 1, 1},
         14,
         [](Window& w, long double v) { w.Observer().eye.y = v; },
         [](Window& w) { return w.Observer().eye.y; }},
        {"eye z",
         {true, 1, 2},
         7.5L,
         [](Window& w, long double v) { w.Observer().eye.z = v; },
         [](Window& w) { return w.Observer().eye.z; }},
        {"angle step",
         {true, 1, 4},
         0.0625L,
         [](Window& w, long double v) { w.Observer().angleStep = v; },
         [](Window& w) { return w.Observer().angleStep; }},
        {"stereogram depth",
         {true, 1, 5},
         0.625L,
         [](Window& w, long double v) { w.Stereogram().depth = v; },
         [](Window& w) { return w.Stereogram().depth; }},
        {"scroll steps",
         {true, 1, 8},
         300,
         [](Window& w, long double v) { w.SliderSteps().steps[0] = std::uint32_t(v); },
         [](Window& w) { return w.SliderSteps().steps[5]; }},
        {"scroll page",
         {true, 1, 9},
         20,
         [](Window& w, long double v) { w.SliderSteps().pageSteps[0] = std::uint32_t(v); },
         [](Window& w) { return w.SliderSteps().pageSteps[5]; }},
    };
    for (const auto& row : rows) row.set(win, row.value);
    CloseUnsaved(win);
    const std::optional<IniRecord> record = StoredIni();
    ASSERT_TRUE(record.has_value());
    for (const auto& row : rows) EXPECT_EQ(row.place.In(*record), row.value) << row.name;

    TPlot3Win next(QStringLiteral("noname2.qz3"));
    next.SizeChanged(401, 301);
    next.Create();
    for (const auto& row : rows) EXPECT_EQ(row.get(next), row.value) << row.name;
    CloseUnsaved(next);
}

// The fields no part of the window holds yet go through it as they were read.
TEST_F(PlotQWinTest, FieldsTheWindowDoesNotHoldPassThroughUnchanged) {
    const struct {
        const char* name;
        IniPlace place;
        long double value;
    } rows[] = {{"lengthen hyphens", {false, 1, 7}, 1},
                {"minus sign", {false, 1, 8}, 150},
                {"pi symbol", {false, 2, 2}, 112},
                {"animation delay", {false, 2, 3}, 175},
                {"animation value", {true, 1, 3}, 2.5L}};
    CloseUnsaved(win);
    std::optional<IniRecord> record = StoredIni();
    ASSERT_TRUE(record.has_value());
    for (const auto& row : rows) row.place.Put(*record, row.value);
    ASSERT_TRUE(WriteIni(QString::fromLatin1(kIni3D), *record, nullptr));

    TPlot3Win next(QStringLiteral("noname2.qz3"));
    next.SizeChanged(401, 301);
    next.Create();
    CloseUnsaved(next);
    record = StoredIni();
    ASSERT_TRUE(record.has_value());
    for (const auto& row : rows) EXPECT_EQ(row.place.In(*record), row.value) << row.name;
}

}  // namespace
}  // namespace quorlin::plot3d
