// The formula level of a graphing window: its evaluated texts (the dialog refuses a formula the
// parser rejects, the drawn string carries the values, numeric fields read the window's own
// variables) and the factory that builds it with the mouse modes some level handles.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

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
    EXPECT_EQ(win.GetTextString(win.EvalTexts()[0], true), "values: (2.5,-1.75)");
    long double v = 0;
    EXPECT_EQ(win.ReadNumber("A*4", v), 0);
    EXPECT_EQ(v, 5);
}

// The drawn string of an evaluated text: the label with its '~' pieces evaluated, then the
// values of the expressions that are on, with their texts under "show expressions"; two or
// three are grouped in parentheses; the dash character replaces '-' in the expression texts only.
TEST_F(EvaluatedTextTest, EvaluatedStringFollowsItsForm) {
    win.Formulas().SetVar(slot::kAt + 1, 1.5L);   // A
    win.Formulas().SetVar(slot::kAt + 2, -2.0L);  // B
    struct Case {
        std::array<std::string, 4> texts;
        std::array<std::uint8_t, 5> flags;
        std::uint32_t dash;
        const char* shown;
    };
    // Places: 2, 1 and 0 for expressions 1-3; a label's pieces take those of expression 1.
    const Case cases[] = {
        {{"2*A", "0", "0", ""}, {1, 0, 0, 0, 1}, 0, "2*A = 3.00"},
        {{"2*A", "0", "0", ""}, {1, 0, 0, 0, 0}, 0, "3.00"},
        {{"2*A", "A-3", "0", ""}, {1, 1, 0, 0, 1}, 0, "(2*A,A-3) = (3.00,-1.5)"},
        {{"2*A", "A-3", "B", ""}, {1, 1, 1, 0, 0}, 0, "(3.00,-1.5,-2)"},
        {{"A-1", "0", "B", "s-t"}, {1, 0, 1, 1, 1}, '_', "s-t (A_1,B) = (0.50,-2)"},
        {{"A", "0", "0", "x=~B-1~, y=~A+~!"}, {0, 0, 0, 1, 0}, 0, "x=-3.00, y=?! "},
        {{"A", "0", "0", "at ~2*A"}, {1, 0, 0, 1, 1}, '_', "at 3.00 A = 1.50"},
        {{"B", "0", "0", ""}, {1, 0, 0, 0, 1}, '_', "B = -2.00"},
    };
    for (const Case& c : cases) {
        TEvalText e;
        e.texts = c.texts;
        e.flags = c.flags;
        e.dash = c.dash;
        e.places = {2, 1, 0};
        ASSERT_TRUE(win.EvalTable().Store(1000, e));
        TEquationLabel label;
        label.evalIndex = 1000;
        EXPECT_EQ(win.GetTextString(label, true), c.shown) << c.texts[3];
    }
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
