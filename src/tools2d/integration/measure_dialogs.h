#pragma once
// The measuring dialogs of a 2D window on the interval dialog base (interval_dialog.h), each
// answering with the parabolic sum of its integrand and recording it on the example:
//   TRevDlg     "REVOLVE": the volume (746) or surface area (784) swept when a curve (201, 202,
//               203) or a segment (205, exactly) turns about the axis ax + by = c ("x-axis",
//               "y-axis" set it);
//   TSectorDlg  "AREA" (716): the area swept by the radius vector of a curve;
//   T2VolDlg    "VOLTWO" (812): the volume swept by the region between two explicit curves
//               about y = c (washers, radio 251) or x = c (shells, radio 252).
// The interval of y = f(x) lies in the view; the parameter interval of other curves need not.
// An undefined integrand shows 106 and records nothing; Q stops without a word. The answer shown
// is always the one computed for the example selected now and the fields as they read: a new
// selection, typing in any field, another axis or kind of solid, a change of the inventory, a
// failed run or Q clear it.
#include "examples/levels/interval_dialog.h"
#include "tools2d/integration/revolution.h"

namespace quorlin::examples {
class TPlot11Win;
}

namespace quorlin::tools2d {

// What the three dialogs share: the window, the interval of parameter curves, and the data
// entry under the dialog's tag.
class TMeasureDlg : public examples::TPreRiemDlg {
public:
    TMeasureDlg(examples::TPlot11Win& window, std::string_view templateName,
                std::span<const int> kinds, int tag, int labelId);

protected:
    int ReadInterval() override;
    void PrepareOverlay() override;
    void SelectionChanged() override { ClearAnswer(); }
    void SecondSelectionChanged() override { ClearAnswer(); }
    // Sums the integrand in the curve's variable and hands the parabolic sum to the answer.
    int SumAnswer(NodePtr integrand, int variableSlot,
                  const std::function<long double(long double)>& answer);
    // The answer into the parabolic sum, its text, and the dialog's result.
    void SetAnswer(long double value);
    void SetEntry(int tag, int labelId);
    // Forgets the answer and shows its line empty.
    void ClearAnswer();

    examples::TPlot11Win& owner_;

private:
    int tag_;
    std::string label_;
};

class TRevDlg : public TMeasureDlg {
public:
    static constexpr int kXAxisButton = 714;
    static constexpr int kYAxisButton = 715;
    static constexpr int kAEdit = 214;
    static constexpr int kBEdit = 215;
    static constexpr int kCEdit = 216;

    explicit TRevDlg(examples::TPlot11Win& window);
    // Volume (true) or surface area.
    void SetKind(bool volume);
    bool IsVolume() const { return volume_; }

    void SetupWindow() override;
    void OnControl(int id) override;

protected:
    void SelectionChanged() override;
    int ReadInterval() override;
    int ComputeResult() override;

private:
    void ShowAxis();
    TAxisLine axis_ = kXAxis;
    bool volume_ = true;
};

class TSectorDlg : public TMeasureDlg {
public:
    explicit TSectorDlg(examples::TPlot11Win& window);
    void SetupWindow() override;

protected:
    int ComputeResult() override;
};

class T2VolDlg : public TMeasureDlg {
public:
    static constexpr int kWashers = 251;
    static constexpr int kShells = 252;
    static constexpr int kAxisEdit = 214;

    explicit T2VolDlg(examples::TPlot11Win& window);
    void SetupWindow() override;
    // Washers or shells: the answer of the other goes.
    void OnControl(int id) override;

protected:
    int ComputeResult() override;
};

}  // namespace quorlin::tools2d
