#pragma once
// TRDSDlg: the modeless "RDS inventory" dialog of a 3D window. It lists the explicit and
// cylindrical surfaces (several may be selected), reads the density, strips and dot size (whole
// numbers 1..99) and the depth (an expression, at least 1e-13), and "draw" flags the selected
// surfaces for the stereogram and shows the stereogram window. A single listed surface is
// selected by itself. The window refills it after each inventory change, keeping the selection
// with its examples.
#include <span>
#include <vector>

#include "examples/records/plot_settings.h"
#include "platform/dialog.h"

namespace quorlin::plot3d {

class TPlotRWin;

class TRDSDlg : public platform::Dialog {
public:
    static constexpr int kList = 293;
    static constexpr int kDensity = 211;
    static constexpr int kStrips = 212;
    static constexpr int kDotSize = 213;
    static constexpr int kDepth = 214;
    static constexpr int kDraw = 91;

    explicit TRDSDlg(TPlotRWin& window);

    // The surfaces again, those selected before (by example) selected again.
    void FillList();
    // The example of each list line.
    const std::vector<int>& Listed() const { return listed_; }
    // Selects or deselects the line of example i.
    void SelectExample(int i, bool selected);
    // Examples were removed: each line's example moves with its index.
    void ExamplesRemoved(std::span<const int> oldToNew);
    // "draw": 0 when the stereogram window was shown, else the error shown.
    int CmDraw();

protected:
    void SetupWindow() override;
    void OnControl(int id) override;

private:
    // The four settings into the window; 0 or the first error.
    int ReadFields();

    TPlotRWin& window_;
    std::vector<int> listed_;
};

}  // namespace quorlin::plot3d
