#pragma once
// TPlot2Win: the 2D graphing window of the Window menu's "2-dim" item and of ".qz2" files.
//
// It stands on the levels every graphing window shares (TPlotWin .. TPlot111Win) with the 2D
// menu, keys and ini file "qz2.ini", and draws its examples kind by kind through the drawer
// table of the 2D kinds (drawers.h) after the axes and grid. Over them, in the picture layer,
// it draws the cursors of the open sliders with their secants and vectors; its curve slider is
// "TRACE", and it rebuilds the examples derived from a changed one in index order.
#include "examples/plot111_win.h"
#include "plot2d/drawers.h"
#include "shell/window_kinds.h"

namespace quorlin::plot2d {

inline constexpr int kPlot2DFileKind = 841;

class TPlot2Win : public examples::TPlot111Win {
public:
    explicit TPlot2Win(QString fileName, QWidget* parent = nullptr);
    ~TPlot2Win() override;

    // The axes and grid, then every shown example; stops at Q.
    int DrawAll(platform::DeviceContext& dc) override;
    int DrawExample(platform::DeviceContext& dc, int i) override;
    // The lower levels' overlays, then the sliders' cursors and vectors.
    int DrawPicture(platform::DeviceContext& dc) override;
    // The curve slider on "TRACE" for explicit, polar, parametric and intrinsic curves.
    void OpenTrace() override;
    // Rebuilds the examples derived from i (all derived ones for -1), each after its parents.
    void UpdateDependents(int i) override;

    // Kinds the curve slider lists.
    static constexpr int kTraceKinds[] = {201, 202, 203, 225};

protected:
    // What the drawers need of this window.
    TDrawContext DrawContext();

private:
    // The cursor of the curve slider, its secant from the base point and its tangent vector.
    void PaintCurveSlider(platform::DeviceContext& dc);
    // The cursor of the trajectory slider and the field vector there.
    void PaintTrajectorySlider(platform::DeviceContext& dc);
    // A world point's pixel; false outside the drawing area.
    bool PixelOf(Vec3 p, QPoint& pixel) const;
};

// A WindowCreator for the frame's "2-dim" item and ".qz2" files.
platform::Window* CreatePlot2Window(const NewWindowRequest& request);

}  // namespace quorlin::plot2d
