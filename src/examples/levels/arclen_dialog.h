#pragma once
// TArcLenDlg: the modeless "length of curve" dialog ("ARCLEN") of a graphing window.
//
// Its list (295, TComboDlg) holds the window's curves (201, 202, 203, 304) of their own. "length"
// (761) reads the lower and upper limit (211, 212: formulas, optionally ending in "@" and a
// parameter letter) and the subintervals (213), computes the arc length of the chosen curve by the
// window's six sums, shows the Simpson sum (235) and records it on the curve as a data entry "arc
// length". Limits of y = f(x) beyond the view are refused with 17, limits the wrong way round
// with 6. Limits tied to two different parameters hand those parameters their values and open their
// sliders. "close" (2) hides the dialog; the window refills its list when the inventory changes.
// The length shown belongs to the curve selected now and the fields as they read: a new
// selection, typing in a limit or the count, a change of the inventory, a failed run or Q clear
// it.
#include "examples/levels/combo_dialog.h"

namespace quorlin::examples {

class TPlot11Win;

class TArcLenDlg : public TComboDlg {
public:
    static constexpr int kLowEdit = 211;
    static constexpr int kHighEdit = 212;
    static constexpr int kCountEdit = 213;
    static constexpr int kResult = 235;
    static constexpr int kLength = 761;
    static constexpr int kMarkKind = 53;  // the tag of its data entries

    explicit TArcLenDlg(TPlot11Win& window);

    void SetupWindow() override;
    void OnControl(int id) override;

protected:
    void SelectionChanged() override { ClearResult(); }
    // Its curve gone, the length shown was of nothing listed now.
    void SelectionLost() override { ClearResult(); }
    // The limits and the count are all read by the length.
    void FieldEdited(int) override { ClearResult(); }

private:
    void ClearResult();
    // Reads the limits and the count into the window's tools; 0 or an error number.
    int ReadInterval();
    // Reads, computes, shows and records; errors are shown.
    void ApplyInterval();
    void ShowInterval();

    TPlot11Win& owner_;
    int lowLetter_ = 0;
    int highLetter_ = 0;
};

}  // namespace quorlin::examples
