#pragma once
// TFuncDlg: the modeless dialog "FUNC" in which the user defines, replaces and deletes the
// functions of a graphing window (NAME(X) = body with one, two or three arguments).
//
// The list shows every function as listings show it; selecting a line copies it into the
// name and body fields and the argument radios. "define" stores the fields under the name
// (replacing a function of that name), "delete" removes the selected function, "close" only
// hides the dialog. Every change goes to the window through TFuncWin::UserFunctionsChanged,
// and a refused definition is explained in a box and changes nothing.
#include <QString>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace quorlin {

class TFuncWin;

// Control ids of the template.
namespace funcdlg {
inline constexpr int kList = 295;
inline constexpr int kName = 211;
inline constexpr int kBody = 212;
inline constexpr int kOneArgument = 251;  // 252 and 253 for two and three
inline constexpr int kDefine = 790;
inline constexpr int kDelete = 52;
}  // namespace funcdlg

// The explanation of a refused definition (a DefineUserFunction code other than done) for the
// name and body checks; empty for a parser error, whose message is the parser's own.
QString UserFunctionRefusal(int code);

class TFuncDlg : public platform::Dialog {
    Q_OBJECT
public:
    explicit TFuncDlg(TFuncWin& window);

    // Refills the list from the window's functions; select >= 0 selects that line.
    void FillList(int select = -1);

    void SetupWindow() override;
    void OnControl(int id) override;
    void OnNotify(int id, platform::Notification what) override;

private:
    int ArgumentCount() const;
    void SetArgumentCount(int count);
    void ShowSelected();
    void CmDefine();
    void CmDelete();
    void ShowRefusal(int code);

    TFuncWin& window_;
    std::vector<std::string> names_;  // the function of each list line
};

}  // namespace quorlin
