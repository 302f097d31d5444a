#pragma once
// TFuncWin: the formula level of a graphing window.
//
// It gives the window its own formula engine (formula_context.h: variable table, animation
// parameters, user functions, real or complex mode), so every numeric field of the window's
// dialogs accepts an expression in the window's variables and user functions, and the window's
// evaluated texts show the values of their expressions. The engine itself stays free of any
// window; this level only forwards to it. The level also owns the modeless user-functions
// dialog (command 506) and tells the window when the functions change.
#include <QPointer>
#include <memory>
#include <string>
#include <string_view>

#include "canvas/zel_winm.h"
#include "formula/formula_context.h"
#include "shell/window_kinds.h"

namespace quorlin {

class TFuncDlg;

class TFuncWin : public canvas::TZELWinm {
public:
    TFuncWin(int kind, QString fileName, QString iniName, QWidget* parent = nullptr);
    ~TFuncWin() override;

    FormulaContext& Formulas() { return *formulas_; }
    const FormulaContext& Formulas() const { return *formulas_; }

    // Parses a formula into the engine's parse result; 0 or an error number.
    int Parse(std::string_view text) { return formulas_->Parse(text); }
    // A numeric field: any constant expression in the window's variables and functions.
    int ReadNumber(std::string_view text, long double& out) override;

    // Checks the expressions that are on; stores as the text level does.
    int ParseEvalText(const canvas::TEvalText& text, std::uint16_t& evalIndex,
                      bool checkOnly) override;
    // An evaluated text shows its label and the values of its expressions that are on.
    std::string GetTextString(const canvas::TEquationLabel& text, bool evaluated) const override;

    // Command 506: creates the user-functions dialog on first use and shows it.
    void ShowFuncDialog();
    // The dialog once created, else null.
    TFuncDlg* FuncDialog() const;
    // After the user functions changed: the names that contain X, Y or Z are collected again,
    // an open dialog refills its list, the window is modified and repaints. Higher levels
    // extend it to recompile what uses the functions.
    virtual void UserFunctionsChanged();

private:
    std::string EvaluatedString(const canvas::TEvalText& text) const;
    std::string ExpandedLabel(const canvas::TEvalText& text) const;

    std::unique_ptr<FormulaContext> formulas_;
    QPointer<TFuncDlg> funcDlg_;
};

// A WindowCreator for the frame's "2-dim" item and the logarithmic modes: a TFuncWin with the
// 2D window's menu, keys and ini file.
platform::Window* CreateFormulaWindow(const NewWindowRequest& request);

}  // namespace quorlin
