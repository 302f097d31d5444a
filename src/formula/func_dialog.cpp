#include "formula/func_dialog.h"

#include <algorithm>

#include "core/errors.h"
#include "formula/func_win.h"
#include "platform/boxes.h"

namespace quorlin {

using resources::ControlKind;

namespace {

constexpr int kMaxArguments = 3;
constexpr int kMakeASelection = 15;  // error "make a selection"

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QString UserFunctionRefusal(int code) {
    switch (code) {
        case userfn::kEmptyName:
            return QStringLiteral("a function needs a name");
        case userfn::kNameTaken:
            return QStringLiteral("one letter or a built-in name: choose another name");
        case userfn::kNameTooLong:
            return QStringLiteral("a name has at most 9 letters");
        case userfn::kNameNotLetters:
            return QStringLiteral("a name has letters only");
        case userfn::kEmptyBody:
            return QStringLiteral("a function needs a body");
        case userfn::kBodyTooLong:
            return QStringLiteral("a body has at most 60 characters");
        case userfn::kTooMany:  // "no more room"
            return platform::ResourceString(platform::kErrorStringBase + kErrNoMoreRoom);
        default:
            return {};
    }
}

TFuncDlg::TFuncDlg(TFuncWin& window) : platform::Dialog(&window, "FUNC"), window_(window) {}

void TFuncDlg::SetupWindow() {
    Dialog::SetupWindow();
    SetArgumentCount(1);
    FillList();
}

void TFuncDlg::FillList(int select) {
    ClearList(funcdlg::kList);
    names_.clear();
    for (const UserFunction& f : window_.Formulas().UserFunctions()) {
        AddString(funcdlg::kList, FromStd(UserFunctionLine(f)));
        names_.push_back(f.name);
    }
    if (select >= 0 && select < static_cast<int>(names_.size()))
        SetSelectedIndex(funcdlg::kList, select);
}

void TFuncDlg::OnControl(int id) {
    switch (id) {
        case funcdlg::kDefine:
            CmDefine();
            break;
        case funcdlg::kDelete:
            CmDelete();
            break;
        default:
            Dialog::OnControl(id);
            break;
    }
}

void TFuncDlg::OnNotify(int id, platform::Notification what) {
    if (id == funcdlg::kList && what == platform::Notification::SelectionChanged) ShowSelected();
    Dialog::OnNotify(id, what);
}

int TFuncDlg::ArgumentCount() const {
    for (int n = 1; n <= kMaxArguments; ++n)
        if (IsChecked(funcdlg::kOneArgument + n - 1)) return n;
    return 1;
}

void TFuncDlg::SetArgumentCount(int count) {
    for (int n = 1; n <= kMaxArguments; ++n) SetChecked(funcdlg::kOneArgument + n - 1, n == count);
}

void TFuncDlg::ShowSelected() {
    const int line = SelectedIndex(funcdlg::kList);
    if (line < 0 || line >= static_cast<int>(names_.size())) return;
    const UserFunction* f = window_.Formulas().FindUserFunction(names_[line]);
    if (!f) return;
    SetText(funcdlg::kName, ControlKind::Edit, FromStd(f->name));
    SetText(funcdlg::kBody, ControlKind::Edit, FromStd(f->body));
    SetArgumentCount(f->argCount);
}

void TFuncDlg::CmDefine() {
    FormulaContext& formulas = window_.Formulas();
    const std::string name =
        UpperCased(GetText(funcdlg::kName, ControlKind::Edit).trimmed().toStdString());
    const std::string body = GetText(funcdlg::kBody, ControlKind::Edit).trimmed().toStdString();
    // A function of the same name is replaced, whatever line is selected.
    const UserFunction* existing = formulas.FindUserFunction(name);
    const int code = formulas.DefineUserFunction(name, body, ArgumentCount(), existing);
    if (code != userfn::kDone) {
        ShowRefusal(code);
        FocusControl(code < userfn::kBodyParseError ? funcdlg::kName : funcdlg::kBody, true);
        return;
    }
    window_.UserFunctionsChanged();
    const auto& all = formulas.UserFunctions();
    const auto it = std::find_if(all.begin(), all.end(),
                                 [&name](const UserFunction& f) { return f.name == name; });
    FillList(static_cast<int>(it - all.begin()));
}

void TFuncDlg::CmDelete() {
    const int line = SelectedIndex(funcdlg::kList);
    if (line < 0 || line >= static_cast<int>(names_.size())) {
        platform::ErrorMsg(this, kMakeASelection);
        return;
    }
    if (window_.Formulas().RemoveUserFunction(names_[line])) window_.UserFunctionsChanged();
    FillList();
}

void TFuncDlg::ShowRefusal(int code) {
    const QString text = UserFunctionRefusal(code);
    if (text.isEmpty()) {
        platform::ErrorMsg(this, code - userfn::kBodyParseError);
        return;
    }
    platform::MsgBox(this, platform::ResourceString(platform::kStrHmmCaption), text,
                     platform::kMsgOk);
}

}  // namespace quorlin
