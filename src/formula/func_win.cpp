#include "formula/func_win.h"

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

std::string TFuncWin::EvaluatedString(const TEvalText& text) const {
    std::string shown;
    auto append = [&shown](const std::string& part) {
        if (!shown.empty()) shown += ' ';
        shown += part;
    };
    if (text.flags[3]) append(text.texts[3]);
    for (std::size_t i = 0; i < 3; ++i) {
        if (!text.flags[i]) continue;
        long double value = 0;
        std::string part = text.flags[4] ? text.texts[i] + " = " : std::string();
        part += formulas_->ReadNumber(text.texts[i], value) == 0
                    ? FormatLf(value, 0, text.places[i])
                    : std::string("?");
        append(part);
    }
    return canvas::ReplaceHyphens(shown, static_cast<int>(text.dash));
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
