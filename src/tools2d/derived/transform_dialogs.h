#pragma once
// The transform tools of a 2D window, modeless on the one-example dialog base:
//   TReflDlg "REFLECT" (704): in the x-axis, the y-axis, x = y or a x + b y = c, with its mirror
//            line when "graph mirror" is checked;
//   TRotaDlg "ROTATE" (705): a half-turn or a turn through an angle (radians, or degrees ending in
//            "deg") about a centre;
//   TTranDlg "TRANSLATE" (706): by the vector [a, b].
// "reflect", "rotate" or "translate" (91) adds the image of the selected example, or of every
// marked example when the selected one is marked; "undo" (98) takes back the newest example while
// it carries the dialog's codes, with everything derived from it.
//
// ApplyTransform and AddDerivative are the window operations behind them and behind the
// inventory's "derive": they add the records (derived_adders.h), their labels, and bring the
// window up to date.
#include <span>

#include "examples/levels/combo_dialog.h"
#include "tools2d/derived/derived_adders.h"

namespace quorlin::examples {
class TPlot11Win;
}

namespace quorlin::tools2d {

// What the builders of derived examples work on in the window.
TDeriveContext DeriveContextOf(examples::TPlot11Win& window);

// Adds the transforms of the examples (in order) by the code (101-104, negative: with the mirror
// line after the last; 105, 106, 110) and its texts; stops at the first error, which is shown
// and returned (0 when all were added).
int ApplyTransform(examples::TPlot11Win& window, std::span<const int> examples, int code,
                   const TTransformTexts& texts);
// Adds the derivative of example i; 0 or the error, which is shown.
int AddDerivative(examples::TPlot11Win& window, int i);

class TTransformDlg : public examples::TComboDlg {
public:
    static constexpr int kApplyButton = 91;
    static constexpr int kUndoButton = 98;
    static constexpr int kFirstEdit = 211;  // 211-213: the three texts

    TTransformDlg(examples::TPlot11Win& window, std::string_view templateName,
                  std::span<const int> kinds, TTransformKind kind);

    void SetupWindow() override;
    void OnControl(int id) override;
    void RefillLists() override;

    // The examples "apply" transforms: the selected one, or every marked example of the list
    // (list order) when it is marked.
    std::vector<int> Targets() const;

protected:
    void CmOk() override { Apply(); }
    // The code to apply (negative: with the mirror line) and the texts read for it.
    virtual int Code() const = 0;
    virtual TTransformTexts Texts(std::array<std::string, 3>& storage) const;

private:
    void Apply();
    void Undo();
    void UpdateUndo();

    examples::TPlot11Win& owner_;
    TTransformKind kind_;
};

class TReflDlg : public TTransformDlg {
public:
    static constexpr int kFirstRadio = 251;  // x-axis, y-axis, x = y, a x + b y = c
    static constexpr int kMirrorCheck = 271;
    explicit TReflDlg(examples::TPlot11Win& window);
    void SetupWindow() override;

protected:
    int Code() const override;
};

class TRotaDlg : public TTransformDlg {
public:
    static constexpr int kHalfTurnRadio = 251;
    static constexpr int kAngleRadio = 252;
    explicit TRotaDlg(examples::TPlot11Win& window);
    void SetupWindow() override;

protected:
    int Code() const override;
    TTransformTexts Texts(std::array<std::string, 3>& storage) const override;
};

class TTranDlg : public TTransformDlg {
public:
    static constexpr int kThirdLabel = 233;
    explicit TTranDlg(examples::TPlot11Win& window);
    void SetupWindow() override;

protected:
    int Code() const override;
};

}  // namespace quorlin::tools2d
