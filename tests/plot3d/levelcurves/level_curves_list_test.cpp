// The level-curve window's curves on a 3D window: the curve list's delete, keep and discard, the
// curves following their surface, the moved starts listed, Q in "auto" at any count, a user's
// road through the levels and the cursor point, and thousands of curves listed and deleted.
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <numbers>
#include <vector>

#include "canvas/coordinate_dialog.h"
#include "examples/levels/inventory_dialog.h"
#include "plot3d/levelcurves/level_window_fixture.h"
#include "resources/resources.h"
#include "shell/col_win.h"

namespace quorlin::plot3d {
namespace {

using LevelWindowTest = LevelWindowFixture;

TEST_F(LevelWindowTest, DeletionsAndSearchesAreKeptOrDiscarded) {
    OpenAndPaste(win, "EXPL3;x^2+y^2;-2;2;-2;2;\r\nEXPL3;x+y;-1;1;-1;1;\r\n");
    win.RecomputeAllBoxes();
    examples::TExample& e = win.Inventory()[0];
    for (const int variable : {26, 24, 26, 26}) {
        examples::TTrajectory t;
        t.option1 = static_cast<std::uint16_t>(variable);
        t.startX = variable;
        e.trajectories.push_back(std::move(t));
    }
    TLevelDlg& d = Levels(0);
    EXPECT_EQ(d.ListedPositions(), (std::vector<int>{0, 2, 3}));
    prompter.AnswerMessage(platform::kIdYes);
    d.Press(T3DIvpDlg::kDeleteAll);
    ASSERT_EQ(e.trajectories.size(), 1u);  // only the x curve is left
    EXPECT_EQ(e.trajectories[0].option1, 24);
    d.Press(platform::kIdCancel);
    const auto restored = [&e] {
        std::vector<std::pair<int, long double>> curves;
        for (const examples::TTrajectory& t : e.trajectories)
            curves.emplace_back(t.option1, t.startX);
        return curves;
    };
    const std::vector<std::pair<int, long double>> original{{26, 26}, {24, 24}, {26, 26}, {26, 26}};
    EXPECT_EQ(restored(), original);

    // Searched curves are a change too: discard takes them back.
    Levels(0);
    Type(d, "1", "3", "2", "3");
    d.Press(TLevelDlg::kAuto);
    EXPECT_GT(e.trajectories.size(), 4u);
    d.Press(platform::kIdCancel);
    EXPECT_EQ(restored(), original);

    // Closed on example 0 and opened for example 1: it shows example 1.
    Levels(1);
    EXPECT_EQ(d.Example(), 1);
    EXPECT_TRUE(d.ListedPositions().empty());
    // Open, a request for another example leaves it on its own.
    Levels(0);
    EXPECT_EQ(d.Example(), 1);
    // Its example moves when an example before it goes, and is dropped when it goes itself.
    const int moved[] = {-1, 0};
    win.ExamplesRemoved(moved);
    EXPECT_EQ(d.Example(), 0);
    const int gone[] = {-1};
    win.ExamplesRemoved(gone);
    EXPECT_EQ(d.Example(), -1);
    EXPECT_TRUE(d.IsHidden());
}

// z = x^2 + y^2 + B with its levels 1 and 4 found by "auto" at B = 0 (circles of radius 1 and 2),
// then B moved by the slider's path, through another value first where a row says so: the
// curves of level c are the circle of radius sqrt(c - B), on their records, in the level window
// ("see curr") and on the surface in the 3D picture; a level the surface no longer reaches has
// lost its curves. Through B = 3.99 the level-4 circle shrinks to radius 0.1 and comes back.
TEST_F(LevelWindowTest, LevelCurvesFollowTheirSurfaceOrAreDropped) {
    const struct {
        long double through, b;        // through = b: one move
        long double radius1, radius4;  // 0: no curve is left
    } rows[] = {{0.5L, 0.5L, std::sqrt(0.5L), std::sqrt(3.5L)},
                {-0.75L, -0.75L, std::sqrt(1.75L), std::sqrt(4.75L)},
                {1.5L, 1.5L, 0, std::sqrt(2.5L)},
                {3.99L, 0, 0, 2},
                {3.99L, 0.25L, 0, std::sqrt(3.75L)}};
    for (const auto& row : rows) {
        TPlot3Win w{QStringLiteral("noname4.qz3")};
        w.Formulas().SetVar(2, 0);
        OpenAndPaste(w, "EXPL3;x^2+y^2+B;-3;3;-2.75;3.25;\r\n");
        w.RecomputeAllBoxes();
        w.Roles().SetRole(examples::kRoleTrajectory, 4);
        w.Inventory()[0].pen.colour = 9;
        w.Inventory()[0].extraColour = {9, 9};
        w.OpenLevelsDialog(0);
        TLevelDlg& d = *w.LevelDialog();
        Type(d, "1", "4", "1", "2");
        d.Press(TLevelDlg::kAuto);
        const examples::TExample& e = w.Inventory()[0];
        ASSERT_FALSE(e.trajectories.empty());

        for (const long double b : {row.through, row.b}) {
            w.Formulas().SetVar(2, b);
            w.ExampleChanged(2);
        }
        std::array<int, 2> perLevel{};
        for (const examples::TTrajectory& t : e.trajectories) {
            ASSERT_TRUE(t.startZ == 1 || t.startZ == 4) << t.startZ;
            const long double radius = t.startZ == 1 ? row.radius1 : row.radius4;
            EXPECT_NEAR(static_cast<double>(std::hypot(t.startX, t.startY)),
                        static_cast<double>(radius), 1e-12);
            ++perLevel[t.startZ == 1 ? 0 : 1];
        }
        EXPECT_EQ(perLevel[0] == 0, row.radius1 == 0) << row.b;
        EXPECT_GT(perLevel[1], 0);
        EXPECT_EQ(d.ListedPositions().size(), e.trajectories.size());

        TLevelWin* levels = w.LevelWindow();
        ASSERT_NE(levels, nullptr);
        for (const auto& [level, radius] :
             {std::pair{"1", row.radius1}, std::pair{"4", row.radius4}}) {
            if (radius == 0) continue;
            d.SetText(TLevelDlg::kCurrent, QString::fromLatin1(level));
            d.Press(TLevelDlg::kSeeCurrent);
            const long double reach = 2 * levels->View().unitsPerPixelX;
            const int onCurve = CheckDrawnCurvePixels(*levels, [&](canvas::WorldPoint p) {
                return std::fabs(std::hypot(p.x, p.y) - radius) <= reach;
            });
            EXPECT_GT(onCurve, 50) << level << " " << row.b;
        }

        // On the surface: the circle of level 4 at height 4 in the 3D picture.
        EXPECT_GE(CirclePointsInked(w, row.radius4, 4), 18) << row.b;
        CloseUnsaved(w);
    }
}

// The level dialog's lines say where its curves start: when B of z = x^2 + y^2 + B moves from 0
// to 0.5 or -0.75 the starts of levels 1 and 4 move onto the circles of radii sqrt(1 - B) and
// sqrt(4 - B), and the lines read the moved starts; the line selected stays selected.
TEST_F(LevelWindowTest, TheLevelDialogListsTheMovedStarts) {
    OpenAndPaste(win, "EXPL3;x^2+y^2+B;-3;3;-2.75;3.25;\r\n");
    win.Formulas().SetVar(2, 0);
    win.RecomputeAllBoxes();
    TLevelDlg& d = Levels(0);
    Type(d, "1", "4", "1", "2");
    d.Press(TLevelDlg::kAuto);
    const examples::TExample& e = win.Inventory()[0];
    ASSERT_GE(d.ListedPositions().size(), 2u);
    d.SetSelectedIndex(TLevelDlg::kList, 1);
    for (const long double b : {0.5L, -0.75L}) {
        win.Formulas().SetVar(2, b);
        win.ExampleChanged(2);
        const std::vector<int>& listed = d.ListedPositions();
        ASSERT_EQ(d.ItemCount(TLevelDlg::kList), static_cast<int>(listed.size()));
        ASSERT_GE(listed.size(), 2u);
        for (std::size_t line = 0; line < listed.size(); ++line) {
            const examples::TTrajectory& t = e.trajectories[static_cast<std::size_t>(listed[line])];
            EXPECT_NEAR(static_cast<double>(std::hypot(t.startX, t.startY)),
                        static_cast<double>(std::sqrt(t.startZ - b)), 1e-12);
            EXPECT_EQ(d.ItemText(TLevelDlg::kList, static_cast<int>(line)).toStdString(),
                      examples::DescribeTrajectory(t, win.Format().places, true))
                << static_cast<double>(b) << " " << line;
        }
        EXPECT_EQ(d.SelectedIndex(TLevelDlg::kList), 1);
    }
}

// "auto" through many levels asks one key poll, paced across every level and asked between
// them too. Its clock here moves half a millisecond at each look and a level's search looks 25
// times: 12.5 ms, below the 20 ms interval, so a poll started afresh for each search would never
// be asked. Q at the n-th poll stops the run with 81 within a few levels, whatever their number.
TEST_F(LevelWindowTest, QStopsAutoWithinAFewLevelsAtAnyCount) {
    OpenAndPaste(win, "EXPL3;x^2+y^2;-1;2;-1.5;1;\r\n");
    win.RecomputeAllBoxes();
    const struct {
        const char* count;
        int levels;
        int stopAt;
    } rows[] = {{"40", 40, 1}, {"3000", 3000, 3}, {"32767", 32767, 2}};
    for (const auto& row : rows) {
        TLevelWin& levels = win.MadeLevelWindow();
        TTimedPoll::Clock::time_point clock{};
        int asked = 0;
        levels.SetLevelSearchPoll(
            [&] {
                ++asked;
                return asked == row.stopAt ? kKeyStop : 'W';
            },
            std::chrono::milliseconds(20),
            [&clock] {
                clock += std::chrono::microseconds(500);
                return clock;
            });
        TLevelDlg& d = Levels(0);
        // Levels above the surface's box: each search finds nothing and costs little.
        Type(d, "100", "200", "100", row.count);
        EXPECT_EQ(d.CmAuto(), kKeyStop) << row.count;
        EXPECT_EQ(asked, row.stopAt);
        const long double done = (d.Values().current - 100) * (row.levels - 1) / 100 + 1;
        EXPECT_GE(done, 1);
        EXPECT_LE(done, 2 * row.stopAt + 1) << row.count;
        levels.SetLevelSearchPoll({});
        d.Press(platform::kIdOk);
    }
}

// The curve pixels of the level window's picture of z = sin(x)cos(y) by the level they lie
// on; each must lie on one.
std::array<int, 5> PixelsPerLevel(TLevelWin& w, const std::array<long double, 5>& levels,
                                  QRgb curve) {
    const QImage image = w.Image(ImageLayer::Picture);
    const long double pixel = w.View().unitsPerPixelX;
    std::array<int, 5> perLevel{};
    for (int y = 1; y + 1 < image.height(); ++y)
        for (int x = 1; x + 1 < image.width(); ++x) {
            if (image.pixel(x, y) != curve) continue;
            // A level runs within two pixels of the pixel: the traced points lie within a pixel
            // of the level (steps of 0.1 round loops of radius 0.5), and rounding them to pixels
            // and drawing the lines between adds up to a pixel. Its sign changes on that disc.
            const canvas::WorldPoint centre = w.ScreenToWorld({x, y});
            int found = -1;
            for (std::size_t k = 0; k < levels.size() && found < 0; ++k) {
                bool below = false, above = false;
                for (int dy = -4; dy <= 4; ++dy)
                    for (int dx = -4; dx <= 4; ++dx) {
                        if (dx * dx + dy * dy > 16) continue;  // half-pixel steps, radius 2
                        const long double px = centre.x + dx * pixel / 2;
                        const long double py = centre.y - dy * pixel / 2;
                        const long double d = std::sin(px) * std::cos(py) - levels[k];
                        below = below || d <= 0;
                        above = above || d >= 0;
                    }
                if (below && above) found = static_cast<int>(k);
            }
            EXPECT_GE(found, 0) << x << "," << y;
            if (found >= 0) ++perLevel[static_cast<std::size_t>(found)];
        }
    return perLevel;
}

// The user's road: z = sin(x)cos(y) pasted through the frame, the inventory's "levels", "auto"
// with five levels between -0.6 and 0.6: every curve pixel of the level window's image has a
// point of its level within two pixels, and each level is drawn. Then "&Cursor",
// "&Gradient" and "&Directional derivative" from the level window's menu, and a right click that
// types the cursor point into "LAGPT".
TEST_F(LevelWindowTest, AUserDrawsAutoLevelsAndTypesTheCursorPoint) {
    TPlotFrame frame(registry, {});
    TPlot3Win* parent =
        NewWindowWithScript(frame, QStringLiteral("EXPL3;sin(x)*cos(y);-3;3;-3;3;\r\n"));
    ASSERT_NE(parent, nullptr);
    parent->Roles().SetRole(examples::kRoleTrajectory, 4);
    examples::TFnListDlg* inventory = parent->InventoryDialog();
    ASSERT_NE(inventory, nullptr);
    EXPECT_EQ(inventory->GetText(examples::invent::kDerive), QStringLiteral("levels"));
    inventory->SetSelectedIndex(examples::invent::kList, 0);
    inventory->Press(examples::invent::kDerive);
    TLevelDlg* levels = parent->LevelDialog();
    ASSERT_NE(levels, nullptr);
    Type(*levels, "-0.6", "0.6", "0", "5");
    levels->Press(TLevelDlg::kAuto);
    TLevelWin* w = parent->LevelWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(prompter.messages.empty());
    levels->Press(TLevelDlg::kSeeAll);  // every level, not only the last one searched

    w->InvalidateImage(ImageLayer::Background);
    w->RenderImage(ImageLayer::Picture);
    const std::array<int, 5> perLevel =
        PixelsPerLevel(*w, {-0.6L, -0.3L, 0, 0.3L, 0.6L}, w->OutputColor(w->DrawColor(4)).rgb());
    for (const int count : perLevel) EXPECT_GT(count, 50);

    auto* host = dynamic_cast<platform::FrameWindow*>(w->window());
    ASSERT_NE(host, nullptr);
    for (const int id : {cmd::kGradient, cmd::kDirectionalDerivative})
        EXPECT_FALSE(host->QueryCommand(id).enabled);
    ASSERT_TRUE(host->QueryCommand(cmd::kMouseCursor).enabled);
    ASSERT_TRUE(host->DispatchCommand(cmd::kMouseCursor));
    EXPECT_EQ(w->MouseMode(), cmd::kMouseCursor);
    ASSERT_TRUE(host->DispatchCommand(cmd::kGradient));
    ASSERT_TRUE(host->DispatchCommand(cmd::kDirectionalDerivative));
    EXPECT_TRUE(w->GradientShown());
    EXPECT_TRUE(w->DirectionShown());
    EXPECT_FALSE(w->DirectionDialog()->IsHidden());

    // The right click opens "LAGPT" at the mouse point; Cancel leaves the cursor, OK moves it.
    QPoint click;
    ASSERT_TRUE(w->View().PointToScreen({1, -1}, click));
    const canvas::WorldPoint clicked = w->ScreenToWorld(click);
    const TCursorValues before = w->Cursor();
    QString shownX;
    int runs = 0;
    const auto answer = [&](const char* x, const char* y, int button) {
        return [&, x, y, button](platform::Dialog& d) {
            ++runs;
            EXPECT_EQ(d.TemplateName(), "LAGPT");
            EXPECT_FALSE(d.IsControlShown(canvas::TEditCoorDlg::kDelete));
            shownX = d.GetText(canvas::TEditCoorDlg::kX, ControlKind::Edit);
            d.SetText(canvas::TEditCoorDlg::kX, ControlKind::Edit, QString::fromLatin1(x));
            d.SetText(canvas::TEditCoorDlg::kY, ControlKind::Edit, QString::fromLatin1(y));
            return d.Press(button);
        };
    };
    {
        platform::ScopedDialogRunner runner(answer("2", "2", platform::kIdCancel));
        w->MouseDown({platform::MouseButton::Right, click});
    }
    EXPECT_EQ(shownX.toStdString(), w->Format().FormatNum(clicked.x));
    EXPECT_EQ(w->Cursor().x, before.x);
    EXPECT_EQ(w->Cursor().z, before.z);
    {
        platform::ScopedDialogRunner runner(answer("pi/2", "-pi/3", platform::kIdOk));
        w->MouseDown({platform::MouseButton::Right, click});
    }
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(w->Cursor().x, kPi / 2);
    EXPECT_EQ(w->Cursor().y, -kPi / 3);
    EXPECT_NEAR(static_cast<double>(w->Cursor().z), 0.5, 1e-15);
    EXPECT_NEAR(static_cast<double>(w->Cursor().gradient[1]), std::sqrt(3.0) / 2, 1e-15);
    CloseUnsaved(*parent);
}

TEST_F(LevelWindowTest, FiveThousandCurvesAreListedAndDeleted) {
    OpenAndPaste(win, "EXPL3;x^2+y^2;-2;2;-2;2;\r\n");
    win.RecomputeAllBoxes();
    examples::TExample& e = win.Inventory()[0];
    for (int k = 0; k < 5000; ++k) {
        examples::TTrajectory t;
        t.option1 = static_cast<std::uint16_t>(k % 5 == 0 ? 24 : 26);
        t.startX = k;
        e.trajectories.push_back(std::move(t));
    }
    TLevelDlg& d = Levels(0);
    ASSERT_EQ(d.ListedPositions().size(), 4000u);
    EXPECT_EQ(d.ItemCount(TLevelDlg::kList), 4000);
    EXPECT_EQ(d.ListedPositions().back(), 4999);
    d.SetSelectedIndex(TLevelDlg::kList, 3999);
    d.Press(T3DIvpDlg::kDeleteOne);
    ASSERT_EQ(e.trajectories.size(), 4999u);
    EXPECT_EQ(e.trajectories.back().startX, 4998);
    prompter.AnswerMessage(platform::kIdYes);
    d.Press(T3DIvpDlg::kDeleteAll);
    ASSERT_EQ(e.trajectories.size(), 1000u);  // the x curves stay
    EXPECT_TRUE(std::ranges::all_of(
        e.trajectories, [](const examples::TTrajectory& t) { return t.option1 == 24; }));
    d.Press(platform::kIdCancel);
    EXPECT_EQ(e.trajectories.size(), 5000u);
}

}  // namespace
}  // namespace quorlin::plot3d
