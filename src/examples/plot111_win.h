#pragma once
// TPlot111Win: the slider-host level, the last level the 2D and 3D windows share.
//
// It will host the curve slider and the trajectory slider of a window and the "Scrollbar
// units ..." command that sets the step counts of every slider (TPlotWin's slider steps). Here
// it introduces their slots: OpenTrace (the 2D branch opens "TRACE", the 3D branch "TRACE3")
// and ApplyScrollbarUnits. Its commands are not handled yet, so their menu items are off.
#include "examples/plot11_win.h"

namespace quorlin::examples {

class TPlot111Win : public TPlot11Win {
public:
    TPlot111Win(int kind, QString fileName, QString iniName, int dimension,
                QWidget* parent = nullptr);
    ~TPlot111Win() override;

    // --- slots ---
    // Gives the open sliders the step counts of slider slot 0.
    virtual void ApplyScrollbarUnits();
    // Opens the curve slider of the window.
    virtual void OpenTrace();
};

}  // namespace quorlin::examples
