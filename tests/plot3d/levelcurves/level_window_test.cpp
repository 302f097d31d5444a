// The level-curve window, its launchers and its dialogs on a 3D window: levels searched by
// "auto" lie on the level set in the picture, the set-up of a shown level, the cursor point with
// its value, gradient and directional derivative, the cursor's curve that is not kept, the
// direction dialog's angles, typed or slid, and the menu's items and what they do in the window.
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <set>
#include <tuple>
#include <vector>

#include "examples/levels/inventory_dialog.h"
#include "plot3d/levelcurves/direction_dialog.h"
#include "plot3d/levelcurves/level_window_fixture.h"
#include "resources/resources.h"
#include "shell/col_win.h"

namespace quorlin::plot3d {
namespace {

using LevelWindowTest = LevelWindowFixture;

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

}  // namespace
}  // namespace quorlin::plot3d
