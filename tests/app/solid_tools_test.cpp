// The solid tools of a 2D window with their 3D windows made as the program makes them: a
// section solid over ends tied to parameters (the high end negative) sets those parameters in
// "sections.qz3" and follows them; its window hidden by its own "Close" comes back with the next
// solid, and hides with the 2D window; the surface of revolution over an angle stop tied to K
// links K in "surfrev.qz3", an angle over a turn is cut to one, one under 1e-16 is refused;
// "see arc" marks only the arc on the 2D picture; typing in a field clears the volume, and in an
// arc end the marked arc, read from its former text. (What the solids stand on: the letters
// and user functions they carry, solid_values_test.cpp.)
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/errors.h"
#include "platform/frame_window.h"
#include "platform/strings.h"
#include "solid_tools_fixture.h"
#include "support/typing.h"

namespace quorlin {
namespace {

using solid_testing::SolidToolsTest;
namespace cmd = resources::cmd;
namespace k = examples::kind;
using examples::TNumber;
using quorlin::testing::TypeOver;
using tools2d::TSectionDlg;
using tools2d::TSurfDlg;
constexpr long double kTwoPi = 2 * std::numbers::pi_v<long double>;
constexpr int kK = 11;
constexpr int kM = 13;

TEST_F(SolidToolsTest, ASolidOverEndsTiedToLettersFollowsThemAndAccumulates) {
    // Where x < 0, y = 0 lies above y = x.
    TSectionDlg& d = Sections();
    d.SelectPosition(1);
    d.ChooseSecond(0);
    d.SetText(TSectionDlg::kLow, QStringLiteral("-1@K"));
    d.SetText(TSectionDlg::kHigh, QStringLiteral("-0.25@M"));
    d.Press(TSectionDlg::kFirstShape + 2);  // semicircles
    d.Press(TSectionDlg::kSeeSolid);
    ASSERT_TRUE(prompter.messages.empty());
    EXPECT_EQ(win.Tools().sectionLowLetter, kK);
    EXPECT_EQ(win.Tools().sectionHighLetter, kM);
    plot3d::TPlotSWin* space = Space(Solids().SectionWindow());
    ASSERT_NE(space, nullptr);
    ASSERT_EQ(space->Inventory().Count(), 2);  // the floor and the half round
    FormulaContext& f = space->Formulas();
    EXPECT_EQ(std::tuple(f.Var(kK), f.params.left[kK], f.params.right[kK]),
              std::tuple(-1.0L, -1.0L, -0.25L));
    EXPECT_EQ(std::tuple(f.Var(kM), f.params.left[kM], f.params.right[kM]),
              std::tuple(-0.25L, -1.0L, -0.25L));
    // At u = 1 the solid stands at x = M, its radius half of x's width there.
    Vec3 p;
    ASSERT_TRUE(space->EvalEntryPoint(1, p, std::numbers::pi_v<long double> / 2, 1));
    EXPECT_NEAR(static_cast<double>(p.x), -0.25, 1e-15);
    EXPECT_NEAR(static_cast<double>(p.z), 0.125, 1e-15);
    f.SetVar(kM, -0.5L);  // the slider of M moves the solid's end
    ASSERT_TRUE(space->EvalEntryPoint(1, p, std::numbers::pi_v<long double> / 2, 1));
    EXPECT_NEAR(static_cast<double>(p.x), -0.5, 1e-15);

    // Its own "Close" hides it; the next solid shows it again beside the first.
    ASSERT_TRUE(space->HostFrame()->DispatchCommand(cmd::kClose));
    EXPECT_TRUE(space->platform::Window::IsHidden());
    d.SetText(TSectionDlg::kLow, QStringLiteral("0"));
    d.SetText(TSectionDlg::kHigh, QStringLiteral("1"));
    d.Press(TSectionDlg::kSeeSolid);
    EXPECT_EQ(Space(Solids().SectionWindow()), space);
    EXPECT_FALSE(space->platform::Window::IsHidden());
    EXPECT_EQ(space->Inventory().Count(), 4);  // the second solid beside the first
    // It hides with the 2D window.
    win.HideWindow();
    EXPECT_TRUE(space->platform::Window::IsHidden());
}

// Either solid window closed by its own "Close" keeps what it holds: the next request shows it
// again and adds beside it.
TEST_F(SolidToolsTest, AClosedSolidWindowComesBackWithItsSolids) {
    struct Row {
        bool sections;
        int each;  // examples a request adds
    };
    for (const Row& row : {Row{true, 2}, Row{false, 1}}) {
        SCOPED_TRACE(row.sections);
        const auto request = [&] {
            if (!row.sections) return static_cast<void>(Revolve("0", "3"));
            TSectionDlg& d = Sections();
            d.SetText(TSectionDlg::kLow, QStringLiteral("0.5"));
            d.SetText(TSectionDlg::kHigh, QStringLiteral("2"));
            d.Press(TSectionDlg::kFirstShape + 2);  // semicircles: the floor and the half round
            d.Press(TSectionDlg::kSeeSolid);
        };
        request();
        examples::TSolidWindow* solid =
            row.sections ? Solids().SectionWindow() : Solids().SurfaceWindow();
        plot3d::TPlotSWin* space = Space(solid);
        ASSERT_NE(space, nullptr);
        ASSERT_EQ(space->Inventory().Count(), row.each);
        ASSERT_TRUE(space->HostFrame()->DispatchCommand(cmd::kClose));
        EXPECT_TRUE(space->platform::Window::IsHidden());
        EXPECT_EQ(space->Inventory().Count(), row.each);
        request();
        EXPECT_FALSE(space->platform::Window::IsHidden());
        EXPECT_EQ(space->Inventory().Count(), 2 * row.each);
        EXPECT_TRUE(prompter.messages.empty());
    }
}

TEST_F(SolidToolsTest, TheAngleStopTiedToKLinksKInTheSurfacesWindow) {
    Revolve("0.5", "6.2832@K");
    ASSERT_TRUE(prompter.messages.empty());
    plot3d::TPlotSWin* space = Space(Solids().SurfaceWindow());
    ASSERT_NE(space, nullptr);
    ASSERT_EQ(space->Inventory().Count(), 1);
    const examples::TExample& e = space->Inventory()[0];
    EXPECT_EQ(e.Number(TNumber::kSecondLetterPair), kK * 100);
    EXPECT_EQ(e.Number(TNumber::kSecondHigh), 6.2832L);
    EXPECT_EQ(space->Formulas().Var(kK), 6.2832L);
    EXPECT_EQ(space->Formulas().params.left[kK], 0.5L);
    EXPECT_EQ(space->Formulas().params.right[kK], 6.2832L);
    // y = x about the x-axis: at arc 0.75 the circle of radius 0.75.
    for (const long double u : {0.0L, 0.3L, 1.0L}) {
        Vec3 p;
        ASSERT_TRUE(space->EvalEntryPoint(0, p, 0.75L, u));
        EXPECT_NEAR(static_cast<double>(p.x), 0.75, 1e-15);
        EXPECT_NEAR(static_cast<double>(std::hypot(p.y, p.z)), 0.75, 1e-15);
        const long double angle = 0.5L + u * (6.2832L - 0.5L);
        EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(0.75L * std::cos(angle)), 1e-15);
    }
    // More than a turn is one turn; less than 1e-16 is refused.
    Revolve("1", "9");
    ASSERT_EQ(space->Inventory().Count(), 2);
    EXPECT_EQ(space->Inventory()[1].Number(TNumber::kSecondHigh), 1 + kTwoPi);
    EXPECT_EQ(win.Tools().revolutionUHigh, 1 + kTwoPi);
    Revolve("1", "1.00000000000000000001");
    EXPECT_EQ(space->Inventory().Count(), 2);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].error);
    EXPECT_EQ(prompter.messages[0].text,
              platform::ResourceString(platform::kErrorStringBase + kErrInconsistentData));
}

TEST_F(SolidToolsTest, SeeArcMarksTheArcAlone) {
    const auto picture = [this] {
        win.InvalidateImage(ImageLayer::Background);
        win.RenderImage(ImageLayer::Picture);
        return win.Image(ImageLayer::Picture).copy();
    };
    ASSERT_TRUE(win.SendCommand(cmd::kSurfaceOfRevolution));
    TSurfDlg& d = *Solids().Surfaces();
    d.SelectPosition(0);
    const QImage before = picture();
    d.SetText(TSurfDlg::kArcStart, QStringLiteral("-1"));
    d.SetText(TSurfDlg::kArcStop, QStringLiteral("2"));
    d.Press(TSurfDlg::kSeeArc);
    EXPECT_TRUE(d.ArcShown());
    const QImage marked = picture();
    int changed = 0;
    for (int y = 0; y < marked.height(); ++y)
        for (int x = 0; x < marked.width(); ++x) {
            if (marked.pixel(x, y) == before.pixel(x, y)) continue;
            ++changed;
            const long double wx = win.ScreenToWorld({x, y}).x;
            EXPECT_TRUE(wx > -1.1L && wx < 2.1L) << x << " " << y;
        }
    EXPECT_GT(changed, 3 * win.XToScreen(2) - 3 * win.XToScreen(-1) - 20);
    // A new selection leaves it.
    d.SelectPosition(1);
    EXPECT_FALSE(d.ArcShown());
    EXPECT_EQ(picture(), before);
}

// Squares on the strips between y = x and y = 0 over [0, 3]: the volume is the integral of x^2,
// 9, which the parabolic sum gives exactly. Whatever field the user types in, the volume shown
// goes; pressed again, it is the volume of what the fields now hold.
TEST_F(SolidToolsTest, TypingInAnyFieldClearsTheVolumeItWasComputedFrom) {
    struct Row {
        int field;
        const char* typed;
        const char* volume;  // then, of the typed text: x^3 / 3 between the ends
    };
    const Row rows[] = {
        {TSectionDlg::kLow, "0.5", "8.9583"},     {TSectionDlg::kHigh, "2", "2.6667"},
        {TSectionDlg::kHeight, "7", "9.0000"},    {TSectionDlg::kXSections, "30", "9.0000"},
        {TSectionDlg::kZSections, "3", "9.0000"}, {TSectionDlg::kSubintervals, "12", "9.0000"},
    };
    TSectionDlg& d = Sections();
    for (const Row& row : rows) {
        d.SetText(TSectionDlg::kLow, QStringLiteral("0"));
        d.SetText(TSectionDlg::kHigh, QStringLiteral("3"));
        d.SetText(TSectionDlg::kSubintervals, QStringLiteral("10"));
        d.Press(TSectionDlg::kVolume);
        ASSERT_EQ(d.GetText(TSectionDlg::kResult), QStringLiteral("9.0000")) << row.field;
        TypeOver(d, row.field, row.typed);
        EXPECT_EQ(d.GetText(TSectionDlg::kResult), QString()) << row.field;
        d.Press(TSectionDlg::kVolume);
        EXPECT_EQ(d.GetText(TSectionDlg::kResult), QString::fromLatin1(row.volume)) << row.field;
    }
    EXPECT_TRUE(prompter.messages.empty());
}

// The marked arc is that of the arc's ends: typing in either unmarks it, typing in the angle's
// or the axis's fields leaves it.
TEST_F(SolidToolsTest, TypingInAnArcEndUnmarksTheArc) {
    const std::pair<int, bool> rows[] = {{TSurfDlg::kArcStart, false},
                                         {TSurfDlg::kArcStop, false},
                                         {TSurfDlg::kAngleStop, true},
                                         {TSurfDlg::kA, true},
                                         {TSurfDlg::kC, true}};
    ASSERT_TRUE(win.SendCommand(cmd::kSurfaceOfRevolution));
    TSurfDlg& d = *Solids().Surfaces();
    d.SelectPosition(0);
    for (const auto& [field, kept] : rows) {
        d.SetText(TSurfDlg::kArcStart, QStringLiteral("-1"));
        d.SetText(TSurfDlg::kArcStop, QStringLiteral("2"));
        d.Press(TSurfDlg::kSeeArc);
        ASSERT_TRUE(d.ArcShown()) << field;
        TypeOver(d, field, "0.5");
        EXPECT_EQ(d.ArcShown(), kept) << field;
    }
}

// The two 3D windows share their ini file's place: "surfrev.qz3" opens a caption and a menu
// right of and below "sections.qz3", whichever opens first, and both keep their size.
TEST_F(SolidToolsTest, TheSurfacesWindowOpensACascadeStepFromTheSectionsWindow) {
    const auto outer = [this](examples::TSolidWindow* w) {
        plot3d::TPlotSWin* space = Space(w);
        return space ? space->OuterWidget()->geometry() : QRect();
    };
    Revolve("0", "3");
    TSectionDlg& d = Sections();
    d.Press(TSectionDlg::kSeeSolid);
    ASSERT_TRUE(prompter.messages.empty());
    const QRect sections = outer(Solids().SectionWindow());
    const QRect surfaces = outer(Solids().SurfaceWindow());
    ASSERT_FALSE(sections.isEmpty());
    const int step = plot3d::TPlotSWin::DialogRow();
    EXPECT_EQ(surfaces.topLeft() - sections.topLeft(), QPoint(step, step));
    EXPECT_EQ(surfaces.size(), sections.size());
}

}  // namespace
}  // namespace quorlin
