// The 3D window's feature drawers: the field grid reaches over a long box with one step per
// axis, a field not shown as vectors draws nothing, its arrows take their length from their
// number or their letter and a head of a share of it, an intrinsic family with negative steps
// draws nothing, the family letter comes back after any family, and an intrinsic curve is drawn
// whole inside its box.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "dynamics/intrinsic.h"
#include "examples/records/new_examples.h"
#include "plot3d/scene/example_boxes.h"
#include "plot3d/window3d_fixture.h"
#include "support/curve_pixels.h"

namespace quorlin::plot3d {
namespace {

using examples::TExample;
namespace kind = examples::kind;

class FieldSpyWindow : public TPlot3Win {
public:
    FieldSpyWindow() : TPlot3Win(QStringLiteral("noname8.qz3")) {}
    void DrawFieldArrow(platform::DeviceContext&, int, Vec3 p, long double length) override {
        points.push_back(p);
        lengths.push_back(length);
    }
    std::vector<Vec3> points;
    std::vector<long double> lengths;
};

int AddExample(TPlot3Win& w, int k, const std::function<void(TExample&)>& set) {
    TExample e;
    e.Init(k, 0, 50);
    examples::SetNewExampleDefaults(e, k, -5, 5, 0);
    set(e);
    const int i = w.Inventory().Append(std::move(e));
    w.CompileExample(i);
    return i;
}

class FieldsTest : public ::testing::Test {
protected:
    FieldsTest() {
        win.SizeChanged(401, 301);
        win.Create();
    }
    ~FieldsTest() override {
        win.ClearModified();
        win.CloseWindow();
    }
    platform::ScriptedPrompter prompter;
    FieldSpyWindow win;
};

TEST_F(FieldsTest, TheFieldGridCoversALongBoxWithOneStepPerAxis) {
    const int i = AddExample(win, kind::kSpaceSystem, [](TExample& e) {
        e.Text(1) = "1";
        e.Text(2) = "0";
        e.Text(3) = "0";
        e.boxMin = {0, 0, 0};
        e.boxMax = {10, 1, 1};
        e.fieldRows = 10;
        e.fieldDisplay = 2;
        e.fieldLengthPercent = 20;
    });
    win.RecomputeAllBoxes();
    QImage image(401, 301, QImage::Format_RGB32);
    platform::DeviceContext dc(image);
    EXPECT_EQ(win.DrawSlopeField(dc, i), 0);
    ASSERT_EQ(win.points.size(), 11u * 11u * 11u);
    const auto [lowX, highX] = std::ranges::minmax(win.points, {}, &Vec3::x);
    const auto [lowY, highY] = std::ranges::minmax(win.points, {}, &Vec3::y);
    EXPECT_EQ(lowX.x, 0);
    EXPECT_NEAR(static_cast<double>(highX.x), 10, 1e-11);
    EXPECT_NEAR(static_cast<double>(highY.y), 1, 1e-11);
    EXPECT_EQ(lowY.y, 0);
    // Shown as slopes, or Q polled at once: no arrow, or none after the first row.
    win.points.clear();
    win.Inventory()[i].fieldDisplay = 1;
    EXPECT_EQ(win.DrawSlopeField(dc, i), 0);
    EXPECT_TRUE(win.points.empty());
    win.Inventory()[i].fieldDisplay = 2;
    win.InjectSlowDrawingKey([] { return 81; });
    win.SetPollInterval(TStopPoll::Clock::duration{});
    EXPECT_EQ(win.DrawSlopeField(dc, i), 81);
    EXPECT_EQ(win.points.size(), 11u * 11u);
}

// Curvature 1 and torsion 0 from the origin along x with the normal along y: the unit circle
// about (0, 1, 0) in the plane z = 0. The start frame is three texts of three numbers each.
TEST_F(FieldsTest, AnIntrinsicCurveIsDrawnOnItsClosedForm) {
    const int i = AddExample(win, kind::kSpaceIntrinsic, [](TExample& e) {
        e.Text(1) = "1";
        e.Text(2) = "0";
        e.Text(5) = "0,0,0";
        e.Text(6) = "2,0,0";
        e.Text(7) = "0,3,0";
        e.pen.colour = 4;
    });
    win.RecomputeAllBoxes();
    QImage image(401, 301, QImage::Format_RGB32);
    image.fill(Qt::white);
    platform::DeviceContext dc(image);
    EXPECT_EQ(win.DrawIntrinsicFamily(dc, i), 0);
    const QRgb colour = win.OutputColor(win.DrawColor(4)).rgb();
    const auto inkAt = [&](Vec3 p) {
        const Vec2 q = win.ProjectPoint(p);
        return quorlin::testing::InkNear(win, image, q.x, q.y, colour, 1);
    };
    EXPECT_TRUE(inkAt({0, 2, 0}));
    EXPECT_TRUE(inkAt({1, 1, 0}));
    EXPECT_TRUE(inkAt({-1, 1, 0}));
    EXPECT_FALSE(inkAt({0, 1, 0}));  // the centre
}

// The new intrinsic space curve (1025) cancelled in its dialog leaves the inventory, the
// labels and the modified mark as they were; OK adds the demonstration curve.
TEST_F(FieldsTest, ANewIntrinsicCurveCancelledLeavesTheInventory) {
    AddExample(win, kind::kSpaceCurve, [](TExample& e) { e.Text(1) = "t"; });
    win.ClearModified();
    const auto texts = [this] {
        std::vector<std::string> all;
        for (int i = 0; i <= win.Inventory().LastIndex(); ++i)
            for (int k = 1; k <= 7; ++k) all.push_back(win.Inventory()[i].Text(k));
        return all;
    };
    const std::vector<std::string> before = texts();
    const int labels = win.EquationLabels().Count();
    std::vector<std::string> templates;
    {
        platform::ScopedDialogRunner runner([&templates](platform::Dialog& d) {
            templates.emplace_back(d.TemplateName());
            return d.Press(platform::kIdCancel);
        });
        EXPECT_TRUE(win.SendCommand(resources::cmd::kNew3DIntrinsic));
    }
    EXPECT_EQ(templates, std::vector<std::string>{"EQUA325"});
    EXPECT_EQ(win.Inventory().Count(), 1);
    EXPECT_EQ(texts(), before);
    EXPECT_EQ(win.EquationLabels().Count(), labels);
    EXPECT_FALSE(win.IsModified());

    platform::ScopedDialogRunner ok([](platform::Dialog& d) { return d.Press(platform::kIdOk); });
    EXPECT_TRUE(win.SendCommand(resources::cmd::kNew3DIntrinsic));
    ASSERT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(win.Inventory()[1].kind, kind::kSpaceIntrinsic);
    EXPECT_EQ(win.Inventory()[1].Text(2), "sin(s)");
}

TEST_F(FieldsTest, AnIntrinsicFamilyWithNegativeStepsDrawsNothing) {
    const int i = AddExample(win, kind::kSpaceIntrinsic, [](TExample& e) {
        e.familyOn = 1;
        e.familyLetter = 1;
        e.familyLow = 1;
        e.familyHigh = 2;
        e.pen.colour = 4;
    });
    win.RecomputeAllBoxes();
    FormulaContext& f = win.Formulas();
    f.SetVar(1, 7);
    const auto inked = [&](int steps) {
        win.Inventory()[i].familySteps = static_cast<std::int16_t>(steps);
        QImage image(401, 301, QImage::Format_RGB32);
        image.fill(Qt::white);
        platform::DeviceContext dc(image);
        EXPECT_EQ(win.DrawIntrinsicFamily(dc, i), 0);
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) ink += image.pixel(x, y) != qRgb(255, 255, 255);
        return ink;
    };
    EXPECT_EQ(inked(-3), 0);
    EXPECT_EQ(f.Var(1), 7);
    inked(0);
    inked(2);
    // The letter ran from 1 to 2 and is back.
    EXPECT_EQ(f.Var(1), 7);
}

// The box of an intrinsic curve holds the curve as its drawer traces it (the same trace at the
// drawing's step), and so the curve is drawn without a gap: the demonstration (curvature 1,
// torsion sin s over two turns, which reaches x = -1.056), and a curve of growing curvature
// traced both ways from an oblique start.
TEST_F(FieldsTest, AnIntrinsicCurveLiesInsideItsBoxAndIsDrawnWhole) {
    const struct {
        const char* name;
        const char *curvature, *torsion, *point, *tangent, *normal;
        long double low, high;
    } rows[] = {
        {"demonstration", nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0},
        {"growing curvature", "0.3+s/8", "0.4", "1,-2,0.5", "0,1,1", "1,0,0", -3, 5},
    };
    for (const auto& row : rows) {
        const int i = AddExample(win, kind::kSpaceIntrinsic, [&row](TExample& e) {
            e.pen.colour = 4;
            if (!row.curvature) return;
            e.Text(1) = row.curvature;
            e.Text(2) = row.torsion;
            e.Text(5) = row.point;
            e.Text(6) = row.tangent;
            e.Text(7) = row.normal;
            e.rangeLow[0] = row.low;
            e.rangeHigh[0] = row.high;
        });
        win.Axes().axesShown = false;
        win.RecomputeAllBoxes();
        TExample& e = win.Inventory()[i];
        const TBox3 box = BoxOf(e);
        // The drawer's points: its trace at its step for the scene box.
        const Vec3 extent = win.SceneBox().max - win.SceneBox().min;
        const long double step = dynamics::IntrinsicDrawingStep(
            e, std::max({std::fabs(extent.x), std::fabs(extent.y), std::fabs(extent.z)}));
        std::vector<Vec3> drawn;
        dynamics::TraceHooks hooks;
        hooks.sink = [&drawn](const dynamics::TracePoint& p) { drawn.push_back(p.position); };
        dynamics::TracerSettings settings;
        settings.viewStepLimit = 0;
        dynamics::TraceIntrinsic(win.Formulas(), e, e.rangeLow[0], e.rangeHigh[0], step, settings,
                                 hooks);
        ASSERT_GT(drawn.size(), 1000u) << row.name;
        const auto inside = [&box](const Vec3& p) {
            return box.min.x <= p.x && p.x <= box.max.x && box.min.y <= p.y && p.y <= box.max.y &&
                   box.min.z <= p.z && p.z <= box.max.z;
        };
        const auto outside =
            std::ranges::count_if(drawn, [&](const Vec3& p) { return !inside(p); });
        EXPECT_EQ(outside, 0) << row.name;
        // And every tenth of the curve shows in the picture.
        QImage image(401, 301, QImage::Format_RGB32);
        image.fill(Qt::white);
        platform::DeviceContext dc(image);
        EXPECT_EQ(win.DrawIntrinsicFamily(dc, i), 0) << row.name;
        const QRgb colour = win.OutputColor(win.DrawColor(4)).rgb();
        for (std::size_t k = 0; k < drawn.size(); k += drawn.size() / 10) {
            const Vec2 q = win.ProjectPoint(drawn[k]);
            EXPECT_TRUE(quorlin::testing::InkNear(win, image, q.x, q.y, colour, 1))
                << row.name << " point " << k;
        }
        win.Inventory().RemoveLast();
    }
}

// The arrows' length L is n thousandths of the window, seen from the eye: n the field's own
// number, or ten times the value of the letter it is tied to, rounded.
TEST_F(FieldsTest, FieldArrowsTakeTheirLengthFromTheirNumberOrTheirLetter) {
    const struct {
        const char* name;
        int letter;  // 0: none
        long double value;
        long double n;
    } rows[] = {
        {"own number", 0, 0, 23},
        {"letter A", 1, 3.74L, 37},
        {"letter C", 3, 0.06L, 1},
        {"letter W", 23, 12.35L, 124},
    };
    for (const auto& row : rows) {
        const int i = AddExample(win, kind::kSpaceSystem, [&row](TExample& e) {
            e.Text(1) = "1";
            e.Text(2) = "2";
            e.Text(3) = "-1";
            e.boxMin = {-1, -2, 0.5L};
            e.boxMax = {3, 2, 1.5L};
            e.fieldRows = 1;
            e.fieldDisplay = 2;
            e.fieldLengthPercent = 23;
            e.FieldParameter() = static_cast<std::int16_t>(row.letter);
        });
        if (row.letter > 0) win.Formulas().SetVar(row.letter, row.value);
        win.RecomputeAllBoxes();
        win.lengths.clear();
        QImage image(401, 301, QImage::Format_RGB32);
        platform::DeviceContext dc(image);
        ASSERT_EQ(win.DrawSlopeField(dc, i), 0);
        ASSERT_EQ(win.lengths.size(), 8u) << row.name;
        const long double expected = row.n * 0.001L * win.View().areaWidth *
                                     win.View().unitsPerPixelX * Vec3Length(win.Observer().boxEye);
        EXPECT_NEAR(static_cast<double>(win.lengths[0]), static_cast<double>(expected),
                    1e-12 * static_cast<double>(expected))
            << row.name;
        win.Inventory().RemoveLast();
    }
}

// A field arrow's head is 0.21 L long and spreads 0.4 of that to each side of the shaft,
// whatever the size of the example's other arrows: the ink lies at most that far from the shaft,
// and reaches it.
TEST_F(FieldsTest, AFieldArrowsHeadIsASharedPartOfItsLength) {
    const struct {
        long double length;
        int sizeWord;
    } rows[] = {{1.2L, 0}, {1.5L, 30}, {1.9L, 5}};
    for (const auto& row : rows) {
        const int i = AddExample(win, kind::kSpaceSystem, [&row](TExample& e) {
            e.Text(1) = "1";
            e.Text(2) = "0.5";
            e.Text(3) = "0";
            e.boxMin = {-2, -2, -2};
            e.boxMax = {2, 2, 2};
            e.extraColour[0] = 4;
            e.sizeWord = static_cast<std::int16_t>(row.sizeWord);
        });
        win.Axes().axesShown = false;
        win.RecomputeAllBoxes();
        QImage image(401, 301, QImage::Format_RGB32);
        image.fill(Qt::white);
        platform::DeviceContext dc(image);
        const Vec3 p{-0.3L, 0.2L, 0.1L};
        win.TPlotRWin::DrawFieldArrow(dc, i, p, row.length);
        const Vec3 v{1, 0.5L, 0};
        const Vec3 q = p + (row.length / Vec3Length(v)) * v;
        const canvas::PixelMapping m = win.View().Mapping();
        const Vec2 a = win.ProjectPoint(p), b = win.ProjectPoint(q);
        const double ax = static_cast<double>(m.XToPixel(a.x)),
                     ay = static_cast<double>(m.YToPixel(a.y));
        const double bx = static_cast<double>(m.XToPixel(b.x)),
                     by = static_cast<double>(m.YToPixel(b.y));
        const double shaft = std::hypot(bx - ax, by - ay);
        const double head = static_cast<double>(0.21L * row.length / win.View().unitsPerPixelX);
        ASSERT_GT(shaft, 2 * head) << row.length;
        ASSERT_GT(head, 5) << row.length;
        const QRgb colour = win.OutputColor(win.DrawColor(4)).rgb();
        double widest = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != colour) continue;
                const double across =
                    std::fabs((x - ax) * (by - ay) - (y - ay) * (bx - ax)) / shaft;
                widest = std::max(widest, across);
            }
        EXPECT_NEAR(widest, 0.4 * head, 1.5) << row.length;
        win.Inventory().RemoveLast();
    }
}

}  // namespace
}  // namespace quorlin::plot3d
