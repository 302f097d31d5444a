#pragma once
// TZeroDlg: the x-intercepts dialog ("ZEROS", command 707) of a 2D window. Each request ("next",
// a new example, each later use of the command) shows the next zero of the chosen explicit
// curve, segment or line (TZeroSearch) and records it as a data entry of the example; the zero
// can be saved into a letter (moving its slider when that is shown) or marked as a point example.
#include "examples/levels/combo_dialog.h"
#include "tools2d/searches/letter_saving.h"
#include "tools2d/searches/zero_search.h"

namespace quorlin::plot2d {
class TPlotAWin;
}

namespace quorlin::tools2d {

class TZeroDlg : public examples::TComboDlg, public TSearchControls {
public:
    explicit TZeroDlg(plot2d::TPlotAWin& window);

    // Runs the search from the scan position and shows what it found.
    void NextZero();
    bool Found() const { return found_; }
    long double LastZero() const { return zero_; }
    const TZeroSearch& Search() const { return search_; }

    void SetupWindow() override;
    void RefillLists() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

protected:
    void SelectionChanged() override;
    // The example may have been edited: its zero is no longer known, nor was a search made.
    void SelectionKept() override { Clear(); }
    void SelectionLost() override { Clear(); }

private:
    void ShowResult(const TZeroResult& result);
    void Clear();
    void EnableControls();
    void SaveZero();

    plot2d::TPlotAWin& owner_;
    TZeroSearch search_;
    bool found_ = false;
    bool ready_ = false;
    long double zero_ = 0;
    int letter_ = 1;
};

}  // namespace quorlin::tools2d
