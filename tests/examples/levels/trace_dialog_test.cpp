// The curve slider through a 2D window and a 3D test window: its bar and parameter field, the
// readouts, secants from the base point, the Taylor and tangent entries with a parameter centre,
// the curve going away while the slider is open, and "Scrollbar units".
#include "examples/levels/trace_dialog.h"

#include <cmath>
#include <numbers>

#include "examples/levels/slide_dialog.h"
#include "examples/plot_test_window.h"
#include "support/all_near.h"

namespace quorlin::examples {
namespace {

namespace cmd = resources::cmd;
using platform::Notification;
using quorlin::testing::AllNear;

// A 3D window of the shared levels with the 3D curve slider.
class Space3DWin : public TPlot111Win {
public:
    Space3DWin() : TPlot111Win(961, QStringLiteral("noname1.qz3"), QStringLiteral("t3.ini"), 3) {}
    void OpenTrace() override { ShowCurveSlider("TRACE3", kinds); }
    static constexpr int kinds[] = {304, 325};
};

class TraceDialogTest : public quorlin::testing::PlotWindowTest {
protected:
    TTraceDlg& Open() {
        EXPECT_TRUE(win.SendCommand(cmd::kTraceSlider));
        return *win.CurveSlider();
    }
    // Moves the bar as the user does.
    static void Scroll(TTraceDlg& d, int position) {
        d.SetScrollPosition(TTraceDlg::kBar, position);
        d.OnNotify(TTraceDlg::kBar, Notification::Scrolled);
    }
    static std::string Text(const TTraceDlg& d, int id) { return d.GetText(id).toStdString(); }
};

TEST_F(TraceDialogTest, CurveSliderCases) {
    Paste("EXPL2;x^2;LOCK;-2;2;");
    TTraceDlg& d = Open();
    // The bar starts in the middle of the range; the readouts follow the cursor.
    EXPECT_EQ(d.ScrollPosition(TTraceDlg::kBar), 50);
    EXPECT_EQ(Text(d, TTraceDlg::kParameterLabel), "x =");
    EXPECT_EQ(Text(d, TTraceDlg::kPositionReadout), "y = 0.0000\r\n");

    struct Step {
        const char* typed;  // into the parameter field, or null
        int press;          // the button pressed, or a bar position when scroll is set
        bool scroll;
        int bar;               // the bar afterwards
        const char* position;  // readout 232
        const char* vectors;   // readout 233
        const char* error;     // the error box, or null
    };
    const Step steps[] = {
        {"-2", 1, false, 0, "y = 4.0000\r\n", "", nullptr},  // the low end by Enter
        {"3", 1, false, 0, "y = 4.0000\r\n", "", "out of bounds"},
        {"0", 1, false, 50, "y = 0.0000\r\n", "", nullptr},
        {nullptr, TTraceDlg::kTangents, false, 50, "y = 0.0000\r\n",
         "slope: 0.0000\r\ncurvature: 2.0000", nullptr},
        {nullptr, TTraceDlg::kTangents, false, 50, "y = 0.0000\r\n", "", nullptr},
        // Secants start at the cursor: undefined until the cursor moves away.
        {nullptr, TTraceDlg::kSecants, false, 50, "y = 0.0000\r\n", "slope: undefined", nullptr},
        {nullptr, 75, true, 75, "y = 1.0000\r\n", "slope: 1.0000", nullptr},
        {nullptr, TTraceDlg::kBasePoint, false, 75, "y = 1.0000\r\n", "slope: undefined", nullptr},
        {nullptr, 100, true, 100, "y = 4.0000\r\n", "slope: 3.0000", nullptr}};
    for (const Step& s : steps) {
        prompter.messages.clear();
        if (s.typed) d.SetText(TTraceDlg::kParameter, QString::fromLatin1(s.typed));
        if (s.scroll)
            Scroll(d, s.press);
        else
            d.Press(s.press);
        const std::string what = s.typed ? s.typed : std::to_string(s.press);
        EXPECT_EQ(d.ScrollPosition(TTraceDlg::kBar), s.bar) << what;
        EXPECT_EQ(Text(d, TTraceDlg::kPositionReadout), s.position) << what;
        EXPECT_EQ(Text(d, TTraceDlg::kVectorReadout), s.vectors) << what;
        EXPECT_EQ(Errors(), s.error ? std::vector<QString>{QString::fromLatin1(s.error)}
                                    : std::vector<QString>{})
            << what;
    }
    // The painters draw the cursor and the secant over the curve.
    EXPECT_TRUE(d.Cursor().positionDefined);
    win.Repaint();
}

TEST_F(TraceDialogTest, TaylorAtAParameterSetsItOpensItsSliderAndFollowsIt) {
    Paste("EXPL2;x^2;LOCK;-2;2;");
    TTraceDlg& d = Open();
    d.SetText(TTraceDlg::kParameter, QStringLiteral("0.5@A"));
    d.Press(TTraceDlg::kTaylor);
    EXPECT_EQ(win.Formulas().Var(1), 0.5L);
    ASSERT_TRUE(win.ParamDialog(1) && !win.ParamDialog(1)->IsHidden());
    ASSERT_EQ(win.Inventory().Count(), 2);
    const TExample& t = win.Inventory()[1];  // (its closed form is the tangents' test)
    EXPECT_EQ(std::tuple(t.derivation, t.derivationParam, t.Text(4)),
              std::tuple(derived::kTaylor, 1, "A"));
    // The cursor went with the bar: the readouts tell of the polynomial's point.
    EXPECT_EQ(std::tuple(d.ScrollPosition(TTraceDlg::kBar), d.Cursor().parameter,
                         Text(d, TTraceDlg::kPositionReadout)),
              std::tuple(63, 0.5L, "y = 0.2500\r\n"));
    // A degree of 3 from the combo box; the slider still shows the curve it had.
    d.SetSelectedIndex(TTraceDlg::kDegree, 3);
    d.OnNotify(TTraceDlg::kDegree, Notification::SelectionChanged);
    d.SetText(TTraceDlg::kParameter, QStringLiteral("1"));
    d.Press(TTraceDlg::kTaylor);
    ASSERT_EQ(win.Inventory().Count(), 3);
    EXPECT_EQ(std::tuple(win.Inventory()[2].derivationParam, d.SelectedExample()),
              std::tuple(3, 0));
    // A mark point on the curve.
    d.SetText(TTraceDlg::kParameter, QStringLiteral("-1"));
    d.Press(TTraceDlg::kMarkPoint);
    ASSERT_EQ(win.Inventory().Count(), 4);
    // Each new entry has its label.
    EXPECT_EQ(std::tuple(win.Inventory()[3].kind, win.Inventory()[3].derivation,
                         win.EquationLabels().Count()),
              std::tuple(kind::kPoint, derived::kMarkedPoint, 4));
}

TEST_F(TraceDialogTest, ParametricCurveReadoutsAndItsTangentLine) {
    Paste("PARAM2;2*cos(t);2*sin(t);0;2*pi;");
    TTraceDlg& d = Open();
    EXPECT_EQ(Text(d, TTraceDlg::kParameterLabel), "t =");
    d.SetText(TTraceDlg::kParameter, QStringLiteral("pi/2"));
    d.Press(platform::kIdOk);
    d.Press(TTraceDlg::kTangents);
    // (The C formats show the sign of a rounding error's zero, as the readouts do.)
    EXPECT_EQ(Text(d, TTraceDlg::kPositionReadout), "x = -0.0000\r\ny = 2.0000\r\n");
    EXPECT_EQ(Text(d, TTraceDlg::kVectorReadout),
              "velocity: [ -2.0000 , -0.0000 ]\r\nspeed: 2.0000\r\ncurvature: 0.5000");
    // The velocity is drawn from the cursor (0, 2) to (-2, 2), in the cursor's colour.
    const QRgb cursor = win.OutputColor(win.DrawColor(win.Roles().Role(1))).rgb();
    EXPECT_EQ(Picture().pixel(win.XToScreen(-1), win.YToScreen(2)), cursor);
    // "Taylor approx" on a parametric curve adds its tangent line there.
    d.Press(TTraceDlg::kTaylor);
    ASSERT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(win.Inventory()[1].derivation, derived::kTangentLine);
}

// A curve compiled past its work budget is traced without derivatives: its position shows, its
// slope and curvature read undefined, and its Taylor polynomial is refused with the reason.
TEST_F(TraceDialogTest, ACurveWithoutDerivativesShowsWhatItCanAndRefusesItsTaylorPolynomial) {
    Paste("EXPL2;DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2));");
    ASSERT_EQ(std::tuple(Errors().size(), win.Inventory().Count()), std::tuple(0u, 1));
    ASSERT_TRUE(win.Inventory()[0].overBudget);
    TTraceDlg& d = Open();
    d.SetText(TTraceDlg::kParameter, QStringLiteral("0.5"));
    d.Press(platform::kIdOk);
    d.Press(TTraceDlg::kTangents);
    EXPECT_TRUE(Text(d, TTraceDlg::kPositionReadout).starts_with("y = "));
    EXPECT_EQ(Text(d, TTraceDlg::kPositionReadout).find("undefined"), std::string::npos);
    EXPECT_EQ(Text(d, TTraceDlg::kVectorReadout), "slope: undefined\r\ncurvature: undefined");
    d.Press(TTraceDlg::kTaylor);
    EXPECT_EQ(Errors(), std::vector<QString>{QStringLiteral("formula too long")});
    EXPECT_EQ(win.Inventory().Count(), 1);
}

TEST_F(TraceDialogTest, TheCurveGoingAwayLeavesTheSliderWithoutIt) {
    Paste("EXPL2;x;EXPL2;x^2;LOCK;-2;2;");
    TTraceDlg& d = Open();
    d.SelectPosition(1);
    d.Press(TTraceDlg::kTangents);
    // An example before it goes: the slider and its cursor follow the curve to its new index.
    const int first[] = {0};
    win.DeleteExamples(first);
    Scroll(d, 100);
    EXPECT_EQ(std::tuple(d.SelectedExample(), Text(d, TTraceDlg::kPositionReadout)),
              std::tuple(0, "y = 4.0000\r\n"));
    // Its curve goes: nothing is selected, nothing is drawn, the controls wait for a curve.
    const int curve[] = {0};
    win.DeleteExamples(curve);
    win.InventoryChanged(0);
    EXPECT_EQ(std::tuple(d.SelectedExample(), d.IsControlEnabled(TTraceDlg::kBar),
                         d.IsControlEnabled(TTraceDlg::kTaylor)),
              std::tuple(-1, false, false));
    Scroll(d, 10);
    d.Press(TTraceDlg::kTaylor);
    d.Press(TTraceDlg::kMarkPoint);
    d.Press(platform::kIdOk);
    Picture();
    EXPECT_EQ(win.Inventory().Count(), 0);
    // A new curve is chosen again from the list.
    Paste("EXPL2;x^3;LOCK;-1;1;");
    EXPECT_EQ(d.SelectedExample(), -1);
    d.SelectPosition(0);
    EXPECT_EQ(std::tuple(d.SelectedExample(), d.IsControlEnabled(TTraceDlg::kBar)),
              std::tuple(0, true));
}

TEST_F(TraceDialogTest, EditingTheCurveRedrawsTheCursorAndTangentWhereTheyAreNow) {
    Paste("EXPL2;x^2-2;LOCK;-2;2;");
    TTraceDlg& d = Open();
    d.SetText(TTraceDlg::kParameter, QStringLiteral("1"));
    d.Press(platform::kIdOk);
    d.Press(TTraceDlg::kTangents);
    Picture();
    {
        platform::ScopedDialogRunner edit([](platform::Dialog& dialog) {
            dialog.SetText(212, "x^2-3");
            return dialog.Press(1);
        });
        ASSERT_TRUE(win.EditExample(0, false));
    }
    EXPECT_EQ(std::tuple(d.Cursor().parameter, Text(d, TTraceDlg::kPositionReadout)),
              std::tuple(1.0L, "y = -2.0000\r\n"));
    // What a paint shows: the picture layer, drawn again only when it is stale.
    if (!win.IsImageCurrent(ImageLayer::Picture)) win.RenderImage(ImageLayer::Picture);
    const QImage shown = win.Image(ImageLayer::Picture);
    const QImage fresh = Picture();
    EXPECT_TRUE(shown == fresh);  // no cursor or tangent left at (1, -1)
}

TEST_F(TraceDialogTest, ScrollbarUnitsSetTheSlidersStepsAndOkWithoutChangesKeepsThem) {
    Paste("EXPL2;x^2;LOCK;-2;2;");
    TTraceDlg& d = Open();
    d.SetText(TTraceDlg::kParameter, QStringLiteral("1"));
    d.Press(platform::kIdOk);
    ASSERT_EQ(d.ScrollPosition(TTraceDlg::kBar), 75);
    const auto calibrate = [&](const char* small, const char* medium) {
        platform::ScopedDialogRunner runner([&](platform::Dialog& dialog) {
            if (small) dialog.SetText(211, QString::fromLatin1(small));
            if (medium) dialog.SetText(212, QString::fromLatin1(medium));
            return dialog.Press(platform::kIdOk);
        });
        ASSERT_TRUE(win.SendCommand(cmd::kScrollbarUnits));
    };
    win.OpenParamDialog(1);  // the slider of A takes the new units too
    calibrate("200", "10");
    const TSliderSteps& steps = win.SliderSteps();
    EXPECT_EQ(std::tuple(steps.steps[0], steps.steps[1], steps.pageSteps[0],
                         steps.steps[TSliderSteps::kCurveSlot], d.ScrollPosition(TTraceDlg::kBar)),
              std::tuple(200u, 200u, 20u, 200u, 150));  // the bar still at x = 1
    calibrate(nullptr, nullptr);
    EXPECT_EQ(win.SliderSteps().pageSteps[0], 20u);
    EXPECT_TRUE(Errors().empty());
    calibrate("10", "6");  // refused: shown, and nothing changes
    EXPECT_EQ(Errors(), std::vector<QString>{QStringLiteral("out of bounds")});
    EXPECT_EQ(win.SliderSteps().steps[0], 200u);
}

TEST_F(TraceDialogTest, IntrinsicCurvesAreFollowedByArcLength) {
    // Curvature 1 from the origin along +x: the unit circle about (0, 1).
    TExample& e = win.AddExample(kind::kIntrinsic, 0, 4, {"1", "", "", "", "0,0"});
    e.Text(6) = "1,0";
    win.CompileExample(0);
    win.AddEquationLabel();
    TTraceDlg& d = Open();
    EXPECT_EQ(Text(d, TTraceDlg::kParameterLabel), "s =");
    EXPECT_FALSE(d.IsControlEnabled(TTraceDlg::kTaylor) ||
                 d.IsControlEnabled(TTraceDlg::kMarkPoint));
    d.SetText(TTraceDlg::kParameter, QStringLiteral("pi/2"));
    d.Press(platform::kIdOk);
    d.Press(TTraceDlg::kTangents);
    EXPECT_TRUE(AllNear({d.Cursor().position.x, d.Cursor().position.y}, {1, 1}, 1e-9L));
    EXPECT_EQ(Text(d, TTraceDlg::kVectorReadout),
              "velocity: [ 0.0000 , 1.0000 ]\r\nspeed: 1.0000\r\ncurvature: 1.0000");
}

TEST(TraceDialog3D, SpaceCurveReadoutsFrenetAndTangentLine) {
    platform::ScriptedPrompter prompter;
    Space3DWin win;
    win.SizeChanged(401, 401);
    TExample& helix = win.AddExample(kind::kSpaceCurve, 0, 2 * std::numbers::pi_v<long double>,
                                     {"cos(t)", "sin(t)", "t"});
    helix.Text(7) = "0;2*pi";
    win.CompileExample(0);
    win.AddEquationLabel();
    ASSERT_TRUE(win.SendCommand(cmd::kTraceSlider));
    TTraceDlg& d = *win.CurveSlider();
    EXPECT_EQ(d.TemplateName(), "TRACE3");
    d.SetText(TTraceDlg::kParameter, QStringLiteral("0"));
    d.Press(platform::kIdOk);
    d.Press(TTraceDlg::kFrenet);
    EXPECT_EQ(d.GetText(TTraceDlg::kPositionReadout).toStdString(),
              "x = 1.0000\r\ny = 0.0000\r\nz = 0.0000\r\n");
    EXPECT_EQ(d.GetText(TTraceDlg::kVectorReadout).toStdString(),
              "velocity: [ -0.0000 , 1.0000 , 1.0000 ]\r\nspeed: 1.4142\r\ncurvature: 0.5000");
    // The bend of the Frenet frame: curvature times the principal normal (-1, 0, 0).
    const Vec3 bend = d.Cursor().normalHelper;
    EXPECT_TRUE(AllNear({bend.x, bend.y, bend.z}, {-0.5L, 0, 0}, 1e-15L));
    EXPECT_FALSE(d.IsControlShown(TTraceDlg::kDegree));
    d.Press(TTraceDlg::kTaylor);
    ASSERT_EQ(win.Inventory().Count(), 2);
    TExample& line = win.Inventory()[1];
    EXPECT_EQ(line.kind, kind::kSpaceCurve);
    EXPECT_EQ(line.rangeHigh[0], 1);
    win.Formulas().SetVar(slot::kT, 0.5L);
    ASSERT_TRUE(win.Formulas().Evaluate(*line.Tree(3)));
    EXPECT_NEAR(static_cast<double>(line.Tree(3)->re), 0.5, 1e-15);
    d.Press(TTraceDlg::kMarkPoint);
    ASSERT_EQ(win.Inventory().Count(), 3);
    EXPECT_EQ(win.Inventory()[2].kind, kind::kSpacePoint);
}

}  // namespace
}  // namespace quorlin::examples
