#pragma once
// The line and flux integral dialogs on "RIEM4" (two lists: the field, then the curve or
// surface):
//   TLineDlg   (832) the line integral of a system example (210; 310 in space) along a
//              parametric curve (203; 304 in space) over t min..t max in its divisions;
//   TFluxDlg   (833, space windows) the flux of a 310 field through a parametric surface (303)
//              over the t and u ranges.
// The ranges and counts live in the window's tool settings and reappear at the next opening.
// "value" (761) reads every field first (6 when a range is empty or reversed, 17 for a count
// outside [1, 2147483647]); the value is shown and recorded on both examples under its own tag.
// An undefined integrand shows 106; Q stops without a word. The value shown belongs to the two
// examples selected now and the ranges as they read: a new selection, typing in a range or
// count, a change of the inventory, a failed run or Q clear it.
#include "examples/levels/interval_dialog.h"

namespace quorlin::examples {
class TPlot11Win;
}

namespace quorlin::tools2d {

class TLineDlg : public examples::T2ComboDlg {
public:
    static constexpr int kTLow = 211;
    static constexpr int kTHigh = 212;
    static constexpr int kTCount = 213;
    static constexpr int kULow = 214;
    static constexpr int kUHigh = 215;
    static constexpr int kUCount = 216;
    static constexpr int kResult = 235;
    static constexpr int kValue = 761;

    explicit TLineDlg(examples::TPlot11Win& window);

    long double LastResult() const { return result_; }
    void SetupWindow() override;
    void OnControl(int id) override;

protected:
    TLineDlg(examples::TPlot11Win& window, std::span<const int> fields,
             std::span<const int> targets, int tag, int captionId);
    // Reads the fields into the window's settings; 0 or an error number (nothing stored then).
    virtual int ReadFields();
    virtual void ShowFields();
    virtual int Integrate(long double& out);
    void SelectionChanged() override { ClearValue(); }
    void SecondSelectionChanged() override { ClearValue(); }
    // Every field shown is a range or count the value was read from.
    void FieldEdited(int) override { ClearValue(); }

    // One range and count from three edits.
    struct TRange {
        long double low = 0, high = 0;
        int count = 0;
    };
    int ReadRange(int lowId, int highId, int countId, TRange& out) const;
    void ShowRange(int lowId, int highId, int countId, const TRange& range);

    examples::TPlot11Win& owner_;

private:
    void ComputeValue();
    void ClearValue();
    long double result_ = 0;
    int tag_;
    int captionId_;
};

class TFluxDlg : public TLineDlg {
public:
    explicit TFluxDlg(examples::TPlot11Win& window);
    void SetupWindow() override;

protected:
    int ReadFields() override;
    void ShowFields() override;
    int Integrate(long double& out) override;
};

}  // namespace quorlin::tools2d
