#pragma once
// The bases of the tool dialogs that work on examples of the window's inventory, chosen from
// drop-down lists:
//   TComboDlg    one list (295) of the examples of the kinds the tool accepts, refilled when
//                the inventory changes, and the closing of a modeless tool dialog;
//   T2ComboDlg   a second list (296) with kinds of its own;
//   TPreRiemDlg  an interval of one example: lower and upper limit (211, 212) that may be tied
//                to animation parameters, subintervals (213), a result line (235), button 761
//                that computes, and a marked point that records the result on the example.
// The window is reached through TComboHost and TIntervalHost, which the window levels
// implement. The dialogs are created once, then shown and hidden.
#include <QFont>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "examples/inventory.h"
#include "formula/formula_context.h"
#include "platform/dialog.h"

namespace quorlin::examples {

// What a list of examples needs of its window.
class TComboHost {
public:
    virtual ~TComboHost() = default;
    virtual TInventory& Inventory() = 0;
    // The equation text of example i (at most 1999 characters).
    virtual std::string Description(int i) = 0;
    virtual QFont ListFont() const = 0;
    // Colour role 8 takes the colour of the selected example.
    virtual void SetColourRole(int role, std::int16_t index) = 0;
    virtual void HidePalette() = 0;
    // A tool dialog was closed: the window repaints without the tool's drawing.
    virtual void ToolClosed() = 0;
};

// The interval and result of the interval tools, kept by the window.
struct TToolInterval {
    long double low = 0;
    long double high = 5;
    int subintervals = 1000;
    long double result = 0;
    std::string resultText;
};

// What the interval dialogs need beyond the list.
class TIntervalHost : public TComboHost {
public:
    virtual FormulaContext& Formulas() = 0;
    virtual std::string FormatNumber(long double v) const = 0;
    virtual TToolInterval& Interval() = 0;
    // The left and right corners of the view.
    virtual long double ViewLeft() const = 0;
    virtual long double ViewRight() const = 0;
    // Opens the slider dialog of parameter letter (1 = A .. 23 = W).
    virtual void OpenParamDialog(int letter) = 0;
    // Adds a marked point of the kind to example i (not when the same point is there).
    virtual void AddMarkedPoint(int i, int kind, const std::array<long double, 4>& values, int n,
                                const std::string& label) = 0;
};

class TComboDlg : public platform::Dialog {
    Q_OBJECT
public:
    static constexpr int kList = 295;
    static constexpr int kKindCodes = 410;

    // kinds: the accepted kind codes; codes of 410 and more are ignored.
    TComboDlg(TComboHost& host, QWidget* parent, std::string_view templateName,
              std::initializer_list<int> kinds);

    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

    // Options of the lists, all off at construction.
    bool allowLagrange = false;  // polynomials through points
    bool allowProfile = false;   // the profile variant of 307 (sub-kind 204)
    bool allowDerived = false;   // derived examples
    bool paletteOpened = false;  // the dialog opened the window's palette

    int Selected() const { return first_.selected; }
    int SelectedPosition() const { return first_.position; }
    int SelectedKind() const { return first_.kind; }
    // The list position of an example, -1 when it is not listed.
    int ListIndexOf(int example) const;
    static bool IsFunctionOrLine(const TExample& e);

    // The window calls it whenever the inventory changed while the dialog exists.
    virtual void RefillLists();

protected:
    struct TList {
        int id = kList;
        std::array<bool, kKindCodes> kinds{};
        std::vector<int> map;  // example index of each position
        int selected = -1;
        int position = -1;
        int kind = 0;
    };
    // Called at set-up before the list is filled.
    virtual void ComboHook17() {}
    // Called whenever a selection of list 295 was read.
    virtual void SelectionChanged() {}
    virtual void CmCancel();
    virtual void CmOk() {}
    // Hidden, and the window repaints without the tool's drawing.
    virtual void MarkClosed();

    void FillList(TList& list);
    // Reads the selection of a list; true when an example is selected.
    bool ReadList(TList& list);
    static void SetKinds(TList& list, std::initializer_list<int> kinds);
    bool Accepts(const TList& list, int example) const;
    void ReadSelection();

    TComboHost& host_;
    TList first_;
};

class T2ComboDlg : public TComboDlg {
    Q_OBJECT
public:
    static constexpr int kList2 = 296;

    T2ComboDlg(TComboHost& host, QWidget* parent, std::string_view templateName,
               std::initializer_list<int> kinds, std::initializer_list<int> kinds2);

    void SetupWindow() override;
    void OnNotify(int id, platform::Notification what) override;
    void RefillLists() override;

    int Selected2() const { return second_.selected; }
    int SelectedKind2() const { return second_.kind; }
    int ListIndexOf2(int example) const;

protected:
    virtual void SecondSelectionChanged() {}
    void ReadSelection2();

    TList second_;
};

class TPreRiemDlg : public T2ComboDlg {
    Q_OBJECT
public:
    static constexpr int kValueButton = 761;

    TPreRiemDlg(TIntervalHost& host, QWidget* parent, std::string_view templateName,
                std::initializer_list<int> kinds, int markKind, int labelId);

    void SetupWindow() override;
    void OnControl(int id) override;

    bool IsTied() const { return tied_; }

protected:
    // Reads limits and subintervals into the window's interval; 0 or an error number.
    virtual int ReadInterval();
    // Derived dialogs compute their result here; 0 or an error number.
    virtual int ComputeResult() { return 0; }
    virtual void ShowResultText();
    virtual void PrepareOverlay();
    // Read, compute, show.
    virtual void ApplyInterval();
    void ShowInterval();

    TIntervalHost& tool_;
    int lowLetter_ = 0;
    int highLetter_ = 0;
    bool tied_ = false;
    int markKind_;
    std::string markLabel_;
};

}  // namespace quorlin::examples
