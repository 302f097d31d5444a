#pragma once
// The 2D window classes of the Window menu: TPlot2Win ("2-dim", ".qz2" files, "qz2.ini"),
// TLogWin (the logarithmic modes, ".lqz" files, "qzlog.ini"; its readout maps the mouse to
// values) and TPlotXWin (the planets window of orbital systems, "planets.ini"), with the
// creators the frame's registry calls.
#include "plot2d/plot_e_win.h"

namespace quorlin::plot2d {

class TPlot2Win : public TPlotEWin {
public:
    explicit TPlot2Win(QString fileName, QWidget* parent = nullptr);
};

class TLogWin : public TPlotEWin {
public:
    explicit TLogWin(QString fileName, QWidget* parent = nullptr);
    // Its files keep no family marks, and example 0's second text is "t".
    examples::TBodyWindow BodyWindow() const override { return {2, true}; }
    // "lqz", though its file head is the 2D kind.
    QString DefaultExtension() const override;
};

class TPlotXWin : public TPlotEWin {
public:
    explicit TPlotXWin(QString fileName, QWidget* parent = nullptr);
    // Runs the installed editor (orbital_editor.h) on a copy's safe keeping: after "draw" the
    // system is drawn anew, after "cancel" the example is put back as it was. The inventory
    // dialog is busy meanwhile.
    bool EditOrbitalSystem(int i) override;
};

// WindowCreators for the frame's registry.
platform::Window* CreatePlot2Window(const NewWindowRequest& request);
platform::Window* CreateLogWindow(const NewWindowRequest& request);
platform::Window* CreatePlanetsWindow(const NewWindowRequest& request);

}  // namespace quorlin::plot2d
