#pragma once
// TLBDatDlg: the left-button data dialog ("LBDATA", command 735) of a 2D window, modal: "no
// data", or an example of the combo (every example, in inventory order, so a line is an index)
// whose data the left button then reports in mouse mode 125. The choice is the window's only
// once the dialog is closed with OK.
#include "platform/dialog.h"

namespace quorlin::examples {
class TPlotWin;
}

namespace quorlin::tools2d {

class TLBDatDlg : public platform::Dialog {
public:
    static constexpr int kNoData = 251;
    static constexpr int kExampleData = 252;
    static constexpr int kExamples = 295;

    // index: the example whose data the left button reports, -1 none.
    TLBDatDlg(examples::TPlotWin& window, int index);

    // The example chosen now; -1 for "no data".
    int Choice() const { return choice_; }

    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

private:
    void ReadChoice();

    examples::TPlotWin& owner_;
    int choice_;
};

// Runs the dialog over the window's mouse-data example; on OK the choice is kept, and a chosen
// example puts the window into mouse mode 125. True on OK.
bool ChooseMouseData(examples::TPlotWin& window, int& index);

}  // namespace quorlin::tools2d
