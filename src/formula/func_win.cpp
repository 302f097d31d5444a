#include "formula/func_win.h"

#include <vector>

#include "canvas/canvas_window.h"
#include "core/numbers.h"
#include "formula/func_dialog.h"
#include "resources/command_ids.h"

namespace quorlin {

using canvas::TEquationLabel;
using canvas::TEvalText;

TFuncWin::TFuncWin(int kind, QString fileName, QString iniName, QWidget* parent)
    : TZELWinm(kind, std::move(fileName), std::move(iniName), parent),
      formulas_(std::make_unique<FormulaContext>()) {
    formulas_->ResetVariables();
    HandleCommand(resources::cmd::kUserFunctions, [this] { ShowFuncDialog(); });
}

// The dialog refers to this level, so it goes before Qt's own clean-up of the children.
TFuncWin::~TFuncWin() {
    delete funcDlg_.data();
}

void TFuncWin::ShowFuncDialog() {
    if (!funcDlg_) {
        funcDlg_ = new TFuncDlg(*this);
        funcDlg_->Create();
    }
    funcDlg_->ShowDialog();
    funcDlg_->raise();
}

TFuncDlg* TFuncWin::FuncDialog() const {
    return funcDlg_;
}

void TFuncWin::UserFunctionsChanged() {
    formulas_->CollectNamesWithXYZ();
    if (funcDlg_) funcDlg_->FillList();
    MarkModified();
    PictureChanged();
}

int TFuncWin::ReadNumber(std::string_view text, long double& out) {
    return formulas_->ReadNumber(text, out);
}

int TFuncWin::ParseEvalText(const TEvalText& text, std::uint16_t& evalIndex, bool checkOnly) {
    if (checkOnly) {
        for (int i = 0; i < 3; ++i) {
            if (!text.flags[static_cast<std::size_t>(i)]) continue;
            if (const int err = formulas_->Parse(text.texts[static_cast<std::size_t>(i)]))
                return err;
        }
    }
    return TZELWinm::ParseEvalText(text, evalIndex, checkOnly);
}

// The label with its '~' pieces evaluated: "?" for a piece that does not parse or evaluate.
std::string TFuncWin::ExpandedLabel(const TEvalText& text) const {
    std::string shown;
    const std::vector<std::string> pieces = canvas::SplitEvalLabel(text.texts[3]);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (k % 2 == 0) {
            shown += pieces[k];
            continue;
        }
        long double value = 0;
        shown += formulas_->ReadNumber(pieces[k], value) == 0 ? FormatLf(value, 0, text.places[0])
                                                              : std::string("?");
    }
    return shown;
}

// "label (e1,e2) = (v1,v2)": the label first, then the values of the expressions that are on,
// with their texts when "show expressions" is on; two or three go in parentheses. Only the
// expression texts take the character in place of the hyphen (a negative value keeps its sign).
std::string TFuncWin::EvaluatedString(const TEvalText& text) const {
    std::string shown;
    if (text.flags[3]) shown = ExpandedLabel(text) + ' ';
    std::string expressions;
    std::string values;
    int active = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!text.flags[i]) continue;
        const std::string separator = active++ > 0 ? "," : "";
        long double value = 0;
        values += separator + (formulas_->ReadNumber(text.texts[i], value) == 0
                                   ? FormatLf(value, 0, text.places[i])
                                   : std::string("?"));
        expressions +=
            separator + canvas::ReplaceHyphens(text.texts[i], static_cast<int>(text.dash));
    }
    if (active == 0) return shown;
    const bool grouped = active > 1;
    auto enclose = [grouped](const std::string& s) { return grouped ? "(" + s + ")" : s; };
    if (text.flags[4]) shown += enclose(expressions) + " = ";
    return shown + enclose(values);
}

std::string TFuncWin::GetTextString(const TEquationLabel& text, bool evaluated) const {
    if (!evaluated) return TZELWinm::GetTextString(text, evaluated);
    TEvalText e;
    if (!GetEvalText(e, text.evalIndex)) return text.text;
    return EvaluatedString(e);
}

platform::Window* CreateFormulaWindow(const NewWindowRequest& request) {
    auto* window = new TFuncWin(canvas::kPlot2DKind, request.fileName, QStringLiteral("qz2.ini"));
    canvas::PrepareCanvasWindow(window, request);
    return window;
}

}  // namespace quorlin
