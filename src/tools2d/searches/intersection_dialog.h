#pragma once
// TInterCCDlg: the intersection-points dialog ("INTER", command 710) of a 2D window. Each request
// ("next intersection", each later use of the command) shows the next meeting of the two chosen
// curves and the angle between them there (TIntersectionSearch), in degrees when 271 is checked
// and not at all in a logarithmic window, and records the point on both curves. "save" puts x,
// y or the angle (in radians) into a letter; "mark point" adds the point as an example.
#include "examples/levels/interval_dialog.h"
#include "tools2d/searches/intersection_search.h"
#include "tools2d/searches/letter_saving.h"

namespace quorlin::plot2d {
class TPlotAWin;
}

namespace quorlin::tools2d {

class TInterCCDlg : public examples::T2ComboDlg, public TSearchControls {
public:
    static constexpr int kDegrees = 271;

    explicit TInterCCDlg(plot2d::TPlotAWin& window);

    // Runs the search for the chosen pair and shows what it found.
    void NextIntersection();
    // The last request's outcome (result 1: a point shown).
    const TIntersection& Result() const { return result_; }

    void SetupWindow() override;
    void RefillLists() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

protected:
    void SelectionChanged() override;
    void SecondSelectionChanged() override;
    void SelectionKept() override { Clear(); }
    void SelectionLost() override { Clear(); }

private:
    void ShowResult(bool record);
    void Clear();
    void EnableControls();
    void Save();

    plot2d::TPlotAWin& owner_;
    TIntersectionSearch search_;
    TIntersection result_;
    int coordinate_ = 0;  // x, y, the angle
    int letter_ = 1;
    bool ready_ = false;
};

}  // namespace quorlin::tools2d
