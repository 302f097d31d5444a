// The inventory-operations level through a 2D window: the pasted script and its rollback,
// removal of examples with their labels and tied texts, and the inventory listing.
#include "examples/operations/export_frames.h"
#include "examples/plot_test_window.h"

namespace quorlin::examples {
namespace {

namespace cmd = resources::cmd;

class Plot1WinTest : public quorlin::testing::PlotWindowTest {};

// A script that fails after adding examples, changing the view and the colour of an example it
// did not add takes all of it back: records, names, marks, labels, view and counters.
TEST_F(Plot1WinTest, AnAbortedScriptTakesBackEverythingItDid) {
    Paste("EXPL2;x;");
    ASSERT_TRUE(Errors().empty());
    win.Inventory().Entry(0).name = "kept";
    const canvas::TViewFrame view = win.View();
    const int colour = win.Inventory()[0].pen.colour;

    Paste("COLOR;7;CORNERS;-1;1;-2;2;EXPL2;x^2;POINT2;1;1;POLAR;t;1;0;");
    EXPECT_EQ(Errors(), std::vector<QString>{QStringLiteral("cannot understand")});
    EXPECT_EQ(std::tuple(win.Inventory().Count(), win.Inventory().Entry(0).name,
                         win.Inventory()[0].pen.colour, win.EquationLabels().Count(),
                         win.ExampleBook().created),
              std::tuple(1, "kept", colour, 1, 1));
    EXPECT_EQ(std::tuple(win.View().left, win.View().up, win.View().cornersFlag),
              std::tuple(view.left, view.up, view.cornersFlag));

    // The next script starts from the same state: its example is the second, in the second
    // automatic colour, with the second label.
    Paste("EXPL2;x^3;");
    ASSERT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(std::tuple(win.Inventory()[1].pen.colour, win.EquationLabels().Labels()[1].text),
              std::tuple(win.StyleWord(1), "y = x^3"));
}

TEST_F(Plot1WinTest, AScriptThatAddsNothingSaysSoAndKeepsItsValues) {
    Paste("VALUE;b;2.5;");
    EXPECT_EQ(Errors(), std::vector<QString>{QStringLiteral("nothing to show")});
    EXPECT_EQ(win.Formulas().Var(2), 2.5L);
}

TEST_F(Plot1WinTest, RemovedExamplesTakeTheirLabelsAndLeaveTheirTextsInPlace) {
    Paste("EXPL2;x;POINT2;1;2;EXPL2;x^2;");
    win.ExampleBook().current = 1;
    canvas::TEquationLabel tied;
    tied.text = "P", tied.anchor = 1, tied.left = 0.5L;  // tied to the point (1, 2), 0.5 right
    win.PlainTexts().push_back(tied);
    Picture();  // the point is drawn and known where it stands

    const int removed[] = {1};
    win.DeleteExamples(removed);
    ASSERT_EQ(win.Inventory().Count(), 2);
    ASSERT_EQ(win.EquationLabels().Count(), 2);
    const canvas::TEquationLabel& text = win.PlainTexts()[0];
    EXPECT_EQ(
        std::tuple(win.EquationLabels().Labels()[1].text, win.EquationLabels().Labels()[1].number,
                   win.ExampleBook().current, text.anchor),
        std::tuple("y = x^2", 1, -1, canvas::kAnchorFrame));
    const auto absolute = canvas::TextToAbsolute(text, win.AnchorOriginOf(text.anchor));
    EXPECT_NEAR(static_cast<double>(absolute.left), 1.5, 1e-12);
}

TEST_F(Plot1WinTest, TheListingNamesEveryExampleAndTheUserFunctions) {
    Paste("DEFINE2;hyp;sqrt(x^2+y^2);EXPL2;hyp(x,1);POINT2;1;2;");
    ASSERT_TRUE(win.SendCommand(cmd::kInventoryListing));
    EXPECT_EQ(win.PlainTextWindow().Text(),
              QStringLiteral("y = hyp(x,1)\n(x,y) = (1,2)\n-------------------------\n"
                             "HYP(X,Y) = SQRT(X^2+Y^2)\n"));
}

// The parameters an evaluated text shows (in its expressions or in the '~' pieces of its label)
// count as used after every compilation, not only after a file was read: their sliders repaint
// the text and an animated export finds them.
TEST_F(Plot1WinTest, EvaluatedTextsMarkTheirParametersAtEveryCompilation) {
    canvas::TEvalText text;
    text.texts = {"2*B", "0", "0", "v=~C+1~"};
    text.flags = {1, 0, 0, 1, 0};
    ASSERT_TRUE(win.EvalTable().Store(canvas::kFirstEvalIndex, text));
    Paste("EXPL2;x+D;");
    ASSERT_TRUE(Errors().empty());
    const TSymbolBuffer& symbols = win.Compiler().Symbols();
    for (const int letter : {2, 3, 4}) EXPECT_TRUE(symbols.UsesLetter(letter)) << letter;
    EXPECT_FALSE(symbols.UsesLetter(5));

    EXPECT_NE(win.MarkParameters("B"), kAnimationNone);
    EXPECT_TRUE(Errors().empty());

    // A text stored through the dialog's road marks at once.
    canvas::TEvalText other;
    other.texts = {"E", "0", "0", ""};
    std::uint16_t index = canvas::kPlainTextIndex;
    ASSERT_EQ(win.ParseEvalText(other, index, false), 0);
    EXPECT_TRUE(win.Compiler().Symbols().UsesLetter(5));
}

}  // namespace
}  // namespace quorlin::examples
