// The formula level of a graphing window: its evaluated texts (the dialog refuses a formula the
// parser rejects, the drawn string carries the values, numeric fields read the window's own
// variables) and the factory that builds it with the mouse modes some level handles.
#include <gtest/gtest.h>

#include <set>

#include "canvas/text_dialog.h"
#include "formula/func_win.h"
#include "platform/boxes.h"
#include "resources/command_ids.h"

namespace quorlin::canvas {
namespace {

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

// A formula the parser rejects keeps the dialog open with an error box; the accepted text
// shows its label and values.
TEST_F(EvaluatedTextTest, ParserErrorsKeepTheDialogOpenAndTheStringShowsLabelAndValues) {
    win.Formulas().SetVar(slot::kAt + 1, 1.25L);  // A
    int first = -1;
    NewText([&](Dialog& d) {
        auto type = [&](int id, const char* text) {
            d.SetText(id, ControlKind::Edit, QString::fromLatin1(text));
        };
        type(textdlg::kText, "2*(A+");
        first = d.Press(platform::kIdOk);
        type(textdlg::kText, "2*A"), type(textdlg::kExpression2, "A-3");
        type(textdlg::kLabel, "values:");
        d.SetChecked(textdlg::kFlag1 + 1, true);
        d.SetChecked(textdlg::kFlag1 + 3, true);
        type(textdlg::kPlaces1, "1"), type(textdlg::kPlaces1 + 1, "2");
        return d.Press(platform::kIdOk);
    });
    EXPECT_EQ(first, 0);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].error);
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
}  // namespace quorlin::canvas
