// The intersection-points dialog on a 2D window: the meetings of two parabolas in turn with their
// angle in degrees or radians, recorded on both curves; "select two" for one curve twice; no angle
// in a logarithmic window; the second curve deleted or traced anew between two requests; two
// implicit curves met to the last digits, and only inside the view, its edges included.
#include "tools2d/searches/intersection_dialog.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
namespace cmd = resources::cmd;
constexpr long double kPi = std::numbers::pi_v<long double>;

class IntersectionDialogTest : public ToolsWindowTest {
protected:
    TInterCCDlg& Meetings() {
        return Command(cmd::kIntersections, &TWindowAnalysisTools::Intersections);
    }
    static void Choose(TInterCCDlg& d, int id, int position) {
        d.SetSelectedIndex(id, position);
        d.OnNotify(id, platform::Notification::SelectionChanged);
    }
    static void PickSecond(TInterCCDlg& d, int i) {
        Choose(d, examples::T2ComboDlg::kList2Id, d.ListIndexOf2(i));
    }
    static std::string Shown(const TInterCCDlg& d) {
        return d.GetText(TInterCCDlg::kResult).toStdString();
    }
};

TEST_F(IntersectionDialogTest, TwoParabolasMeetInTurnAtTheirAngle) {
    Paste("EXPL2;x^2;EXPL2;2-x^2;");
    ASSERT_TRUE(win.QueryCommand(cmd::kIntersections).enabled);
    TInterCCDlg& d = Meetings();
    PickSecond(d, 1);
    ASSERT_EQ(d.Result().result, 1);
    EXPECT_NEAR(d.Result().at.x, -1, 1e-12L);
    d.Press(TInterCCDlg::kDegrees);  // checks the box
    EXPECT_TRUE(win.State2D().degrees);
    const long double degrees = std::acos(-0.6L) * 180 / kPi;  // 126.87
    EXPECT_EQ(Shown(d), "x = " + win.FormatNum(-1) + "\r\ny = " + win.FormatNum(1) +
                            "\r\n\r\nz = " + win.FormatNum(degrees));
    Meetings();
    EXPECT_NEAR(d.Result().at.x, 1, 1e-12L);
    EXPECT_NEAR(d.Result().at.y, 1, 1e-12L);
    EXPECT_EQ(Entries(0), 2u);
    EXPECT_EQ(Entries(1), 2u);
    EXPECT_EQ(win.Inventory()[1].markedPoints.front().code, 20);
    EXPECT_EQ(win.Inventory()[1].markedPoints.front().label, "intersection");
    // The angle is saved in radians whatever the box says.
    Choose(d, TInterCCDlg::kCoordinate, 2);
    d.Press(TInterCCDlg::kSave);
    EXPECT_NEAR(win.Formulas().Var(1), std::acos(-0.6L), 1e-12L);
}

TEST_F(IntersectionDialogTest, OneCurveTwiceAsksForTwo) {
    Paste("EXPL2;x;EXPL2;0;");
    TInterCCDlg& d = Meetings();
    PickSecond(d, 0);
    d.Press(TInterCCDlg::kNext);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0], QStringLiteral("select two"));
    EXPECT_FALSE(d.IsControlEnabled(TInterCCDlg::kMark));
}

TEST_F(IntersectionDialogTest, ALogarithmicWindowShowsNoAngle) {
    win.View().logMode = canvas::kLogBoth;
    Paste("EXPL2;x;EXPL2;2-x;");
    TInterCCDlg& d = Meetings();
    PickSecond(d, 1);
    ASSERT_EQ(d.Result().result, 1);
    EXPECT_FALSE(d.IsControlShown(TInterCCDlg::kDegrees));
    EXPECT_EQ(Shown(d).find("z ="), std::string::npos);
}

TEST_F(IntersectionDialogTest, TheSecondCurveDeletedOrEditedBetweenRequests) {
    Paste("IMPL2;x^2+y^2=1;IMPL2;(x-1)^2+y^2=1;IMPL2;(x+1)^2+y^2=1;");
    Picture();  // the curves are traced
    ASSERT_FALSE(win.Inventory()[1].trajectories.empty());
    TInterCCDlg& d = Meetings();
    PickSecond(d, 1);
    ASSERT_EQ(d.Result().result, 1);
    EXPECT_NEAR(d.Result().at.x, 0.5L, 1e-3L);
    EXPECT_NEAR(std::fabs(d.Result().at.y), std::sqrt(3.0L) / 2, 1e-3L);
    // The second curve moved and traced anew: the walk follows the new pieces.
    examples::TExample& second = win.Inventory()[1];
    second.Text(3) = "(x-1.2)^2+y^2-1";
    second.Text(5) = "(x-1.2)^2+y^2=1";
    second.recompute = 1;
    win.CompileExample(1);
    Picture();
    d.Press(TInterCCDlg::kNext);
    ASSERT_EQ(d.Result().result, 1);
    EXPECT_NEAR(d.Result().at.x, 0.6L, 1e-3L);
    // Deleted: the third circle takes its place in the list.
    win.DeleteExamples(std::array{1});
    Picture();
    PickSecond(d, 1);
    d.Press(TInterCCDlg::kNext);
    ASSERT_EQ(d.Result().result, 1);
    EXPECT_NEAR(d.Result().at.x, -0.5L, 1e-3L);
}

struct ImplicitPairRow {
    const char* diagram;
    long double x, y;  // the meetings are (x, y) and (x, -y)
    long double degrees;
};

TEST_F(IntersectionDialogTest, TwoImplicitCurvesMeetToTheLastDigits) {
    const ImplicitPairRow rows[] = {
        {"IMPL2;x^2+y^2=1;IMPL2;(x-1)^2+y^2=1;", 0.5L, std::sqrt(3.0L) / 2, 60},
        // Radii 2 and 1, centres 2 apart: x = 7/4, the normals at acos 1/4.
        {"IMPL2;x^2+y^2=4;IMPL2;(x-2)^2+y^2=1;", 1.75L, std::sqrt(15.0L) / 4,
         std::acos(0.25L) * 180 / kPi},
    };
    for (const ImplicitPairRow& row : rows) {
        SCOPED_TRACE(row.diagram);
        Paste(row.diagram);
        Picture();  // the curves are traced
        const int first = win.Inventory().LastIndex() - 1;
        TInterCCDlg& d = Meetings();
        Pick(d, first);
        PickSecond(d, first + 1);
        if (!win.State2D().degrees) d.Press(TInterCCDlg::kDegrees);
        for (int request = 0; request < 2; ++request) {
            if (request > 0) d.Press(TInterCCDlg::kNext);
            const TIntersection& found = d.Result();
            ASSERT_EQ(found.result, 1) << request;
            EXPECT_NEAR(found.at.x, row.x, 1e-12L) << request;
            EXPECT_NEAR(std::fabs(found.at.y), row.y, 1e-12L) << request;
            EXPECT_NEAR(found.angle * 180 / kPi, row.degrees, 1e-9L) << request;
            EXPECT_NE(Shown(d).find("z = " + win.FormatNum(row.degrees)), std::string::npos)
                << Shown(d);
        }
    }
}

struct ViewedPairRow {
    int width, height;  // the window; its view shows x from -5 to 5
    bool walkTheSine;   // the second curve, whose traced pieces the search walks
};

// y = sin(8x) and y = 0.3 meet at x = (asin 0.3 + 2 k pi) / 8 and (pi - asin 0.3 + 2 k pi) / 8.
// The traced pieces reach a step past the view, where the next meetings (x = 5.067, -5.143)
// are not drawn: no request gives them, and every one inside comes in turn, also on the pieces
// the tracer followed backwards from its start.
TEST_F(IntersectionDialogTest, TwoImplicitCurvesMeetOnlyInsideTheView) {
    const ViewedPairRow rows[] = {{320, 240, false}, {160, 120, false}, {320, 240, true}};
    std::vector<long double> inside;
    for (int k = -8; k <= 8; ++k)
        for (const long double x : {std::asin(0.3L), kPi - std::asin(0.3L)})
            if (const long double at = (x + 2 * k * kPi) / 8; std::fabs(at) < 5)
                inside.push_back(at);
    ASSERT_EQ(inside.size(), 25u);
    for (const ViewedPairRow& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + " x " + std::to_string(row.height));
        win.SizeChanged(row.width, row.height);
        const canvas::TViewFrame& view = win.View();
        ASSERT_EQ(std::pair(view.left, view.right), std::pair(-5.0L, 5.0L));
        ASSERT_LT(view.up, 4);  // the window is wider than high
        Paste(row.walkTheSine ? "IMPL2;y=0.3;IMPL2;y=sin(8x);" : "IMPL2;y=sin(8x);IMPL2;y=0.3;");
        Picture();  // the curves are traced
        const int first = win.Inventory().LastIndex() - 1;
        TInterCCDlg& d = Meetings();
        Pick(d, first);
        PickSecond(d, first + 1);
        std::vector<long double> met;
        for (std::size_t request = 0; request < 2 * inside.size(); ++request) {
            if (request > 0) d.Press(TInterCCDlg::kNext);
            const TIntersection& found = d.Result();
            ASSERT_EQ(found.result, 1) << request;
            EXPECT_TRUE(found.at.x >= view.left && found.at.x <= view.right) << found.at.x;
            EXPECT_TRUE(found.at.y >= view.down && found.at.y <= view.up) << found.at.y;
            EXPECT_NEAR(found.at.y, 0.3L, 1e-12L) << request;
            // The normals (-8 cos 8x, 1) and (0, 1), where |cos 8x| = sqrt(0.91).
            EXPECT_NEAR(found.angle, std::atan(8 * std::sqrt(0.91L)), 1e-12L) << request;
            met.push_back(found.at.x);
        }
        for (const long double x : inside)
            EXPECT_TRUE(std::ranges::any_of(met, [x](long double m) {
                return std::fabs(m - x) < 1e-12L;
            })) << x;
    }
}

struct EdgeRow {
    const char *a, *b;           // the implicit curves; the search walks b's traced pieces
    std::vector<Vec2> meetings;  // successive requests; none: "could not find"
    long double degrees;
};

// A view neither square nor centred: x from -1.5 to 5, y from -2 to 3.5. Each curve is traced a
// step (3 pixels) past the view's edge. A meeting on an edge is inside it; one past an edge within
// that step, forwards (y = 0.3 walked right) or backwards (x = 1 walked up), is none.
TEST_F(IntersectionDialogTest, TwoImplicitCurvesMeetOnTheViewsEdgesAndInside) {
    const long double slanted = std::atan(0.5L) * 180 / kPi;  // normals (1, +-2) and (0, 1)
    const long double chord = std::sqrt(3.51L);               // y = 0.3 across the circle
    const EdgeRow rows[] = {
        {"x+2y=5.6", "y=0.3", {{5, 0.3L}, {5, 0.3L}}, slanted},
        {"x-2y=-2.1", "y=0.3", {{-1.5L, 0.3L}}, slanted},
        {"y=3.5", "x=1", {{1, 3.5L}}, 90},
        {"y=-2", "x=1", {{1, -2}}, 90},
        {"x+2y=5.64", "y=0.3", {}, 0},  // x = 5.04
        {"y=3.53", "x=1", {}, 0},
        // The normals (x - 1, y - 1) and (0, 1) at acos(-0.35), reported as acos(0.35).
        {"(x-1)^2+(y-1)^2=4",
         "y=0.3",
         {{1 - chord, 0.3L}, {1 + chord, 0.3L}, {1 - chord, 0.3L}},
         std::acos(0.35L) * 180 / kPi},
    };
    win.SizeChanged(300, 250);
    for (const EdgeRow& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " and " + row.b);
        Paste(std::string("CORNERS;-1.5;5;-2;3.5;IMPL2;") + row.a + ";IMPL2;" + row.b + ";");
        const canvas::TViewFrame& view = win.View();
        ASSERT_EQ(std::tuple(view.left, view.right, view.down, view.up),
                  std::tuple(-1.5L, 5.0L, -2.0L, 3.5L));
        Picture();  // the curves are traced
        const int first = win.Inventory().LastIndex() - 1;
        TInterCCDlg& d = Meetings();
        Pick(d, first);
        PickSecond(d, first + 1);
        if (row.meetings.empty()) {
            EXPECT_EQ(d.Result().result, 0) << d.Result().at.x << " " << d.Result().at.y;
            EXPECT_EQ(Shown(d), "could not find");
        }
        for (std::size_t request = 0; request < row.meetings.size(); ++request) {
            if (request > 0) d.Press(TInterCCDlg::kNext);
            const TIntersection& found = d.Result();
            ASSERT_EQ(found.result, 1) << request;
            EXPECT_NEAR(found.at.x, row.meetings[request].x, 1e-12L) << request;
            EXPECT_NEAR(found.at.y, row.meetings[request].y, 1e-12L) << request;
            EXPECT_NEAR(found.angle * 180 / kPi, row.degrees, 1e-9L) << request;
        }
    }
}

}  // namespace
}  // namespace quorlin::tools2d
