// The transform dialogs on a 2D window and the derived examples following their parents: the
// reflection of the selected example or of every marked one with one mirror line after the last,
// "undo" only while the newest example is the dialog's, texts that add nothing, the inventory's
// "derive", and the walk: an edited parent rebuilds each derived example once in index order, a
// deleted one takes them with it, and a saved diagram reads back to the same values.
#include "tools2d/derived/transform_dialogs.h"

#include <cmath>
#include <numbers>

#include "examples/levels/inventory_dialog.h"
#include "examples/operations/inventory_panel.h"
#include "examples/records/derivation.h"
#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;
namespace d = examples::derived;
constexpr long double kTolerance = 1e-12L;

class TransformDialogsTest : public ToolsWindowTest {
protected:
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (int i = 0; i < win.Inventory().Count(); ++i)
            codes.push_back(win.Inventory()[i].derivation);
        return codes;
    }
};

TEST_F(TransformDialogsTest, GraphMirrorWithMarkedExamplesAddsOneLineAfterTheLast) {
    const int a = Add(k::kExplicit, -5, 5, {"", "x^2"});
    const int b = Add(k::kParametric, 0, 1, {"t", "2*t"});
    Add(k::kPoint, 0, 1, {"1", "3"});
    win.Inventory().Entry(a).familyMark = 1;
    win.Inventory().Entry(b).familyMark = 1;
    TReflDlg& d = Command(cmd::kReflect, &TWindowAnalysisTools::Reflect);
    EXPECT_FALSE(d.IsControlEnabled(TTransformDlg::kUndoButton));
    Pick(d, b);
    EXPECT_EQ(d.Targets(), (std::vector<int>{a, b}));
    d.Press(TReflDlg::kFirstRadio + 3);
    d.SetText(TTransformDlg::kFirstEdit + 1, QStringLiteral("-1"));
    d.SetText(TTransformDlg::kFirstEdit + 2, QStringLiteral("0"));  // x - y = 0
    d.SetChecked(TReflDlg::kMirrorCheck, true);
    d.Press(TTransformDlg::kApplyButton);
    EXPECT_EQ(Codes(),
              (std::vector<int>{0, 0, 0, d::kReflectLine, d::kReflectLine, d::kMirrorLine}));
    EXPECT_EQ(win.Inventory()[5].parent[0], 4);
    EXPECT_EQ(win.Inventory()[5].kind, k::kLine);
    // The images: y = x^2 becomes (t^2, t), (t, 2t) becomes (2t, t).
    EXPECT_NEAR(At(3, 1, 1.5L), 2.25L, kTolerance);
    EXPECT_NEAR(At(4, 1, 0.25L), 0.5L, kTolerance);
    EXPECT_EQ(win.EquationLabels().Count(), 6);
    // "undo" takes back the newest example (the mirror line), then the reflection before it.
    EXPECT_TRUE(d.IsControlEnabled(TTransformDlg::kUndoButton));
    d.Press(TTransformDlg::kUndoButton);
    d.Press(TTransformDlg::kUndoButton);
    EXPECT_EQ(win.Inventory().Count(), 4);
}

TEST_F(TransformDialogsTest, UndoIsOnlyForTheDialogsOwnNewestExample) {
    Add(k::kExplicit, -5, 5, {"", "sin(x)"});
    TRotaDlg& rotate = Command(cmd::kRotate, &TWindowAnalysisTools::Rotate);
    TTranDlg& translate = Command(cmd::kTranslate, &TWindowAnalysisTools::Translate);
    EXPECT_FALSE(translate.IsControlShown(TTransformDlg::kFirstEdit + 2));
    rotate.Press(TRotaDlg::kAngleRadio);
    rotate.Press(TTransformDlg::kApplyButton);
    ASSERT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(win.Inventory()[1].derivation, d::kRotation);
    EXPECT_EQ(win.Inventory()[1].Text(1), "pi/3");
    EXPECT_TRUE(rotate.IsControlEnabled(TTransformDlg::kUndoButton));
    EXPECT_FALSE(translate.IsControlEnabled(TTransformDlg::kUndoButton));
    Pick(translate, 0);
    translate.Press(TTransformDlg::kApplyButton);
    ASSERT_EQ(win.Inventory().Count(), 3);
    EXPECT_NEAR(At(2, 2, 0.7L), std::sin(-0.3L) + 2, kTolerance);
    EXPECT_FALSE(rotate.IsControlEnabled(TTransformDlg::kUndoButton));
    EXPECT_TRUE(translate.IsControlEnabled(TTransformDlg::kUndoButton));
    // An unreadable angle adds nothing and says why; a vector in x is inconsistent.
    rotate.SetText(TTransformDlg::kFirstEdit, QStringLiteral("pi/"));
    rotate.Press(TTransformDlg::kApplyButton);
    translate.SetText(TTransformDlg::kFirstEdit, QStringLiteral("x"));
    translate.Press(TTransformDlg::kApplyButton);
    EXPECT_EQ(win.Inventory().Count(), 3);
    ASSERT_EQ(Errors().size(), 2u);
}

TEST_F(TransformDialogsTest, AFullInventoryAddsNothing) {
    win.ResizeInventory(1, false);
    Add(k::kPoint, 0, 1, {"1", "2"});
    Add(k::kPoint, 0, 1, {"2", "2"});
    TReflDlg& d = Command(cmd::kReflect, &TWindowAnalysisTools::Reflect);
    d.Press(TTransformDlg::kApplyButton);
    EXPECT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(win.MarkPoint(0.5L, 0.25L), kErrNoMoreRoom);
    EXPECT_EQ(win.Inventory().Count(), 2);
    EXPECT_EQ(Errors().size(), 2u);
}

TEST_F(TransformDialogsTest, MarkPointAddsAPointOfTheDotSize) {
    win.Options().dotSize = 4;
    ASSERT_EQ(win.MarkPoint(0.5L, -0.25L), 0);
    const examples::TExample& e = win.Inventory()[0];
    EXPECT_EQ(std::tuple(e.kind, e.Text(1), e.Text(2), e.pen.width),
              std::tuple(k::kPoint, std::string("0.50000000000000"),
                         std::string("-0.25000000000000"), 4));
    EXPECT_NEAR(At(0, 2, 0), -0.25L, kTolerance);
}

TEST_F(TransformDialogsTest, DeriveIsOfferedForCurvesAndAddsTheDerivative) {
    win.Create();
    EXPECT_TRUE(win.AddsDerivatives());
    Add(k::kExplicit, -5, 5, {"", "x^3"});
    Add(k::kPolar, 0, 6, {"", "", "2*t"});
    Add(k::kParametric, 0, 1, {"t^2", "t"});
    Add(k::kSegment, 0, 1, {"0", "0", "1", "1"});
    Add(k::kLine, 0, 1, {"1", "1", "1"});
    Add(k::kPoint, 0, 1, {"1", "1"});
    ASSERT_TRUE(win.SendCommand(cmd::kInventory));
    examples::TFnListDlg& list = *win.InventoryDialog();
    auto pick = [&list](int line) {
        list.SetSelectedIndex(examples::invent::kList, -1);
        list.SetLineSelected(examples::invent::kList, line, true);
        list.OnNotify(examples::invent::kList, platform::Notification::SelectionChanged);
    };
    for (int i = 0; i < 6; ++i) {
        pick(i);
        EXPECT_EQ(list.IsControlEnabled(examples::invent::kDerive), i < 3) << i;
    }
    pick(0);
    list.Press(examples::invent::kDerive);
    ASSERT_EQ(win.Inventory().Count(), 7);
    EXPECT_EQ(std::tuple(win.Inventory()[6].derivation, win.Inventory()[6].order),
              std::tuple(d::kDerivative, 1));
    EXPECT_NEAR(At(6, 2, 0.5L), 0.75L, kTolerance);
}

// A window that counts the rebuilds of its walk.
class CountingWindow : public plot2d::TPlot2Win {
public:
    CountingWindow() : TPlot2Win(QStringLiteral("noname9.qz2")) { SizeChanged(401, 401); }
    bool RebuildDerived(int i) override {
        rebuilt.push_back(i);
        return TPlot2Win::RebuildDerived(i);
    }
    std::vector<int> rebuilt;
};

TEST_F(TransformDialogsTest, TheWalkRebuildsEachDerivedExampleOnceInIndexOrder) {
    CountingWindow w;
    w.AddExample(k::kExplicit, -5, 5, {"", "x^2"});
    w.CompileExample(0);
    w.AddExample(k::kExplicit, -5, 5, {"", "1"});  // not derived: left alone
    w.CompileExample(1);
    AddDerivative(w, 0);                                                       // 2: 2x
    ApplyTransform(w, std::vector<int>{2}, d::kTranslation, {"1", "2", ""});   // 3: 2(x-1)+2
    ApplyTransform(w, std::vector<int>{3}, -d::kReflectY, {"", "", ""});       // 4, mirror 5
    ApplyTransform(w, std::vector<int>{0}, d::kRotation, {"pi/2", "0", "0"});  // 6
    ASSERT_EQ(w.Inventory().Count(), 7);
    w.Inventory()[0].Text(2) = "x^3";
    w.CompileExample(0);
    w.rebuilt.clear();
    w.UpdateDependents(0);
    EXPECT_EQ(w.rebuilt, (std::vector<int>{2, 3, 4, 5, 6}));
    const auto at = [&](int i, int t, long double x) { return TreeValue(w, i, t, x); };
    // 3 (x - 1)^2 + 2 mirrored: 3 (-x - 1)^2 + 2; the turned cubic (-t^3, t).
    EXPECT_NEAR(at(4, 2, 0.5L), 3 * 2.25L + 2, kTolerance);
    EXPECT_NEAR(at(6, 1, 0.5L), -0.125L, kTolerance);
    // A saved diagram reads back to the same values.
    ASSERT_TRUE(w.SaveTo(Path("walk.qz2")));
    plot2d::TPlot2Win second(QStringLiteral("noname2.qz2"));
    ASSERT_EQ(second.Load(Path("walk.qz2")), kNoError);
    ASSERT_EQ(second.Inventory().Count(), 7);
    for (const int i : {2, 3, 4, 6}) {
        FormulaContext& g = second.Formulas();
        g.SetVar(slot::kX, 0.5L);
        g.SetVar(slot::kT, 0.5L);
        for (const int t : {1, 2}) {
            TExprNode* tree = second.Inventory()[i].Tree(t).get();
            ASSERT_TRUE(tree && g.Evaluate(*tree)) << i;
            EXPECT_NEAR(tree->re, at(i, t, 0.5L), kTolerance) << i << " " << t;
        }
    }
    // Deleting the parent takes every derived example and the mirror line with it.
    const int parent[] = {0};
    w.DeleteExamples(parent);
    EXPECT_EQ(w.Inventory().Count(), 1);
}

TEST_F(TransformDialogsTest, AFailedRebuildDrawsNothing) {
    const int point = Add(k::kPoint, 0, 1, {"1", "2"});
    win.Formulas().SetVar(1, std::numbers::pi_v<long double> / 2);
    ApplyTransform(win, std::vector<int>{point}, d::kRotation, {"A", "0", "0"});
    ASSERT_EQ(win.Inventory().Count(), 2);
    win.Inventory()[1].pen.colour = 9;
    win.Inventory()[1].pen.width = 5;
    const QRgb ink = ColourOf(1);
    ASSERT_NE(ink, ColourOf(0));
    EXPECT_TRUE(InkAt(Picture(), -2, 1, ink));
    ApplyTransform(win, std::vector<int>{1}, d::kTranslation, {"1", "1", ""});
    win.Inventory()[1].Text(1) = "A/";
    win.UpdateDependents(0);
    // The image and the image of the image are undefined.
    EXPECT_EQ(win.Inventory()[1].Tree(1), nullptr);
    EXPECT_EQ(win.Inventory()[2].Tree(1), nullptr);
    const QImage picture = Picture();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) ASSERT_NE(picture.pixel(x, y), ink);
}

}  // namespace
}  // namespace quorlin::tools2d
