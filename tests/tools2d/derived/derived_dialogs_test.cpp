// The roulettes, evolutes and combinations dialogs on a 2D window: what "draw" and the
// combination buttons add, the errors they show, and the walk that keeps the derived examples
// following their parents (rebuilt once each, in index order; removed with them; the same after
// a diagram is saved and opened again).
#include <cmath>

#include "core/errors.h"
#include "examples/records/derivation.h"
#include "support/all_near.h"
#include "tools2d/derived/combinations.h"
#include "tools2d/tools_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace cmd = resources::cmd;
namespace k = examples::kind;
namespace d = examples::derived;
using quorlin::testing::AllNear;

class DerivedDialogsTest : public ToolsWindowTest {
protected:
    int Unreadable(const char* text) {
        long double value = 0;
        const int error = win.ReadNumber(text, value);
        EXPECT_NE(error, kNoError);
        return error;
    }
    TCombineDlg& Combinations(int f, int g) {
        TCombineDlg& c = Command(cmd::kCombinations, &TWindowAnalysisTools::Combine);
        Pick(c, f);
        c.ChooseSecond(g);
        return c;
    }
    // Edits example i's text 2 as the editor does, then walks.
    void Edit(int i, const char* text) {
        win.Inventory()[i].Text(2) = text;
        win.CompileExample(i);
        win.UpdateDependents(i);
    }
};

TEST_F(DerivedDialogsTest, TheRoulettesDialogReadsItsFieldsAndRollsOnTheCurve) {
    const int line = Add(k::kExplicit, -5, 5, {"", "0"});
    TRoulDlg& d = Command(cmd::kRoulettes, &TWindowAnalysisTools::Roulette);
    Pick(d, line);
    TRouletteSettings settings;
    ASSERT_EQ(d.ReadFields(settings), kNoError);  // the defaults: 0, 0, 2pi, left, 1, 1
    EXPECT_TRUE(
        AllNear({settings.low, settings.start, settings.high, settings.radius, settings.arm},
                {0, 0, 2 * std::numbers::pi_v<long double>, 1, 1}, 1e-18L));
    const struct {
        int id;
        const char* text;
        int error;
    } rows[] = {
        {TRoulDlg::kStartEdit, "-0.5", kErrInconsistentData},
        {TRoulDlg::kStartEdit, "7", kErrInconsistentData},
        {TRoulDlg::kRadiusEdit, "0", kErrInconsistentData},
        {TRoulDlg::kRadiusEdit, "-1", kErrInconsistentData},
        {TRoulDlg::kArmEdit, "1+", Unreadable("1+")},
    };
    for (const auto& row : rows) {
        d.SetupWindow();
        d.SetText(row.id, QString::fromLatin1(row.text));
        EXPECT_EQ(d.ReadFields(settings), row.error) << row.text;
        d.Press(TRoulDlg::kDrawButton);
        EXPECT_EQ(win.Inventory().Count(), 1) << row.text;  // nothing added
    }
    EXPECT_EQ(Errors().size(), std::size(rows));

    d.SetupWindow();
    d.SetText(TRoulDlg::kArmEdit, QStringLiteral("0.5"));
    d.Press(TRoulDlg::kRightRadio);
    d.Press(TRoulDlg::kDrawButton);
    ASSERT_EQ(win.Inventory().Count(), 2);
    const examples::TExample& r = win.Inventory()[1];
    EXPECT_EQ(std::tuple(r.kind, r.derivation, r.parent[0], r.subKind, r.LeftSide()),
              std::tuple(k::kRoulette, d::kRoulette, line, k::kExplicit, 0));
    EXPECT_EQ(r.Number(examples::TNumber::kRouletteArm), 0.5L);
    // An explicit parent rolls in T: x = T, y = f(T).
    EXPECT_TRUE(AllNear({At(1, 1, 1.25L), At(1, 2, 1.25L)}, {1.25L, 0}, 0));
}

TEST_F(DerivedDialogsTest, TheEvoluteOfTheParabolaFollowsIt) {
    const int parabola = Add(k::kExplicit, -2, 3, {"", "x^2"});
    TEvolDlg& d = Command(cmd::kEvolutes, &TWindowAnalysisTools::Evolute);
    Pick(d, parabola);
    d.Press(TEvolDlg::kDrawButton);
    ASSERT_EQ(win.Inventory().Count(), 2);
    const examples::TExample& e = win.Inventory()[1];
    EXPECT_EQ(std::tuple(e.kind, e.derivation, e.parent[0]),
              std::tuple(k::kParametric, d::kEvolute, parabola));
    for (const long double t : {-1.5L, 0.5L, 2.0L})
        EXPECT_TRUE(
            AllNear({At(1, 1, t), At(1, 2, t)}, {-4 * t * t * t, 0.5L + 3 * t * t}, 1e-14L));
    // The walk after an edit keeps the parent's range, and the new curvature: y = x^2 / 2 has
    // its evolute at (-t^3, 1 + 3t^2 / 2).
    Edit(parabola, "x^2/2");
    EXPECT_EQ(std::pair(e.rangeLow[0], e.rangeHigh[0]), std::pair(-2.0L, 3.0L));
    EXPECT_TRUE(AllNear({At(1, 1, 1.5L), At(1, 2, 1.5L)}, {-3.375L, 1 + 1.5L * 2.25L}, 1e-14L));
}

TEST_F(DerivedDialogsTest, CombinationButtonsAddTheSumAndReadTheKinds) {
    const int f = Add(k::kExplicit, -5, 5, {"", "sin(x)"});
    const int g = Add(k::kExplicit, 0, 10, {"", "cos(x)"});
    TCombineDlg& c = Combinations(f, g);
    EXPECT_EQ(c.GetText(combine::kCompose), QStringLiteral("f <-- g"));
    EXPECT_TRUE(c.IsControlEnabled(combine::kDivide));
    c.Press(combine::kPlus);
    ASSERT_EQ(win.Inventory().Count(), 3);
    const examples::TExample& sum = win.Inventory()[2];
    EXPECT_EQ(std::tuple(sum.derivation, sum.parent[0], sum.parent[1]), std::tuple(d::kSum, f, g));
    EXPECT_EQ(std::pair(sum.rangeLow[0], sum.rangeHigh[0]), std::pair(0.0L, 5.0L));
    EXPECT_NEAR(At(2, 2, 1.5L), std::sin(1.5L) + std::cos(1.5L), 1e-15L);

    // Two fields: the quotient and power buttons become the projection and perpendicular part.
    const int u = Add(k::kSystem, -5, 5, {"x+y", "x-2"});
    const int v = Add(k::kSystem, -5, 5, {"1", "y"});
    win.InventoryChanged(0);
    Pick(c, u);
    c.ChooseSecond(v);
    EXPECT_EQ(std::pair(c.GetText(combine::kDivide), c.GetText(combine::kPower)),
              std::pair(QStringLiteral("f proj g"), QStringLiteral("f perp g")));
    EXPECT_FALSE(c.IsControlEnabled(combine::kCompose));
    c.Press(combine::kDivide);
    ASSERT_EQ(win.Inventory().Count(), 6);
    EXPECT_EQ(win.Inventory()[5].derivation, d::kProjection);
    // A field and a curve: nothing to combine.
    c.ChooseSecond(f);
    for (const int button : combine::kButtons) EXPECT_FALSE(c.IsControlEnabled(button)) << button;
}

TEST_F(DerivedDialogsTest, AFullInventoryShowsNoMoreRoom) {
    ASSERT_TRUE(win.Inventory().SetCapacity(1, false));
    const int f = Add(k::kExplicit, -5, 5, {"", "x"});
    const int g = Add(k::kExplicit, -5, 5, {"", "x^2"});
    TCombineDlg& c = Combinations(f, g);
    c.Press(combine::kTimes);
    EXPECT_EQ(win.Inventory().Count(), 2);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0], platform::ResourceString(400 + kErrNoMoreRoom));
}

// f, g, f + g, the roulette and the evolute of the sum, and the product of the sum with g.
class DerivedChainTest : public DerivedDialogsTest {
protected:
    void SetUp() override {
        Add(k::kExplicit, -5, 5, {"", "x^2"});
        Add(k::kExplicit, -4, 6, {"", "x+1"});
        ASSERT_EQ(CombineExamples(win, d::kSum, 0, 1), kNoError);
        TRouletteSettings settings{-1, 0, 2, 0.5L, 0.25L, true};
        ASSERT_EQ(AddRoulette(win, 2, settings), kNoError);
        ASSERT_EQ(AddEvolute(win, 2), kNoError);
        ASSERT_EQ(CombineExamples(win, d::kProduct, 2, 1), kNoError);
        ASSERT_EQ(win.Inventory().Count(), 6);
    }
    // Sample values of every derived example.
    std::vector<long double> Values() {
        return {At(2, 2, 1.5L), At(3, 2, 0.5L), At(4, 1, 0.75L), At(4, 2, 0.75L), At(5, 2, 2)};
    }
    void ExpectValues(const std::vector<long double>& expected, long double tolerance) {
        const std::vector<long double> got = Values();
        ASSERT_EQ(got.size(), expected.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], expected[i], tolerance) << i;
    }
};

TEST_F(DerivedChainTest, EditingAParentRebuildsTheChainAndDeletingItRemovesIt) {
    // The sum x^2 + x + 1 has slope 2.5 and second derivative 2 at t = 0.75.
    const long double t = 0.75L;
    ExpectValues({1.5L * 1.5L + 2.5L, 0.25L + 1.5L, t - 2.5L * 7.25L / 2, t * t + t + 1 + 7.25L / 2,
                  (4 + 3) * 3},
                 1e-14L);
    Edit(1, "2*x");  // g: the sum is x^2 + 2x, its evolute moves, the product follows
    const long double slope = 2 * t + 2;
    ExpectValues({1.5L * 1.5L + 3, 0.25L + 1, t - slope * (1 + slope * slope) / 2,
                  t * t + 2 * t + (1 + slope * slope) / 2, (4 + 4) * 4},
                 1e-13L);
    const int gone[] = {1};
    win.DeleteExamples(gone);
    EXPECT_EQ(win.Inventory().Count(), 1);
}

// g no longer reads: everything built from it is undefined, and the picture draws the rest.
TEST_F(DerivedChainTest, AParentThatDoesNotReadLeavesItsDescendantsUndefined) {
    Edit(1, "2*");
    for (const long double v : Values()) EXPECT_TRUE(std::isnan(v));
    win.Inventory()[0].pen.colour = 9;
    const QImage image = Picture();
    EXPECT_TRUE(InkAt(image, 1.5L, 2.25L, ColourOf(0)));
    Edit(1, "x+1");
    EXPECT_NEAR(Values()[0], 1.5L * 1.5L + 2.5L, 1e-15L);
}

TEST_F(DerivedChainTest, ASavedDiagramRebuildsTheSameValues) {
    const std::vector<long double> before = Values();
    ASSERT_TRUE(win.SaveTo(Path("chain.qz2")));
    plot2d::TPlot2Win second(QStringLiteral("noname2.qz2"));
    ASSERT_EQ(second.Load(Path("chain.qz2")), kNoError);
    ASSERT_EQ(second.Inventory().Count(), 6);
    for (int i = 2; i < 6; ++i)
        EXPECT_EQ(second.Inventory()[i].derivation, win.Inventory()[i].derivation) << i;
    win.Inventory().Clear();
    for (int i = 0; i < 6; ++i) win.Inventory().Append(examples::TExample{});
    for (int i = 0; i < 6; ++i)
        for (int t = 1; t <= 7; ++t)
            win.Inventory()[i].Tree(t) = TExprNode::CopyTree(second.Inventory()[i].Tree(t).get());
    ExpectValues(before, 0);
}

}  // namespace
}  // namespace quorlin::tools2d
