// The 3D window's mouse by mode: a click in the trajectory mode starts the chosen system's
// trajectory at the surface point under the mouse (the left button watching it with the
// dialog's delay, the right one not), and does nothing without a shown trajectory dialog or
// off the surfaces; the plane windows' modes do nothing here. After a diagram was read, its
// version decides whether the stored scene box stays. A user's road through the menus: an
// implicit surface with its box, a surface sliced with its tangent plane, and a trajectory
// started by a click on the surface, all in the inventory and on the cached picture.
#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dynamics/ivp_dialogs.h"
#include "dynamics/window_tools.h"
#include "plot3d/plot3_fixture.h"
#include "plot3d/slicer/slice_dialog.h"
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

// The pixels of a colour in a picture.
int PixelsOf(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) ++count;
    return count;
}

int ChangedPixels(const QImage& before, const QImage& after) {
    int count = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x, y)) ++count;
    return count;
}

class MouseRoadTest : public Plot3WindowTest {
protected:
    static QImage CachedPicture(TPlot3Win& win) {
        if (!win.IsImageCurrent(ImageLayer::Picture)) win.RenderImage(ImageLayer::Picture);
        return win.Image(ImageLayer::Picture);
    }
    static QRgb PenColour(TPlot3Win& win, const examples::TPenSpec& pen) {
        return win.OutputColor(win.DrawColor(pen.colour)).rgb();
    }
};

TEST_F(MouseRoadTest, AUserSlicesASurfaceAndStartsATrajectoryOnItWithAClick) {
    TPlotFrame frame(registry, {});
    frame.Create();
    frame.resize(900, 700);
    frame.show();
    ASSERT_TRUE(frame.DispatchCommand(cmd::kWindow3D));
    TPlot3Win* win = Active(frame);
    ASSERT_NE(win, nullptr);
    std::vector<std::string> seen;
    {
        platform::ScopedDialogRunner runner([&seen](platform::Dialog& d) {
            seen.emplace_back(d.TemplateName());
            if (d.TemplateName() == "EQUA305") d.SetText(218, QStringLiteral("xx+yy+zz=0.25"));
            return d.Press(platform::kIdOk);
        });
        ASSERT_TRUE(frame.DispatchCommand(cmd::kNew3DImplicit));  // F3
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"EQUA305", "AUTOBOXB"}));
    EXPECT_EQ(win->Inventory()[0].boxMax.z, 2.1L);
    // A saddle below the sphere and a system whose trajectories wind upwards.
    clipboard.SetText(
        QStringLiteral("EXPL3;x*y/8-1.5;-2;2;-2;2;\r\n"
                       "DEQ3T;y;-x;1;-3;3;-3;3;-2;2;\r\n"));
    ASSERT_TRUE(frame.DispatchCommand(cmd::kPasteScript));
    ASSERT_EQ(win->Inventory().Count(), 3);
    EXPECT_TRUE(prompter.messages.empty());

    // "Slicer ..." with "tangent plane" at the saddle's middle: z = -1.5, drawn where the
    // saddle lies below it.
    const QImage beforePlane = CachedPicture(*win);
    ASSERT_TRUE(frame.DispatchCommand(cmd::kSlicer));
    ASSERT_NE(win->SlicerDialog(), nullptr);
    win->SlicerDialog()->Press(TSliceDlg::kTangentPlane);
    ASSERT_EQ(win->Inventory().Count(), 4);
    const examples::TExample& plane = win->Inventory()[3];
    EXPECT_EQ(plane.kind, examples::kind::kPlane);
    const QImage withPlane = CachedPicture(*win);
    const auto onPlane = win->ProjectToPixel({0.75L, -0.75L, -1.5L});
    ASSERT_TRUE(onPlane.has_value());
    EXPECT_NE(withPlane.pixel(*onPlane), beforePlane.pixel(*onPlane));
    EXPECT_GT(ChangedPixels(beforePlane, withPlane), 200);

    // "DEq trajectory ..." chooses the trajectory mode, which the menu then offers.
    ASSERT_TRUE(frame.DispatchCommand(cmd::kIvp10));
    EXPECT_EQ(win->MouseMode(), cmd::kMouseTrajectories);
    const platform::CommandState mode = frame.QueryCommand(cmd::kMouseTrajectories);
    EXPECT_TRUE(mode.enabled);
    EXPECT_TRUE(mode.checked);

    // A left click on the saddle where it rises above the plane: the trajectory starts at the
    // picked point, watched, and winds up into the picture.
    const auto pixel = win->ProjectToPixel({1.2L, 1, 1.2L / 8 - 1.5L});
    ASSERT_TRUE(pixel.has_value());
    Vec3 picked{};
    ASSERT_EQ(win->PickSurfacePoint(*pixel, picked), 0);
    EXPECT_NEAR(static_cast<double>(picked.z), static_cast<double>(picked.x * picked.y / 8 - 1.5L),
                1e-6);
    win->MouseDown({MouseButton::Left, *pixel});
    win->MouseUp({MouseButton::Left, *pixel});
    EXPECT_TRUE(prompter.messages.empty());
    const auto& trajectories = win->Inventory()[2].trajectories;
    ASSERT_EQ(trajectories.size(), 1u);
    EXPECT_EQ(trajectories.front().startX, picked.x);
    EXPECT_EQ(trajectories.front().startY, picked.y);
    EXPECT_EQ(trajectories.front().startZ, picked.z);
    const QImage withTrajectory = CachedPicture(*win);
    const QRgb ink = PenColour(*win, trajectories.front().pen);
    EXPECT_GT(PixelsOf(withTrajectory, ink), PixelsOf(withPlane, ink) + 50);
    EXPECT_EQ(win->Inventory()[3].kind, examples::kind::kPlane);
    CloseUnsaved(*win);
}

}  // namespace
}  // namespace quorlin::plot3d
