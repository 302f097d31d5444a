#pragma once
// TIntSSDlg: the curves of one surface intersection ("INTERC") on the curve list of T3DIvpDlg.
// It names the two surfaces, "search" finds the intersection's curves in the window of
// intersection curves (until Q) and "see" shows them there without a search; new curves take
// the colour of new curves. "keep changes", "discard changes", "del one" and "del all" hide that
// window first, then do what the curve list does; a search that added curves counts as a
// change, so that "discard changes" takes them back. A curve traced in a parametric surface's
// parameters is listed with its start in space.
#include "plot3d/levelcurves/level_dialog.h"

namespace quorlin::plot3d {

class TIntSSDlg : public T3DIvpDlg {
public:
    static constexpr int kFirstSurface = 281;
    static constexpr int kSecondSurface = 282;
    static constexpr int kSearch = 353;
    static constexpr int kSee = 779;

    TIntSSDlg(TPlotRWin& window, int example);

    // Another intersection: its surfaces and curves, with a new copy of its curves.
    void SetExample(int example) override;
    // The inventory changed: the surfaces' texts and the curves again.
    void Refresh();
    // The curves listed; a curve in a parametric surface's parameters names its start in space.
    void FillList() override;
    // The curves searched and shown; the key of the drawing (81 after Q).
    int CmSearch();
    void CmSee();

protected:
    void SetupWindow() override;
    void OnControl(int id) override;

private:
    void ShowSurfaces();
    void ShowParents();
};

}  // namespace quorlin::plot3d
