// Evaluated texts on the formula level of a graphing window: the dialog refuses a formula
// the parser rejects, the drawn string carries the values, and numeric fields read the
// window's own variables.
#include <gtest/gtest.h>

#include <set>

#include "canvas/text_dialog.h"
#include "formula/func_win.h"
#include "platform/boxes.h"
#include "resources/command_ids.h"

namespace quorlin {
namespace {

using canvas::TEvalText;
using platform::Dialog;
using resources::ControlKind;

class EvaluatedTextTest : public ::testing::Test {
protected:
    EvaluatedTextTest() : win(841, QStringLiteral("noname1.qz2"), QStringLiteral("ev.ini")) {
        win.SizeChanged(401, 401);
        win.SetMouseMode(resources::cmd::kMouseEvaluatedText);
    }
    void NewText(const std::function<int(Dialog&)>& hands) {
        platform::ScopedDialogRunner runner(hands);
        win.NewTextAt({100, 100});
    }

    platform::ScriptedPrompter prompter;
    TFuncWin win;
};

TEST_F(EvaluatedTextTest, ParserErrorsKeepTheDialogOpen) {
    int first = -1;
    NewText([&](Dialog& d) {
        d.SetText(canvas::textdlg::kText, ControlKind::Edit, QStringLiteral("2*(A+"));
        first = d.Press(platform::kIdOk);
        d.SetText(canvas::textdlg::kText, ControlKind::Edit, QStringLiteral("2*(A+1)"));
        return d.Press(platform::kIdOk);
    });
    EXPECT_EQ(first, 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].error);
    ASSERT_EQ(win.EvalTexts().size(), 1u);
}

TEST_F(EvaluatedTextTest, TheStringShowsLabelAndValues) {
    win.Formulas().SetVar(slot::kAt + 1, 1.25L);  // A
    NewText([](Dialog& d) {
        d.SetText(canvas::textdlg::kText, ControlKind::Edit, QStringLiteral("2*A"));
        d.SetText(canvas::textdlg::kExpression2, ControlKind::Edit, QStringLiteral("A-3"));
        d.SetText(canvas::textdlg::kLabel, ControlKind::Edit, QStringLiteral("values:"));
        d.SetChecked(canvas::textdlg::kFlag1 + 1, true);
        d.SetChecked(canvas::textdlg::kFlag1 + 3, true);
        d.SetText(canvas::textdlg::kPlaces1, ControlKind::Edit, QStringLiteral("1"));
        d.SetText(canvas::textdlg::kPlaces1 + 1, ControlKind::Edit, QStringLiteral("2"));
        return d.Press(platform::kIdOk);
    });
    ASSERT_EQ(win.EvalTexts().size(), 1u);
    EXPECT_EQ(win.GetTextString(win.EvalTexts()[0], true), "values: 2.5 -1.75");
    long double v = 0;
    EXPECT_EQ(win.ReadNumber("A*4", v), 0);
    EXPECT_EQ(v, 5);
}

TEST(FormulaWindow, FactoryBuildsTheFormulaLevel) {
    NewWindowRequest request;
    request.fileName = QStringLiteral("noname7.qz2");
    std::unique_ptr<platform::Window> w(CreateFormulaWindow(request));
    auto* f = dynamic_cast<TFuncWin*>(w.get());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Kind(), 841);
    // Only the mouse modes some level handles can be chosen; trajectories, Lagrange points,
    // drawing and the level-curve cursor wait for their levels.
    namespace cmd = resources::cmd;
    const std::set<int> handled = {cmd::kMouseZoomBox, cmd::kMouseText, cmd::kMousePaste,
                                   cmd::kMouseCoordinates, cmd::kMouseEvaluatedText};
    for (int id = cmd::kMouseFirst; id <= cmd::kMouseLast; ++id)
        EXPECT_EQ(f->QueryCommand(id).enabled, handled.contains(id)) << id;
}

}  // namespace
}  // namespace quorlin
