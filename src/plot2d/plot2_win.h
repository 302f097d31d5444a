#pragma once
// TPlot2Win: the 2D graphing window of the Window menu's "2-dim" item and of ".qz2" files.
//
// It stands on the levels every graphing window shares (TPlotWin .. TPlot111Win) with the 2D
// menu, keys and ini file "qz2.ini", and draws its examples kind by kind through the drawer
// table of the 2D kinds (drawers.h) after the axes and grid.
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

protected:
    // What the drawers need of this window.
    TDrawContext DrawContext();
};

// A WindowCreator for the frame's "2-dim" item and ".qz2" files.
platform::Window* CreatePlot2Window(const NewWindowRequest& request);

}  // namespace quorlin::plot2d
