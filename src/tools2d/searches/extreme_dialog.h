#pragma once
// TExtrDlg: the extreme-values dialog ("EXTREMES", command 709) of a 2D window. Each request
// ("next extreme of", each later use of the command) shows the next extreme of the chosen
// target on the chosen explicit, polar or parametric curve (TExtremeSearch) and records it as a
// data entry of the example. "save" puts the chosen coordinate of the shown point into the
// chosen letter (moving its slider when that is shown); "mark pt" adds the point as an example.
#include <optional>

#include "examples/levels/combo_dialog.h"
#include "tools2d/searches/extreme_search.h"
#include "tools2d/searches/letter_saving.h"

namespace quorlin::plot2d {
class TPlotAWin;
}

namespace quorlin::tools2d {

class TExtrDlg : public examples::TComboDlg, public TSearchControls {
public:
    static constexpr int kTarget = 296;

    explicit TExtrDlg(plot2d::TPlotAWin& window);

    // Runs the search of the chosen target and shows what it found.
    void NextExtreme();
    // The point shown: x, y, the third value and t; none after a failed request.
    const std::optional<TExtremePoint>& Shown() const { return shown_; }

    void SetupWindow() override;
    void RefillLists() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

protected:
    void SelectionChanged() override;
    // The example may have been edited: its extreme is no longer known.
    void SelectionKept() override { Clear(); }
    void SelectionLost() override { Clear(); }

private:
    void FillChoices();
    const TExtremeTargetRow* Target() const;
    void ShowResult(std::optional<TExtremePoint> point);
    void Clear();
    void EnableControls();
    void Save();

    plot2d::TPlotAWin& owner_;
    TExtremeSearch search_;
    std::optional<TExtremePoint> shown_;
    int target_ = 0;      // position in the target list
    int coordinate_ = 0;  // position in the coordinate list
    int letter_ = 1;
    bool ready_ = false;
};

}  // namespace quorlin::tools2d
