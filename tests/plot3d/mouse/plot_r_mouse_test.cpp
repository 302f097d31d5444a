// The 3D window's mouse by mode: a click in the trajectory mode starts the chosen system's
// trajectory at the surface point under the mouse (the left button watching it with the
// dialog's delay, the right one not), and does nothing without a shown trajectory dialog or
// off the surfaces; the plane windows' modes do nothing here. After a diagram was read, its
// version decides whether the stored scene box stays.
#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dynamics/ivp_dialogs.h"
#include "dynamics/window_tools.h"
#include "plot3d/window3d_fixture.h"

namespace quorlin::plot3d {
namespace {

namespace cmd = resources::cmd;
using platform::MouseButton;

class Mouse3DTest : public quorlin::testing::Window3DTest {
protected:
    Mouse3DTest() {
        dynamics::InstallTrajectoryTools();
        Paste("EXPL3;x*y;-1;1;-1;1;\r\nDEQ3T;y;-x;1;-1;1;-2;2;-3;3;\r\n");
    }
    dynamics::TIvpDlg& OpenSystems() {
        EXPECT_TRUE(win.SendCommand(cmd::kIvp10));
        auto* tools = static_cast<dynamics::TWindowTrajectoryTools*>(win.TrajectoryTools());
        return *tools->Dialog(10);
    }
    // The pixel of a point of z = xy.
    QPoint OnTheSurface() const {
        const auto pixel = win.ProjectToPixel({0.5L, -0.25L, -0.125L});
        EXPECT_TRUE(pixel.has_value());
        return pixel.value_or(QPoint());
    }
    void Click(MouseButton button, QPoint at) {
        win.MouseDown({button, at});
        win.MouseMove({MouseButton::None, at + QPoint(3, 2)});
        win.MouseUp({button, at + QPoint(3, 2)});
    }
    std::size_t Trajectories(int i = 1) const { return win.Inventory()[i].trajectories.size(); }
    QImage CachedPicture() {
        if (!win.IsImageCurrent(ImageLayer::Picture)) win.RenderImage(ImageLayer::Picture);
        return win.Image(ImageLayer::Picture);
    }
};

TEST_F(Mouse3DTest, TheTrajectoryModeStartsWherePickingFindsTheSurface) {
    dynamics::TIvpDlg& dialog = OpenSystems();
    ASSERT_EQ(win.MouseMode(), cmd::kMouseTrajectories);
    EXPECT_TRUE(win.QueryCommand(cmd::kMouseTrajectories).enabled);
    EXPECT_EQ(win.GetIvpExample(), 1);
    const QPoint pixel = OnTheSurface();
    Vec3 picked{};
    ASSERT_EQ(win.PickSurfacePoint(pixel, picked), 0);

    // The right button does not watch: a delay the dialog refuses does not matter.
    dialog.SetText(dynamics::ivp::kDelay, QStringLiteral("0"));
    Click(MouseButton::Right, pixel);
    EXPECT_TRUE(Errors().empty());
    ASSERT_EQ(Trajectories(), 1u);
    const examples::TTrajectory& first = win.Inventory()[1].trajectories.front();
    EXPECT_EQ(first.startX, picked.x);
    EXPECT_EQ(first.startY, picked.y);
    EXPECT_EQ(first.startZ, picked.z);
    EXPECT_EQ(dialog.ItemCount(dynamics::ivp::kTrajectories), 1);

    // The left button watches: the refused delay is shown and nothing is drawn; a good one
    // becomes the window's watch delay.
    Click(MouseButton::Left, pixel);
    EXPECT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Trajectories(), 1u);
    dialog.SetText(dynamics::ivp::kDelay, QStringLiteral("3"));
    Click(MouseButton::Left, pixel);
    EXPECT_EQ(Trajectories(), 2u);
    EXPECT_EQ(win.Tracer().watchDelay, 3);
    dialog.SetText(dynamics::ivp::kDelay, QStringLiteral("5"));
    Click(MouseButton::Right, pixel);
    EXPECT_EQ(Trajectories(), 3u);
    EXPECT_EQ(win.Tracer().watchDelay, 3);

    // Beside the surface the sight line meets nothing: nothing happens, silently.
    EXPECT_EQ(win.StartTrajectoryAtMouse({2, 2}, false), TPlotRWin::kNothingToPick);
    Click(MouseButton::Right, {2, 2});
    EXPECT_EQ(Trajectories(), 3u);
    EXPECT_EQ(Errors().size(), 1u);
}

TEST_F(Mouse3DTest, TheTrajectoryModeWithoutAShownDialogDoesNothing) {
    struct Row {
        const char* what;
        bool opened;  // the dialog was opened, then hidden
    };
    for (const Row& row : {Row{"never opened", false}, Row{"hidden", true}}) {
        SCOPED_TRACE(row.what);
        if (row.opened) OpenSystems().HideDialog();
        win.SetMouseMode(cmd::kMouseTrajectories);  // as a diagram read may leave it
        const QImage before = CachedPicture();
        const bool modified = win.IsModified();
        EXPECT_EQ(win.GetIvpExample(), -1);
        EXPECT_FALSE(win.QueryCommand(cmd::kMouseTrajectories).enabled);
        EXPECT_EQ(win.StartTrajectoryAtMouse(OnTheSurface(), true), TPlotRWin::kNothingToPick);
        for (MouseButton button : {MouseButton::Left, MouseButton::Right})
            Click(button, OnTheSurface());
        EXPECT_EQ(Trajectories(), 0u);
        EXPECT_TRUE(Errors().empty());
        EXPECT_EQ(win.IsModified(), modified);
        EXPECT_EQ(CachedPicture(), before);
    }
}

TEST_F(Mouse3DTest, ThePlaneWindowsModesDoNothingHere) {
    OpenSystems();  // a click that reached the trajectory mode would draw one
    int dialogsRun = 0;
    platform::ScopedDialogRunner runner([&dialogsRun](platform::Dialog& d) {
        ++dialogsRun;
        return d.Press(platform::kIdCancel);
    });
    for (int mode : {cmd::kMouseLagrange, cmd::kMouseDraw, cmd::kMouseCursor}) {
        SCOPED_TRACE(mode);
        win.SetMouseMode(mode);
        const QImage before = CachedPicture();
        const long double centreX = win.View().centreX;
        const long double centreY = win.View().centreY;
        for (MouseButton button : {MouseButton::Left, MouseButton::Right})
            Click(button, OnTheSurface());
        EXPECT_EQ(Trajectories(), 0u);
        EXPECT_EQ(dialogsRun, 0);
        EXPECT_TRUE(win.PlainTexts().empty());
        EXPECT_TRUE(win.EvalTexts().empty());
        EXPECT_EQ(win.View().centreX, centreX);
        EXPECT_EQ(win.View().centreY, centreY);
        EXPECT_EQ(CachedPicture(), before);
        EXPECT_TRUE(Errors().empty());
    }
}

TEST_F(Mouse3DTest, TheDialogsChoiceOfSystemIsTheOneStarted) {
    Paste("DEQ3T;-y;x;-1;-1;1;-2;2;-3;3;\r\n");
    dynamics::TIvpDlg& dialog = OpenSystems();
    ASSERT_EQ(dialog.ItemCount(dynamics::ivp::kExamples), 2);
    dialog.SetSelectedIndex(dynamics::ivp::kExamples, 1);
    dialog.OnNotify(dynamics::ivp::kExamples, platform::Notification::SelectionChanged);
    EXPECT_EQ(win.GetIvpExample(), 2);
    Click(MouseButton::Right, OnTheSurface());
    EXPECT_EQ(Trajectories(1), 0u);
    EXPECT_EQ(Trajectories(2), 1u);
}

}  // namespace
}  // namespace quorlin::plot3d
