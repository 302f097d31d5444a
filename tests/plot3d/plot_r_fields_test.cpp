// The 3D window's feature drawers: the field grid reaches over a long box with one step per
// axis, a field not shown as vectors draws nothing, an intrinsic family with negative steps
// draws nothing, and the family letter comes back after any family.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "examples/records/new_examples.h"
#include "window3d_fixture.h"

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

int AddExample(TPlot3Win& w, int k, void (*set)(TExample&)) {
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
    win.SetPollInterval(TTimedPoll::Clock::duration{});
    EXPECT_EQ(win.DrawSlopeField(dc, i), 81);
    EXPECT_EQ(win.points.size(), 11u * 11u);
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
