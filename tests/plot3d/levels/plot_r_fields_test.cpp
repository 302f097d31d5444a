// The 3D window's feature drawers: the field grid reaches over a long box with one step per
// axis, a field not shown as vectors draws nothing, an intrinsic family with negative steps
// draws nothing, and the family letter comes back after any family.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "examples/records/new_examples.h"
#include "plot3d/window3d_fixture.h"
#include "support/curve_pixels.h"

namespace quorlin::plot3d {
namespace {

using examples::TExample;
namespace kind = examples::kind;

class FieldSpyWindow : public TPlot3Win {
public:
    FieldSpyWindow() : TPlot3Win(QStringLiteral("noname8.qz3")) {}
    void DrawFieldArrow(platform::DeviceContext&, int, Vec3 p, long double) override {
        points.push_back(p);
    }
    std::vector<Vec3> points;
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

}  // namespace
}  // namespace quorlin::plot3d
