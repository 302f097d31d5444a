// The user-functions dialog of a graphing window, driven by control id: definitions reach the
// window's formula engine, every refusal is explained in a box and changes nothing, lines are
// replaced, selected and deleted, and command 506 keeps one dialog per window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "formula/func_dialog.h"
#include "formula/func_win.h"
#include "platform/boxes.h"
#include "resources/command_ids.h"

namespace quorlin {
namespace {

using resources::ControlKind;

class FuncDialogTest : public ::testing::Test {
protected:
    FuncDialogTest() : win(841, QStringLiteral("noname1.qz2"), QStringLiteral("fd.ini")) {
        win.SendCommand(resources::cmd::kUserFunctions);
        dlg = win.FuncDialog();
    }

    void Define(const QString& name, const QString& body, int argCount = 1) {
        dlg->SetText(funcdlg::kName, ControlKind::Edit, name);
        dlg->SetText(funcdlg::kBody, ControlKind::Edit, body);
        dlg->Press(funcdlg::kOneArgument + argCount - 1);
        dlg->Press(funcdlg::kDefine);
    }
    void Select(int line) {
        dlg->SetSelectedIndex(funcdlg::kList, line);
        dlg->OnNotify(funcdlg::kList, platform::Notification::SelectionChanged);
    }
    QStringList Lines() const {
        QStringList lines;
        for (int i = 0; i < dlg->ItemCount(funcdlg::kList); ++i)
            lines << dlg->ItemText(funcdlg::kList, i);
        return lines;
    }
    // Name, body and the argument counts whose buttons are checked.
    QStringList Fields() const {
        QString counts;
        for (int n = 1; n <= 3; ++n)
            if (dlg->IsChecked(funcdlg::kOneArgument + n - 1)) counts += QString::number(n);
        return {dlg->GetText(funcdlg::kName, ControlKind::Edit),
                dlg->GetText(funcdlg::kBody, ControlKind::Edit), counts};
    }
    // The value of a constant formula in the window's engine; NaN when it does not read.
    long double Value(const char* text) {
        long double v = 0;
        return win.ReadNumber(text, v) == 0 ? v : NAN;
    }

    platform::ScriptedPrompter prompter;
    TFuncWin win;
    TFuncDlg* dlg = nullptr;
};

TEST_F(FuncDialogTest, DefinedFunctionsAreListedEvaluateAndAreReplacedByName) {
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(win.IsModified());
    Define("fn", "x^2+1");
    Define("dist", "sqrt(x^2+y^2)", 2);
    Define("vol", "x*y*z", 3);
    EXPECT_EQ(Lines(),
              QStringList({"FN(X) = X^2+1", "DIST(X,Y) = SQRT(X^2+Y^2)", "VOL(X,Y,Z) = X*Y*Z"}));
    EXPECT_EQ(dlg->SelectedIndex(funcdlg::kList), 2);  // the line just defined
    EXPECT_EQ(Value("VOL(2,DIST(3,4),FN(2))"), 50);
    EXPECT_TRUE(win.IsModified());

    // A name in use is replaced, its argument count may change, and calls must then match.
    Define("FN", "X+Y", 2);
    EXPECT_EQ(Lines().front(), "FN(X,Y) = X+Y");
    EXPECT_EQ(dlg->SelectedIndex(funcdlg::kList), 0);
    EXPECT_EQ(Value("FN(1,2)"), 3);
    EXPECT_EQ(win.Parse("FN(3)"), 117);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(FuncDialogTest, EveryRefusalShowsItsBoxAndChangesNothing) {
    Define("PARAB", "X^2");
    win.ClearModified();
    struct Case {
        QString name, body;
        QString shown;  // a part of the box's text
    };
    // The last three show the parser's own message.
    const Case cases[] = {{"", "X", "name"},
                          {"F", "X", "one letter"},
                          {"SIN", "X", "built-in"},
                          {"ABCDEFGHIJ", "X", "9 letters"},
                          {"F2", "X", "letters only"},
                          {"PARAB", "   ", "body"},
                          {"PARAB", QString(61, 'X'), "60 characters"},
                          {"PARAB", "X+(", "operand missing"},
                          {"PARAB", "X*(X+1", "unbalanced parentheses"},
                          {"PARAB", "PARAB(X)+1", "not usable"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " = " + c.body.toStdString());
        const std::size_t before = prompter.messages.size();
        Define(c.name, c.body);
        ASSERT_EQ(prompter.messages.size(), before + 1);
        EXPECT_TRUE(prompter.messages.back().text.contains(c.shown))
            << prompter.messages.back().text.toStdString();
        EXPECT_EQ(Lines(), QStringList({"PARAB(X) = X^2"}));
        EXPECT_FALSE(win.IsModified());
    }
    EXPECT_EQ(Value("PARAB(3)"), 9);
}

TEST_F(FuncDialogTest, SelectingALineFillsTheFields) {
    Define("FN", "X^2+1");
    Define("GN", "X*Y", 2);
    Select(0);
    EXPECT_EQ(Fields(), QStringList({"FN", "X^2+1", "1"}));
    Select(1);
    EXPECT_EQ(Fields(), QStringList({"GN", "X*Y", "2"}));

    // Editing the body of a selected line and defining it changes that function only.
    dlg->SetText(funcdlg::kBody, ControlKind::Edit, QStringLiteral("X/Y"));
    dlg->Press(funcdlg::kDefine);
    EXPECT_EQ(Lines(), QStringList({"FN(X) = X^2+1", "GN(X,Y) = X/Y"}));
}

TEST_F(FuncDialogTest, DeleteRemovesTheSelectedFunction) {
    Define("FN", "X^2+1");
    Define("AXIS", "X");
    win.ClearModified();

    // Nothing selected: a box, nothing removed.
    dlg->SetSelectedIndex(funcdlg::kList, -1);
    dlg->Press(funcdlg::kDelete);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].error);
    EXPECT_EQ(Lines().size(), 2);
    EXPECT_FALSE(win.IsModified());

    Select(1);
    dlg->Press(funcdlg::kDelete);
    EXPECT_EQ(Lines(), QStringList({"FN(X) = X^2+1"}));
    ASSERT_EQ(win.Formulas().UserFunctions().size(), 1u);
    EXPECT_EQ(win.Formulas().UserFunctions()[0].name, "FN");
    EXPECT_TRUE(win.IsModified());
    const auto& names = win.Formulas().NamesWithXYZ();
    EXPECT_EQ(std::find(names.begin(), names.end(), "AXIS"), names.end());
    EXPECT_EQ(Value("FN(3)"), 10);
}

TEST(FuncDialogCommand, OneDialogPerWindowShownByEveryCommand) {
    platform::ScriptedPrompter prompter;
    TFuncWin win(841, QStringLiteral("noname2.qz2"), QStringLiteral("fd.ini"));
    // Functions defined before the dialog opens (a diagram read from a file) are listed.
    ASSERT_EQ(win.Formulas().DefineUserFunction("HN", "X+2", 1), userfn::kDone);
    EXPECT_EQ(win.FuncDialog(), nullptr);

    EXPECT_TRUE(win.SendCommand(resources::cmd::kUserFunctions));
    TFuncDlg* first = win.FuncDialog();
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->IsHidden());
    EXPECT_EQ(first->ItemText(funcdlg::kList, 0), "HN(X) = X+2");

    first->Press(platform::kIdCancel);  // "close" only hides it
    EXPECT_TRUE(first->IsHidden());
    EXPECT_EQ(win.FuncDialog(), first);

    EXPECT_TRUE(win.SendCommand(resources::cmd::kUserFunctions));
    EXPECT_EQ(win.FuncDialog(), first);
    EXPECT_FALSE(first->IsHidden());

    // A change made elsewhere reaches the open list through the window.
    ASSERT_EQ(win.Formulas().DefineUserFunction("KN", "2*X", 1), userfn::kDone);
    win.UserFunctionsChanged();
    EXPECT_EQ(first->ItemCount(funcdlg::kList), 2);
}

}  // namespace
}  // namespace quorlin
