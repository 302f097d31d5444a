// The tracers on a window: a pasted trajectory follows its field and, where the field is no
// longer defined, ends there keeping what it traced; fields of a record out of their bounds draw
// within them; every trace ends while keys are not polled; the hidden-line dispatch asks only the
// shown, opaque surfaces, in index order, with the point moved towards the eye.
#include <cmath>
#include <vector>

#include "core/numbers.h"
#include "dynamics/trajectory_drawing.h"
#include "dynamics/window_tools.h"
#include "examples/levels/plot111_win.h"
#include "examples/plot_test_window.h"
#include "platform/device_context.h"
#include "support/curve_pixels.h"

namespace quorlin::dynamics {
namespace {

namespace kind = examples::kind;
using examples::TTrajectory;

const bool kToolsInstalled = (InstallTrajectoryTools(), true);

// The tests look at the xy phase window, which draws the window's trajectories with the
// tracers of this folder.
class TrajectoryDrawingTest : public quorlin::testing::PlotWindowTest {
protected:
    TrajectoryDrawingTest() { EXPECT_TRUE(kToolsInstalled); }
    // The colour trajectory k of example i is drawn in.
    QRgb TrajectoryColour(int i, int k) const {
        const auto& t = win.Inventory()[i].trajectories[static_cast<std::size_t>(k)];
        return win.OutputColor(win.DrawColor(t.pen.colour)).rgb();
    }
    QImage Picture() {
        if (!phase_) {
            EXPECT_TRUE(win.SendCommand(resources::cmd::kPhaseWindowFirst));
            phase_ = static_cast<TWindowTrajectoryTools*>(win.TrajectoryTools())->PhaseWindow(0);
            phase_->SizeChanged(401, 401);
            phase_->RecomputeView();
        }
        phase_->InvalidateImage(ImageLayer::Background);
        phase_->RenderImage(ImageLayer::Picture);
        return phase_->Image(ImageLayer::Picture);
    }
    // The ink tests read the phase window's picture.
    const canvas::TZELWing& InkWindow() const override { return *phase_; }
    double ShareOnCurve(const QImage& image, QRgb colour, long double t0, long double t1, int n,
                        const quorlin::testing::ClosedForm2D& f) {  // in the phase window
        return quorlin::testing::ShareInked(*phase_, image, colour, t0, t1, n, f);
    }

    TLinkedWin* phase_ = nullptr;
};

TEST_F(TrajectoryDrawingTest, APastedTrajectoryEndsWhereItsFieldEndsAndKeepsWhatItTraced) {
    // x' = 1, y' = sqrt(1 - x) from (0, 0): y = 2/3 (1 - (1 - x)^(3/2)), undefined past x = 1.
    Paste("DEQ2T; 1; sqrt(1-x); TRAJ; 1; 0; 0; 0; 5;");
    ASSERT_TRUE(Errors().empty());
    ASSERT_EQ(win.Inventory()[0].trajectories.size(), 1u);
    const auto curve = [](long double x) {
        return std::pair{x, 2.0L / 3 * (1 - std::pow(1 - x, 1.5L))};
    };
    const QImage picture = Picture();
    EXPECT_GT(ShareOnCurve(picture, TrajectoryColour(0, 0), 0.02L, 0.98L, 40, curve), 0.95);
    EXPECT_FALSE(
        quorlin::testing::InkNear(*phase_, picture, 1.5L, 0.67L, TrajectoryColour(0, 0), 3));
    ASSERT_EQ(win.Inventory()[0].trajectories.size(), 1u);
}

// Fields out of their bounds draw within them; the refusals the tracer's tests check.
TEST_F(TrajectoryDrawingTest, DamagedRecordsAreDrawnWithinBounds) {
    Paste("DEQ2T; -y; x; TRAJ; 1; 1; 0; 0; -1;");  // the unit circle, once round
    ASSERT_EQ(win.Inventory()[0].trajectories.size(), 1u);
    TTrajectory& t = win.Inventory()[0].trajectories.front();
    t.pen = {12, 65535, 77};  // apart from the black axes; width and style out of bounds
    t.option1 = 300;          // taken as Runge-Kutta (Euler's steps would spiral off)
    t.kind = 1210;            // formulas without trees
    const auto circle = [](long double t) { return std::pair{std::cos(t), std::sin(t)}; };
    EXPECT_GT(ShareOnCurve(Picture(), TrajectoryColour(0, 0), 0, 6, 12, circle), 0.9);
}

TEST_F(TrajectoryDrawingTest, EveryTraceEndsWhileKeysAreNotPolled) {
    // A spiral onto the unit circle never closes, leaves the view or rests.
    Paste("DEQ2T; -y+x*(1-x^2-y^2); x+y*(1-x^2-y^2); TRAJ; 1; 0.5; 0; 0; -1;");
    ASSERT_TRUE(Errors().empty());
    win.Inventory()[0].trajectories.front().pen.colour = 12;
    win.Output().noPolling = true;  // as an animation frame draws
    const QImage picture = Picture();
    win.Output().noPolling = false;
    // The spiral came close to the unit circle before its work ran out.
    const auto circle = [](long double t) { return std::pair{std::cos(t), std::sin(t)}; };
    EXPECT_GT(ShareOnCurve(picture, TrajectoryColour(0, 0), 0, 6.2L, 30, circle), 0.9);
}

// What runs while a trace polls keys may change the list being drawn (a moved parameter makes
// level curves follow their surface and drops some, a curve is deleted): the drawing goes on
// over the list as it is then, never over the records it had before. Here the first traced
// point leaves a list of one, in new memory; then the last curve drawn first is all there is.
TEST_F(TrajectoryDrawingTest, AListChangedWhileItIsDrawnIsLookedUpAgain) {
    Paste("DEQ2T; -y; x; TRAJ; 1; 1; 0; 0; -1; TRAJ; 1; 0.5; 0; 0; -1; TRAJ; 1; 0.25; 0; 0; -1;");
    ASSERT_EQ(win.Inventory()[0].trajectories.size(), 3u);
    win.Output().noPolling = true;
    QImage image(401, 301, QImage::Format_RGB32);
    platform::DeviceContext dc(image);
    canvas::TCanvasPrimitives prim = win.Primitives(dc);
    TTrajectoryPainter painter(win, prim);
    int points = 0;
    painter.onPoint = [&](const examples::TLinkedPoint&) {
        if (points++ > 0) return;
        auto& list = win.Inventory()[0].trajectories;
        examples::TrajectoryList kept;
        kept.push_back(list.back().Clone());
        list = std::move(kept);
    };
    EXPECT_EQ(painter.DrawSystemTrajectories(0, false), 0);
    win.Output().noPolling = false;
    ASSERT_EQ(win.Inventory()[0].trajectories.size(), 1u);
    EXPECT_EQ(win.Inventory()[0].trajectories[0].startX, 1);
    EXPECT_GT(points, 1);
}

// A 3D window whose explicit surfaces hide every point below z = 1 and that counts the asks.
class SpaceWindow : public examples::TPlot111Win {
public:
    SpaceWindow() : TPlot111Win(961, QStringLiteral("noname1.qz3"), QString(), 3) {}
    bool IsHiddenByExplicitSurface(int i, const Vec3& p) override {
        asked.push_back(i);
        moved = p;
        return p.z < 1;
    }
    std::vector<int> asked;
    Vec3 moved;
};

TEST(HiddenLineDispatch, AsksTheShownOpaqueSurfacesInIndexOrderWithThePointMovedToTheEye) {
    SpaceWindow w;
    for (int k = 0; k < 4; ++k) w.AddExample(kind::kSurface, 0, 1, {"x"});
    w.Inventory()[1].graphShown = 0;  // not shown
    w.Inventory()[2].jumpsOff = 1;    // both fill colours the background's: seen through
    w.Observer().eye = {0, 0, 10};
    const Vec3 low{0, 0, 0.5L}, high{0, 0, 2};

    EXPECT_FALSE(IsPointHidden(w, low));  // hidden-line removal off: nobody is asked
    EXPECT_TRUE(w.asked.empty());

    w.Scene().hiddenLines = true;
    w.Scene().hiddenPointOffset = 0.25L;
    EXPECT_TRUE(IsPointHidden(w, low));
    EXPECT_EQ(w.asked, std::vector<int>{0});  // the first one hides it
    EXPECT_NEAR(static_cast<double>(w.moved.z), 0.75, 1e-12);
    w.asked.clear();
    EXPECT_FALSE(IsPointHidden(w, high));
    EXPECT_EQ(w.asked, (std::vector<int>{0, 3}));
    w.SceneBox().min = {-1, -1, -1};
    w.SceneBox().max = {1, 1, 3};
    EXPECT_TRUE(IsPointVisible(w, high));
    EXPECT_FALSE(IsPointVisible(w, {0, 0, 4}));  // outside the box
}

}  // namespace
}  // namespace quorlin::dynamics
