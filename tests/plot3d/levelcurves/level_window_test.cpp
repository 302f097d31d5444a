// The level-curve window, its launchers and its dialogs on a 3D window: levels searched by
// "auto" lie on the level set in the picture, the set-up of a shown level, the cursor point with
// its value, gradient and directional derivative, the cursor's curve that is not kept, the
// direction dialog's angles, typed or slid, the menu's items and what they do in the window, and
// the curve list's delete, keep and discard.
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "canvas/coordinate_dialog.h"
#include "examples/levels/inventory_dialog.h"
#include "examples/operations/inventory_panel.h"
#include "examples/records/equation_text.h"
#include "plot3d/levelcurves/direction_dialog.h"
#include "plot3d/levelcurves/level_dialog.h"
#include "plot3d/levelcurves/level_window.h"
#include "plot3d/plot3_fixture.h"
#include "resources/resources.h"
#include "shell/col_win.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;
using resources::ControlKind;
constexpr long double kPi = std::numbers::pi_v<long double>;

class LevelWindowTest : public Plot3WindowTest {
protected:
    LevelWindowTest() { QFile::remove(platform::ConfigFilePath(QStringLiteral("lev.ini"))); }
    ~LevelWindowTest() override { CloseUnsaved(win); }

    TLevelDlg& Levels(int i) {
        win.OpenLevelsDialog(i);
        EXPECT_NE(win.LevelDialog(), nullptr);
        return *win.LevelDialog();
    }
    static void Type(TLevelDlg& d, const char* low, const char* high, const char* current,
                     const char* count) {
        d.SetText(TLevelDlg::kLow, QString::fromLatin1(low));
        d.SetText(TLevelDlg::kHigh, QString::fromLatin1(high));
        d.SetText(TLevelDlg::kCurrent, QString::fromLatin1(current));
        d.SetText(TLevelDlg::kCount, QString::fromLatin1(count));
    }
    bool Enabled(TLevelWin& w, int id) {
        platform::CommandState state;
        state.id = id;
        w.EnableCommand(state);
        return state.enabled;
    }
    // The level window at level 1 of z = x^2 + y^2 over [-2, 2]^2.
    TLevelWin& LevelOneOfTheBowl() { return ShowBowlLevel(win, 1); }

    TLevelWin& CursorOn(long double level) {
        TLevelRequest r;
        r.example = 0;
        r.value = level;
        win.ShowLevel(r);
        TLevelWin& w = *win.LevelWindow();
        w.SendCommand(cmd::kMouseCursor);
        return w;
    }

    // z = x^2 + y^2 at level 2 in the level window, the cursor at (1, 2) with its direction
    // dialog shown.
    TLevelWin& DirectionAt12() {
        OpenAndPaste(win, "EXPL3;x^2+y^2;-3;3;-3;3;\r\n");
        win.RecomputeAllBoxes();
        TLevelWin& w = CursorOn(2);
        w.MoveCursorTo(1, 2);
        w.SendCommand(cmd::kDirectionalDerivative);
        return w;
    }

    TPlot3Win win{QStringLiteral("noname1.qz3")};
};

TEST_F(LevelWindowTest, AutoLevelsLieOnTheLevelSetInThePicture) {
    OpenAndPaste(win, "EXPL3;sin(x)*cos(y);-3;3;-3;3;\r\n");
    win.RecomputeAllBoxes();
    win.Roles().SetRole(examples::kRoleTrajectory, 4);  // red curves, apart from the axes
    TLevelDlg& d = Levels(0);
    EXPECT_FALSE(d.IsControlShown(TLevelDlg::kRadioX));  // only z for z = f(x, y)
    Type(d, "-0.6", "0.6", "0", "5");
    d.Press(TLevelDlg::kAuto);
    EXPECT_TRUE(prompter.messages.empty());
    TLevelWin* w = win.LevelWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(d.Values().current, 0.6L);
    const examples::TExample& e = win.Inventory()[0];
    ASSERT_FALSE(e.trajectories.empty());
    const long double levels[] = {-0.6L, -0.3L, 0, 0.3L, 0.6L};
    for (const examples::TTrajectory& t : e.trajectories) {
        EXPECT_EQ(t.option1, 26);
        EXPECT_NEAR(static_cast<double>(std::sin(t.startX) * std::cos(t.startY)),
                    static_cast<double>(t.startZ), 1e-3);
    }
    EXPECT_EQ(d.ListedPositions().size(), e.trajectories.size());

    // See all: every curve in the picture lies near a level.
    d.Press(TLevelDlg::kSeeAll);
    w->InvalidateImage(ImageLayer::Background);
    w->RenderImage(ImageLayer::Picture);
    const QImage image = w->Image(ImageLayer::Picture);
    const QRgb curve = w->OutputColor(w->DrawColor(e.trajectories.front().pen.colour)).rgb();
    const long double reach = 2 * w->View().unitsPerPixelX;
    int onCurves = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != curve) continue;
            const canvas::WorldPoint p = w->ScreenToWorld({x, y});
            const long double f = std::sin(p.x) * std::cos(p.y);
            long double nearest = 1;
            for (const long double c : levels) nearest = std::min(nearest, std::fabs(f - c));
            EXPECT_LE(nearest, reach) << x << "," << y;
            ++onCurves;
        }
    EXPECT_GT(onCurves, 200);
}

TEST_F(LevelWindowTest, AShownLevelSetsPairToleranceModeAndFlags) {
    OpenAndPaste(win, "EXPL3;x^2+3*y;-1;3;0;4;\r\n");
    win.RecomputeAllBoxes();
    const struct {
        int variable;
        bool search, currentOnly;
        int pair;
        long double tolerance;
        int mode;
    } rows[] = {
        {26, false, false, 3, Unbounded(), 128}, {26, false, true, 3, 0.01L, 125},
        {26, true, false, 3, 0.01L, 125},  // a search leaves the cursor mode too
        {25, false, false, 5, Unbounded(), 128}, {24, false, false, 6, Unbounded(), 128},
    };
    win.Format().places = 3;
    for (const auto& row : rows) {
        TLevelWin& w = CursorOn(0.5L);
        TLevelRequest r;
        r.example = 0;
        r.variable = row.variable;
        r.value = 1.25L;
        r.search = row.search;
        r.currentOnly = row.currentOnly;
        win.ShowLevel(r);
        EXPECT_EQ(w.PointMapping().plottedPair, row.pair) << row.variable;
        EXPECT_EQ(w.Level().variable, row.variable);
        EXPECT_EQ(w.Level().value, 1.25L);
        EXPECT_EQ(w.MouseMode(), row.mode);
        if (row.tolerance == Unbounded())
            EXPECT_EQ(w.Level().tolerance, Unbounded());
        else
            EXPECT_NEAR(static_cast<double>(w.Level().tolerance), 0.01, 1e-15);
    }
    // x levels of z = f(x, y) have no gradient.
    TLevelWin& w = CursorOn(0.5L);
    w.SendCommand(cmd::kGradient);
    w.SendCommand(cmd::kDirectionalDerivative);
    EXPECT_TRUE(w.GradientShown());
    EXPECT_TRUE(w.DirectionShown());
    TLevelRequest r;
    r.example = 0;
    r.variable = 24;
    win.ShowLevel(r);
    EXPECT_FALSE(w.GradientShown());
    EXPECT_FALSE(w.DirectionShown());
    EXPECT_FALSE(Enabled(w, cmd::kMouseCursor));
}

TEST_F(LevelWindowTest, CursorValuesAndTheCurveThatIsNotKept) {
    OpenAndPaste(win, "EXPL3;x^2+3*y;-1;3;0;4;\r\n");
    win.RecomputeAllBoxes();
    TLevelWin& w = CursorOn(7);
    EXPECT_TRUE(Enabled(w, cmd::kMouseCursor));
    EXPECT_TRUE(Enabled(w, cmd::kGradient));
    EXPECT_TRUE(Enabled(w, cmd::kDirectionalDerivative));
    int parentRedraws = 0;
    w.SetParentRedraw([&parentRedraws] { ++parentRedraws; });
    w.MoveCursorTo(1, 2);
    w.SetDirectionAngle(kPi / 3);
    EXPECT_EQ(parentRedraws, 1);
    EXPECT_EQ(w.Cursor().z, 7);
    EXPECT_EQ(w.Cursor().gradient[0], 2);
    EXPECT_EQ(w.Cursor().gradient[1], 3);
    EXPECT_EQ(w.Cursor().derivative, 2 * std::cos(kPi / 3) + 3 * std::sin(kPi / 3));

    // The curve through the cursor is drawn and not kept.
    w.SendCommand(cmd::kGradient);
    w.SendCommand(cmd::kDirectionalDerivative);
    ASSERT_NE(w.DirectionDialog(), nullptr);
    EXPECT_FALSE(w.DirectionDialog()->IsHidden());
    const auto vars = w.Formulas().vars;
    const std::size_t curves = win.Inventory()[0].trajectories.size();
    w.InvalidateImage(ImageLayer::Background);
    w.RenderImage(ImageLayer::Picture);
    EXPECT_EQ(win.Inventory()[0].trajectories.size(), curves);
    EXPECT_EQ(w.Formulas().vars.value, vars.value);
    // The cursor colour lies on the level x^2 + 3y = 7 near the cursor point.
    const QImage image = w.Image(ImageLayer::Picture);
    const QRgb cursor = w.OutputColor(w.DrawColor(w.Roles().Role(1))).rgb();
    QPoint at;
    ASSERT_TRUE(w.View().PointToScreen({0.5L, 2.25L}, at));
    bool found = false;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            found = found || image.pixel(at.x() + dx, at.y() + dy) == cursor;
    EXPECT_TRUE(found);
    w.SendCommand(cmd::kDirectionalDerivative);
    EXPECT_TRUE(w.DirectionDialog()->IsHidden());
}

// The window shows the surface as it is now: after an edit of its formula and after a change of
// a parameter it uses, the values at the cursor are the new ones and the picture is drawn again.
TEST_F(LevelWindowTest, TheCursorFollowsAnEditedSurfaceAndItsParameters) {
    OpenAndPaste(win, "EXPL3;x^2+3*y+B;-1;3;0;4;\r\n");
    win.RecomputeAllBoxes();
    TLevelWin& w = CursorOn(7);
    w.MoveCursorTo(1, 2);
    ASSERT_EQ(w.Cursor().z, 7);

    ASSERT_TRUE(win.SendCommand(cmd::kInventory));
    examples::TFnListDlg* inventory = win.InventoryDialog();
    ASSERT_NE(inventory, nullptr);
    inventory->FillList(0);
    w.RenderImage(ImageLayer::Picture);
    {
        platform::ScopedDialogRunner runner([](platform::Dialog& d) {
            d.SetText(213, QStringLiteral("5*x-y^3+B"));
            return d.Press(platform::kIdOk);
        });
        inventory->Press(examples::invent::kEdit);
    }
    EXPECT_EQ(w.Cursor().z, 5 - 8);
    EXPECT_EQ(w.Cursor().gradient[0], 5);
    EXPECT_EQ(w.Cursor().gradient[1], -12);
    EXPECT_FALSE(w.IsImageCurrent(ImageLayer::Background));

    w.RenderImage(ImageLayer::Picture);
    win.Formulas().SetVar(2, 2.5L);  // B
    win.ExampleChanged(2);
    EXPECT_EQ(w.Cursor().z, 5 - 8 + 2.5L);
    EXPECT_EQ(w.Cursor().gradient[0], 5);
    EXPECT_FALSE(w.IsImageCurrent(ImageLayer::Background));
}

TEST_F(LevelWindowTest, QStopsTheCursorCurveAndLeavesCurvesAndVariables) {
    OpenAndPaste(win, "EXPL3;x^2+3*y;-1;3;0;4;\r\n");
    win.RecomputeAllBoxes();
    TLevelWin& w = CursorOn(7);
    w.SetParentRedraw([] {});
    w.SizeChanged(321, 321);
    w.MoveCursorTo(1, 2);
    w.RenderImage(ImageLayer::Picture);
    ASSERT_EQ(w.Image(ImageLayer::Picture).size(), QSize(321, 321));
    const auto vars = w.Formulas().vars;
    const std::size_t curves = win.Inventory()[0].trajectories.size();
    // The trace asks its key poll at every step (put in here with no pacing): Q at the fifth.
    int asked = 0;
    w.SetTraceKeyPoll([&asked] { return ++asked == 5 ? kKeyStop : 'W'; },
                      TTimedPoll::Clock::duration::zero());
    QImage image(w.Image(ImageLayer::Picture).size(), QImage::Format_RGB32);
    platform::DeviceContext dc(image);
    EXPECT_EQ(w.DrawCursorLevelCurve(dc), 81);
    w.SetTraceKeyPoll({});
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(win.Inventory()[0].trajectories.size(), curves);
    EXPECT_EQ(w.Formulas().vars.value, vars.value);
    EXPECT_EQ(w.Roles().Role(examples::kRoleTrajectory),
              win.Roles().Role(examples::kRoleTrajectory));
}

TEST_F(LevelWindowTest, ASearchWithProgressCountsItsAttemptsInTheCaption) {
    OpenAndPaste(win, "EXPL3;x^2+y^2;-2;2;-2;2;\r\n");
    win.RecomputeAllBoxes();
    const struct {
        bool progress, printing;
        int counted;  // captions "press Q to quit k/25"
    } rows[] = {{true, false, 25}, {false, false, 0}, {true, true, 0}};
    for (const auto& row : rows) {
        TLevelRequest r;
        r.example = 0;
        r.value = 1.5L;
        r.currentOnly = true;
        win.ShowLevel(r);  // made and shown, nothing searched
        TLevelWin& w = *win.LevelWindow();
        std::vector<QString> captions;
        const QMetaObject::Connection c =
            QObject::connect(&w, &QWidget::windowTitleChanged,
                             [&captions](const QString& title) { captions.push_back(title); });
        w.Printing().printing = row.printing;
        r.search = true;
        r.progress = row.progress;
        win.ShowLevel(r);
        w.Printing().printing = false;
        QObject::disconnect(c);
        int counted = 0;
        for (const QString& caption : captions)
            if (caption == QStringLiteral("press Q to quit %1/25").arg(counted + 1)) ++counted;
        EXPECT_EQ(counted, row.counted) << row.progress << row.printing;
        EXPECT_EQ(w.windowTitle(), QStringLiteral("levels.qz3"));
        EXPECT_EQ(win.Inventory()[0].LevelSearch(), 0);
    }
}

// A search until Q counts thousands of attempts a second; the caption shows the count at the
// pace of the key polls, not at every attempt. A clock that moves 1 ms at each look and a Q at
// the 30th poll: 301 attempts, and a caption for each poll, not for each attempt.
TEST_F(LevelWindowTest, ASearchUntilQShowsItsCountAtThePaceOfThePolls) {
    OpenAndPaste(win, "EXPL3;x^2+y^2;-2;2;-2;2;\r\n");
    win.RecomputeAllBoxes();
    TLevelWin& levels = win.MadeLevelWindow();
    TTimedPoll::Clock::time_point clock{};
    int asked = 0;
    levels.SetLevelSearchPoll([&asked] { return ++asked == 30 ? kKeyStop : 0; },
                              std::chrono::milliseconds(20),
                              [&clock] {
                                  clock += std::chrono::milliseconds(1);
                                  return clock;
                              });
    TLevelRequest r;
    r.example = 0;
    r.value = 1.5L;
    r.currentOnly = true;
    win.ShowLevel(r);  // made and shown, nothing searched
    std::vector<QString> captions;
    const QMetaObject::Connection c =
        QObject::connect(&levels, &QWidget::windowTitleChanged,
                         [&captions](const QString& title) { captions.push_back(title); });
    r.search = r.progress = r.untilQ = true;
    win.ShowLevel(r);
    QObject::disconnect(c);
    levels.SetLevelSearchPoll({});
    EXPECT_EQ(asked, 30);
    // Each attempt looks at the clock twice (the caption's pace and the poll): a caption every
    // tenth attempt, 1, 11, ..., 301, where the 30th poll saw Q.
    std::vector<QString> counts;
    for (int k = 0; k <= 30; ++k)
        counts.push_back(QStringLiteral("press Q to quit %1").arg(10 * k + 1));
    ASSERT_EQ(captions.size(), counts.size() + 2);
    EXPECT_EQ(captions.front(), QStringLiteral("press Q to quit"));
    EXPECT_TRUE(std::equal(counts.begin(), counts.end(), captions.begin() + 1));
    EXPECT_EQ(levels.windowTitle(), QStringLiteral("levels.qz3"));
}

TEST_F(LevelWindowTest, TheDragStartsWithinSixPixelWidths) {
    OpenAndPaste(win, "EXPL3;x^2+3*y;-1;3;0;4;\r\n");
    win.RecomputeAllBoxes();
    TLevelWin& w = CursorOn(7);
    QPoint centre;
    ASSERT_TRUE(w.View().PointToScreen({w.Cursor().x, w.Cursor().y}, centre));
    const long double x0 = w.Cursor().x;
    platform::MouseEvent far{platform::MouseButton::Left, centre + QPoint(9, 0), true};
    w.MouseDown(far);
    platform::MouseEvent move{platform::MouseButton::None, centre + QPoint(20, 0), true};
    w.MouseMove(move);
    EXPECT_EQ(w.Cursor().x, x0);
    platform::MouseEvent near{platform::MouseButton::Left, centre + QPoint(4, 0), true};
    w.MouseDown(near);
    w.MouseMove(move);
    EXPECT_EQ(w.Cursor().x, w.ScreenToWorld(move.point).x);
    // A move without the button held ends the drag (its release was lost).
    platform::MouseEvent loose{platform::MouseButton::None, centre + QPoint(30, 0), false};
    w.MouseMove(loose);
    w.MouseMove(platform::MouseEvent{platform::MouseButton::None, centre + QPoint(40, 0), true});
    EXPECT_EQ(w.Cursor().x, w.ScreenToWorld(move.point).x);
}

TEST_F(LevelWindowTest, TheDirectionDialogTakesAnglesAsTypedOrSlid) {
    OpenAndPaste(win, "EXPL3;x^2+3*y;-1;3;0;4;\r\n");
    win.RecomputeAllBoxes();
    TLevelWin& w = CursorOn(7);
    TPctDlg& d = *w.DirectionDialog();
    const struct {
        const char* typed;
        long double angle;
    } rows[] = {{"7", 7 - 2 * kPi}, {"-1", 2 * kPi - 1}, {"pi/2", kPi / 2}, {"x+", kPi / 2}};
    for (const auto& row : rows) {
        d.SetText(TPctDlg::kValue, QString::fromLatin1(row.typed));
        d.Press(platform::kIdOk);
        EXPECT_NEAR(static_cast<double>(w.Angle()), static_cast<double>(row.angle), 1e-18)
            << row.typed;
    }
    EXPECT_EQ(prompter.messages.size(), 1u);  // the unreadable one
    EXPECT_EQ(d.GetText(TPctDlg::kValue), QStringLiteral("x+"));
    d.BarMoved(100);
    EXPECT_EQ(w.Angle(), AngleOfPosition(100, 100));
    EXPECT_EQ(w.Cursor().direction[0], std::cos(w.Angle()));
    // The bar's right end is a whole turn.
    const int units = static_cast<int>(
        w.SliderSteps().steps[static_cast<std::size_t>(examples::TSliderSteps::kCurveSlot)]);
    d.BarMoved(units);
    EXPECT_NEAR(static_cast<double>(w.Angle()), static_cast<double>(kFullTurn), 1e-15);
}

// Enter and the keypad's Enter in the angle field take the typed angle, brought into [0, 2 pi):
// on z = x^2 + y^2 at (1, 2), atan2(4,3) is the direction (3, 4)/5, along which the derivative
// is 2 * 3/5 + 4 * 4/5 = 22/5; the bar moves to the angle and the field keeps what was typed.
TEST_F(LevelWindowTest, EnterInTheAngleFieldTakesTheTypedDirection) {
    TLevelWin& w = DirectionAt12();
    TPctDlg& d = *w.DirectionDialog();
    const long double turn = std::atan2(4.0L, 3.0L);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* typed;
        long double angle, derivative;
    } rows[] = {
        {Qt::Key_Return, Qt::NoModifier, "atan2(4,3)", turn, 22.0L / 5},
        {Qt::Key_Enter, Qt::KeypadModifier, "atan2(4,3)+3*pi/2-6*pi", turn + 3 * kPi / 2,
         2 * 4.0L / 5 - 4 * 3.0L / 5},
        {Qt::Key_Enter, Qt::KeypadModifier, "-pi", kPi, -2},
    };
    const int units = static_cast<int>(
        w.SliderSteps().steps[static_cast<std::size_t>(examples::TSliderSteps::kCurveSlot)]);
    for (const auto& row : rows) {
        d.SetText(TPctDlg::kValue, QString::fromLatin1(row.typed));
        QKeyEvent press(QEvent::KeyPress, row.key, row.modifiers);
        QCoreApplication::sendEvent(d.Control(TPctDlg::kValue), &press);
        EXPECT_NEAR(static_cast<double>(w.Angle()), static_cast<double>(row.angle), 1e-15)
            << row.typed;
        EXPECT_NEAR(static_cast<double>(w.Cursor().derivative), static_cast<double>(row.derivative),
                    1e-15)
            << row.typed;
        EXPECT_EQ(d.ScrollPosition(TPctDlg::kBar), PositionOfAngle(w.Angle(), units)) << row.typed;
        EXPECT_EQ(d.GetText(TPctDlg::kValue), QString::fromLatin1(row.typed));
    }
    EXPECT_TRUE(prompter.messages.empty());
}

// "Scrollbar units ..." in the 3D window re-ranges the bar of the shown direction dialog: U
// positions a turn, the page step taken along, the thumb at the angle in the new units, and one
// step of the bar U-th of a turn. A hidden dialog keeps its bar and the level window's steps.
TEST_F(LevelWindowTest, ScrollbarUnitsReachTheShownDirectionDialog) {
    OpenAndPaste(win, "EXPL3;x^2+y^2;-1;3;-2;2;\r\n");
    win.RecomputeAllBoxes();
    TLevelWin& w = CursorOn(2);
    w.SendCommand(cmd::kDirectionalDerivative);
    TPctDlg& d = *w.DirectionDialog();
    ASSERT_FALSE(d.IsHidden());
    const auto answer = [](const char* steps, const char* pages) {
        return [steps, pages](platform::Dialog& dialog) {
            dialog.SetText(211, QString::fromLatin1(steps));
            dialog.SetText(212, QString::fromLatin1(pages));
            return dialog.Press(platform::kIdOk);
        };
    };
    const auto* bar = qobject_cast<QScrollBar*>(d.Control(TPctDlg::kBar));
    ASSERT_NE(bar, nullptr);
    const struct {
        const char* steps;
        const char* pages;
        int units, page, step;
    } rows[] = {{"1000", "4", 1000, 250, 3}, {"40", "8", 40, 5, 7}, {"7", "2", 7, 4, 5}};
    for (const auto& row : rows) {
        {
            platform::ScopedDialogRunner runner(answer(row.steps, row.pages));
            ASSERT_TRUE(win.SendCommand(cmd::kScrollbarUnits));
        }
        const long double angle = w.Angle();
        EXPECT_EQ(std::tuple(bar->maximum(), bar->pageStep()), std::tuple(row.units, row.page))
            << row.steps;
        EXPECT_EQ(d.ScrollPosition(TPctDlg::kBar), PositionOfAngle(angle, row.units)) << row.steps;
        EXPECT_EQ(w.Angle(), angle) << row.steps;  // re-ranging turns nothing
        EXPECT_EQ(w.SliderSteps().steps[0], static_cast<std::uint32_t>(row.units)) << row.steps;
        d.BarMoved(row.step);
        EXPECT_NEAR(static_cast<double>(w.Angle()),
                    static_cast<double>(row.step * 2 * kPi / row.units), 1e-15)
            << row.steps;
    }
    w.SendCommand(cmd::kDirectionalDerivative);
    ASSERT_TRUE(d.IsHidden());
    platform::ScopedDialogRunner runner(answer("300", "3"));
    ASSERT_TRUE(win.SendCommand(cmd::kScrollbarUnits));
    EXPECT_EQ(bar->maximum(), 7);
    EXPECT_EQ(w.SliderSteps().steps[static_cast<std::size_t>(TPctDlg::kStepsSlot)], 7u);
    EXPECT_EQ(w.SliderSteps().steps[0], 7u);
}

// The items of a popup of the level window's menu, by the popup's path.
std::vector<const resources::MenuItemTemplate*> PopupItems(std::vector<std::string_view> path) {
    std::vector<const resources::MenuItemTemplate*> items;
    std::vector<std::string_view> open;
    for (const auto& item : resources::FindMenu("LEVELMENU")->items) {
        using Kind = resources::MenuItemTemplate::Kind;
        if (item.kind == Kind::Popup) {
            open.push_back(item.text);
        } else if (item.kind == Kind::EndPopup) {
            open.pop_back();
        } else if (item.kind == Kind::Command && open == path) {
            items.push_back(&item);
        }
    }
    return items;
}

// The level window's Axes, Shift, Gridlines and Fonts popups hold their items in their order;
// the axes colour and label font, the grid-line colour and the three fonts work in the window,
// and the items it does not handle yet show disabled under their numbers.
TEST_F(LevelWindowTest, TheMenuHoldsTheAxesShiftGridlinesAndFontsItems) {
    const struct {
        std::vector<std::string_view> path;
        std::vector<int> ids;
    } popups[] = {
        {{"&View", "&Axes"}, {109, 203, 100, 101, 102, 65, 220, 110}},
        {{"&View", "S&hift"}, {323, 322, 325, 324, 321}},
        {{"&View", "G&ridlines"}, {210, 150, 151}},
        {{"&Misc", "&Fonts"}, {68, 61, 92, 73, 66}},
    };
    const std::set<int> built = {109, 203, 65, 210, 68, 61, 66};
    TLevelWin& w = LevelOneOfTheBowl();
    for (const auto& popup : popups) {
        const auto items = PopupItems(popup.path);
        ASSERT_EQ(items.size(), popup.ids.size()) << popup.path.back();
        for (std::size_t n = 0; n < items.size(); ++n) {
            const int id = items[n]->id;
            EXPECT_EQ(id, popup.ids[n]) << popup.path.back() << " " << n;
            EXPECT_EQ(w.QueryCommand(id).enabled, built.contains(id)) << id;
            if (!built.contains(id)) EXPECT_EQ(items[n]->text, "Item " + std::to_string(id));
        }
    }
}

// What the built items do in the level window: Axes shows and hides the axes, the two colours
// are the ones the axes and the grid lines are drawn in, and each font item chooses its font.
TEST_F(LevelWindowTest, TheAxesGridlinesAndFontsItemsActOnTheLevelWindow) {
    TLevelWin& w = LevelOneOfTheBowl();
    w.SizeChanged(321, 241);
    w.RecomputeView();
    w.Axes().gridFlags |= canvas::kGridRectangular;
    const auto shown = w.Axes().axesShown;
    ASSERT_TRUE(w.SendCommand(cmd::kAxes));
    EXPECT_EQ(w.Axes().axesShown, !shown);
    ASSERT_TRUE(w.SendCommand(cmd::kAxes));
    EXPECT_EQ(w.Axes().axesShown, shown);

    // Each colour item opens the palette on its role; the role's lines take the chosen colour.
    const struct {
        int command, role, caption, index;
        canvas::WorldPoint onLine;
    } colours[] = {
        {cmd::kColorAxes, 3, 105, 37, {1.5L, 0}},        // the x axis between two ticks
        {cmd::kColorGridLines, 10, 112, 41, {1, 1.5L}},  // a vertical grid line
    };
    for (const auto& row : colours) {
        ASSERT_TRUE(w.SendCommand(row.command)) << row.command;
        TColWin* palette = w.PaletteWindow();
        ASSERT_NE(palette, nullptr);
        EXPECT_EQ(palette->Caption(), resources::LoadString(row.caption));
        palette->Choose(row.index);
        EXPECT_EQ(w.Roles().Role(row.role), row.index);
        w.InvalidateImage(ImageLayer::Background);
        w.RenderImage(ImageLayer::Picture);
        QPoint at;
        ASSERT_TRUE(w.View().PointToScreen(row.onLine, at));
        EXPECT_EQ(w.Image(ImageLayer::Picture).pixel(at),
                  w.OutputColor(w.DrawColor(static_cast<std::int16_t>(row.index))).rgb())
            << row.command;
    }

    // Each font item chooses its font, under the font's own caption.
    const struct {
        int command, font, caption, pointSize;
    } fonts[] = {
        {cmd::kFontAxisLabels, 5, 118, 17},
        {cmd::kFontAxisScale, 1, 115, 13},
        {cmd::kFontTables, 6, 119, 21},
    };
    for (const auto& row : fonts) {
        platform::FontChoice answer;
        answer.font.faceName = QStringLiteral("Serif");
        answer.pointSizeTenths = row.pointSize * 10;
        dialogs.fontAnswers.push_back(answer);
        ASSERT_TRUE(w.SendCommand(row.command)) << row.command;
        ASSERT_FALSE(dialogs.fontCaptions.empty());
        EXPECT_EQ(dialogs.fontCaptions.back(), resources::LoadString(row.caption));
        EXPECT_EQ(w.Fonts().PointSize(row.font), row.pointSize) << row.command;
    }
}

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
