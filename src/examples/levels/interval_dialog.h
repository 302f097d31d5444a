#pragma once
// The tool dialogs on two lists and on an interval of one example, on TComboDlg:
//   T2ComboDlg   a second drop-down list (296) with kinds of its own, refilled with the first;
//   TPreRiemDlg  the interval dialogs: lower and upper limit (211, 212) that may be tied to
//                animation parameters, subintervals (213), a result line (235), button 761 that
//                reads, computes and shows, and a marked point that records the result on the
//                example. The interval is the window's (TToolSettings). Every field is an input
//                of the result: typing in one clears it.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "examples/levels/combo_dialog.h"

namespace quorlin {
class FormulaContext;
}

namespace quorlin::examples {

// The one reader of the counts of subintervals and divisions the tool dialogs take: the whole
// text of the field (blanks around it aside), at most 10 characters, an integer in
// [1, 2147483647]. 0, or kErrOutOfBounds for a longer text or anything else, so the count used is
// always the count shown.
int ReadSubintervalCount(FormulaContext& formulas, const QString& text, int& out);

class TPlot1Win;

class T2ComboDlg : public TComboDlg {
public:
    static constexpr int kList2Id = 296;

    T2ComboDlg(TPlotWin& window, std::string_view templateName, std::span<const int> kinds,
               std::span<const int> kinds2);

    int SelectedExample2() const { return selected2_; }
    int SelectedKind2() const { return selectedKind2_; }
    // The position of an example in list 296, -1 when it is not listed.
    int ListIndexOf2(int example) const;
    // Chooses example g in list 296, as the user does; nothing when it is not listed.
    void ChooseSecond(int g);

    // The first list, then the second; a position beyond the end of the second becomes its
    // last.
    void RefillLists() override;
    // The second example is followed too: the next refill selects it where it now stands.
    void ExamplesRenumbered(std::span<const int> map) override;
    void SetupWindow() override;
    void OnNotify(int id, platform::Notification what) override;

protected:
    // A selection of list 296 was read.
    virtual void SecondSelectionChanged() {}

private:
    bool Accepts2(int example) const;
    void FillList2();
    void ReadSelection2();

    std::vector<bool> kinds2_;
    std::vector<int> map2_;
    int selected2_ = -1;
    int selectedKind2_ = 0;
    int position2_ = -1;
    bool followSecond_ = false;  // renumbered: refill by the example, not by the position
};

class TPreRiemDlg : public T2ComboDlg {
public:
    static constexpr int kLowEdit = 211;
    static constexpr int kHighEdit = 212;
    static constexpr int kSubintervalEdit = 213;
    static constexpr int kResultStatic = 235;
    static constexpr int kValueButton = 761;

    // markKind and the label of string labelId name the marked point of a result.
    TPreRiemDlg(TPlot1Win& window, std::string_view templateName, std::span<const int> kinds,
                int markKind, int labelId);

    // The limits are the values of their parameters (two different letters were typed).
    bool IsTied() const { return tied_; }
    long double Result() const { return result_; }

    void SetupWindow() override;
    void OnControl(int id) override;

protected:
    // Reads limits and subintervals into the window's interval; 0 or an error number.
    virtual int ReadInterval();
    // Derived dialogs compute here into result_ and resultText_; 0 or an error number.
    virtual int ComputeResult() { return 0; }
    virtual void ShowResultText();
    virtual void PrepareOverlay();
    // Forgets the result shown: a failed or stopped run, or a new selection, leaves none beside
    // the new inputs.
    virtual void ClearResults();
    // The result was read from the field's former text.
    void FieldEdited(int id) override;
    // Read, compute, show, mark; a failure or Q clears the result shown.
    void ApplyInterval();
    void ShowInterval();
    // Unties the limits from their parameters: the typed limits count again.
    void ClearLinks();

    TPlot1Win& tool_;
    long double result_ = 0;
    std::string resultText_;

private:
    int lowLetter_ = 0;
    int highLetter_ = 0;
    bool tied_ = false;
    int markKind_;
    std::string markLabel_;
};

}  // namespace quorlin::examples
