// Compiled programs against the tree walk: random trees of every kind of node, evaluated at
// random points (undefined ones included) in real and complex mode, must give the same bits
// and the same defined or undefined outcome, and leave the variable table as the tree walk
// leaves it. Then the cases the random trees cannot reach: trees the program evaluates through
// the tree, a change of mode, and the instructions that folding and Horner chains save.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "formula/name_table.h"
#include "formula/tree_builders.h"
#include "formula/tree_program.h"
#include "formula/tree_program_code.h"
#include "formula_support.h"
#include "random_trees.h"

namespace quorlin {
namespace {

using testing_support::FormulaTest;
using testing_support::RandomVariables;
using testing_support::SameBits;
using testing_support::TreeMaker;
using TreeProgramTest = FormulaTest;

// Evaluates both ways and compares; true when the value is defined.
bool ExpectSame(FormulaContext& ctx, TExprNode* tree, TreeProgram& program,
                const std::string& where) {
    Complex viaProgram;
    const bool programDefined = program.Evaluate(viaProgram);
    long double programReal = 0;
    const bool realDefined = program.Evaluate(programReal);
    const bool treeDefined = tree ? ctx.Evaluate(*tree) : false;
    EXPECT_EQ(programDefined, treeDefined) << where;
    EXPECT_EQ(realDefined, treeDefined) << where;
    if (!treeDefined) return false;
    EXPECT_TRUE(SameBits(viaProgram.real(), tree->re))
        << where << ": " << static_cast<double>(viaProgram.real()) << " against "
        << static_cast<double>(tree->re);
    EXPECT_TRUE(SameBits(programReal, tree->re)) << where;
    EXPECT_TRUE(SameBits(viaProgram.imag(), tree->im)) << where;
    return true;
}

// The variable tables of both paths, bit for bit (NaN slots included).
bool SameTable(const TVariableTable& a, const TVariableTable& b) {
    for (int i = 0; i < slot::kCount; ++i)
        if (!SameBits(a.value[i].real(), b.value[i].real()) ||
            !SameBits(a.value[i].imag(), b.value[i].imag()))
            return false;
    return true;
}

void CompareOnRandomTrees(bool complex, unsigned seed, int trees, bool repeats = false) {
    TreeMaker maker(seed, complex);
    if (repeats) maker.RepeatSubtrees();
    std::mt19937 random(seed + 1);
    FormulaContext ctx;
    ctx.complexMode = complex;
    int compiled = 0, evaluations = 0, defined = 0;
    for (int t = 0; t < trees; ++t) {
        maker.StartTree();
        NodePtr tree = maker.Make(1 + t % 6);
        TreeProgram program(ctx, tree.get());
        compiled += program.Compiled();
        for (int p = 0; p < 12; ++p, ++evaluations) {
            RandomVariables(ctx, random, complex);
            const TVariableTable start = ctx.vars;
            const std::string where = "tree " + std::to_string(t) + " point " + std::to_string(p);
            defined += ExpectSame(ctx, tree.get(), program, where);
            ASSERT_TRUE(SameTable(start, ctx.vars)) << where;  // slots given back
            if (testing::Test::HasFailure()) return;
        }
    }
    // Most trees compile (only those with nodes that must be walked do not), and the points
    // are defined often enough for the values to be compared.
    EXPECT_GT(compiled, trees * 8 / 10);
    EXPECT_GT(defined, evaluations / 4);
}

TEST(TreeProgramRandom, RealModeGivesTheTreeWalksBits) {
    CompareOnRandomTrees(false, 1234, 3000);
}

TEST(TreeProgramRandom, ComplexModeGivesTheTreeWalksBits) {
    CompareOnRandomTrees(true, 5678, 800);  // complex functions are slow
}

TEST(TreeProgramRandom, RepeatedSubtreesGiveTheTreeWalksBits) {
    CompareOnRandomTrees(false, 4321, 3000, true);
    CompareOnRandomTrees(true, 8765, 400, true);
}

TEST_F(TreeProgramTest, FormulasOfTheLanguageGiveTheTreeWalksBits) {
    // Parsed formulas: the shapes the parser builds, with user functions inlined.
    ASSERT_EQ(ctx.DefineUserFunction("BUMP", "EXP(-X^2)/(1+Y^2)", 2), userfn::kDone);
    const auto formulas = testing_support::Words(
        "X^5-3X^3+2X-1 ((((2X-3)X+1)X-4)X+5)X-6 (A^2/SIN(2*PI/B))-A/2 SQRT(X^2+Y^2)*EXP(-X/10) "
        "SIN(X)*COS(2X)+TAN(X/3) JOINX(X^2,1,2-X) BUMP(X,Y)+BUMP(Y,X) 1/X-1/(X-1) X^-2+X^0.5 "
        "LN(X)/LOG(X) (X+1)^64+(X-1)^65 MAX(X,Y)-MIN(X,1/X) Z^2+SIN(Z)*EXP(I*Z) 2^X*X^2 "
        "ROOT(3,X)+MOD(X,0.7) -X^2 -(2)^X 2X^5-3X^4+X^3-4X^2+5X-6 X^3+X^2-A*X^0+X^-1-Y "
        "A-X^2+3X X^2*(X-1)+Y*X-(X+1)^3 2*X*Y-X^2/Y+1 "
        // Subtrees that come again: in one piece of a JOIN and after it or in the other piece
        // (a value kept on one side must not be read on the other), in the boundary, as user
        // functions of the same and of other arguments, as whole powers and sums of terms.
        "JOINX(SIN(X)*2,0,COS(X))+SIN(X)*2 JOINX(EXP(X)+1,0,EXP(X)+1)*(EXP(X)+1) "
        "JOINX(LN(X)^2,0.5,SQRT(X)+LN(X)^2)-LN(X)^2 JOINX(COS(X)^3,COS(X)^3,X+COS(X)^3) "
        "BUMP(X,Y)+BUMP(Y,X)+BUMP(X,Y) BUMP(SIN(X),1)*BUMP(SIN(X),2) "
        "(X^2+1)/(X^2+1)+(X^2+1)^3 1/(X-1)+1/(X-1)*X+X^5-2X^3+X^5-2X^3 (X+Y)*(X+Y)-(Y+X)*(Y+X)");
    std::mt19937 random(99);
    for (const bool complex : {false, true}) {
        ctx.complexMode = complex;
        for (const auto& text : formulas) {
            NodePtr tree = Parse(text);
            ASSERT_TRUE(tree) << text;
            TreeProgram program(ctx, tree.get());
            EXPECT_TRUE(program.Compiled()) << text;
            for (int p = 0; p < 40; ++p) {
                RandomVariables(ctx, random, complex);
                ExpectSame(ctx, tree.get(), program, text);
                if (HasFailure()) return;
            }
        }
    }
}

TEST_F(TreeProgramTest, TreesItDoesNotTranslateAreEvaluatedThroughTheTree) {
    // A vector node keeps its components in the tree, where EvalVector3's callers read them.
    auto vector = TExprNode::NewOp(op::kVector3);
    vector->child[0] = Parse("X+1");
    vector->child[1] = Parse("X*2");
    vector->child[2] = Parse("7");
    TreeProgram program(ctx, vector.get());
    EXPECT_FALSE(program.Compiled());
    long double value = 0;
    ASSERT_TRUE(program.EvalAt(slot::kX, 3, value));
    EXPECT_EQ(value, 4);
    EXPECT_EQ(vector->child[1]->re, 6);  // the components are in the tree

    // In complex mode a periodic node is evaluated as real, by the tree walk.
    ctx.complexMode = true;
    auto periodic = TExprNode::NewOp(op::kPeriodic);
    periodic->child[0] = TExprNode::NewConst(1);
    periodic->child[1] = Parse("X^2");
    periodic->child[2] = TExprNode::NewConst(2);
    TreeProgram complexPeriodic(ctx, periodic.get());
    EXPECT_FALSE(complexPeriodic.Compiled());
    ASSERT_TRUE(complexPeriodic.EvalAt(slot::kX, 3.5L, value));
    EXPECT_EQ(value, 2.25L);

    // A null tree is never defined.
    TreeProgram none(ctx, nullptr);
    EXPECT_FALSE(none.Evaluate(value));
}

TEST_F(TreeProgramTest, AChangeOfModeAfterCompilingGoesThroughTheTree) {
    NodePtr tree = Parse("SQRT(X)");
    TreeProgram program(ctx, tree.get());  // real mode: SQRT(-4) is undefined
    long double value = 0;
    EXPECT_FALSE(program.EvalAt(slot::kX, -4, value));
    ctx.complexMode = true;  // now 2i, as the tree walk says
    Complex z;
    ctx.SetVar(slot::kX, -4.0L);
    ASSERT_TRUE(program.Evaluate(z));
    EXPECT_EQ(z, Complex(0, 2));
}

// What a run at x of a tree's code wrote into the places of its kept values, each set to a
// sentinel first.
struct KeptRun {
    int kept = 0;
    int written = 0;
    bool defined = false;
    long double value = 0;
};

KeptRun RunKept(FormulaContext& ctx, const TExprNode& tree, long double x) {
    constexpr long double kSentinel = 12345.6789L;
    program_detail::RealCode code;
    EXPECT_TRUE(program_detail::CompileReal(ctx, &tree, code));
    for (long double& v : code.shared) v = kSentinel;
    ctx.SetVar(slot::kX, x);
    KeptRun run;
    run.value = code.Run(0, code.code.size());
    run.defined = std::isfinite(run.value);
    run.kept = static_cast<int>(code.shared.size());
    run.written = static_cast<int>(std::count_if(code.shared.begin(), code.shared.end(),
                                                 [](long double v) { return !(v == kSentinel); }));
    return run;
}

TEST_F(TreeProgramTest, AnUndefinedKeptValueEndsTheRunWhereItLeavesTheRootUndefined) {
    // LN(X) is kept first (read four times), SIN(LN(X)) and COS(LN(X))^2 after it: at x < 0
    // the run ends at the first, at x > 0 it writes all three.
    const char* const kLogs = "LN(X)*SIN(LN(X))+COS(LN(X))^2*LN(X)+SIN(LN(X))/(COS(LN(X))^2+LN(X))";
    const struct {
        const char* text;
        long double x;
        int written;  // -1: every kept value
        bool defined;
        long double value;  // where defined
    } cases[] = {
        {kLogs, -2.5L, 1, false, 0},
        {kLogs, 3.5L, -1, true, 0},
        // In a JOIN piece: its value is the JOIN's.
        {"JOINX(2,-1,LN(X)*SIN(LN(X))+LN(X))", -0.5L, 1, false, 0},
        {"JOINX(2,-1,LN(X)*SIN(LN(X))+LN(X))", -3.0L, 0, true, 2},
    };
    for (const auto& c : cases) {
        NodePtr tree = Parse(c.text);
        ASSERT_TRUE(tree) << c.text;
        const KeptRun run = RunKept(ctx, *tree, c.x);
        const std::string where =
            std::string(c.text) + " at " + std::to_string(static_cast<double>(c.x));
        EXPECT_GE(run.kept, 1) << where;
        EXPECT_EQ(run.written, c.written < 0 ? run.kept : c.written) << where;
        EXPECT_EQ(run.defined, c.defined) << where;
        if (c.defined && c.value != 0) EXPECT_EQ(run.value, c.value) << where;
        if (c.defined) EXPECT_TRUE(SameBits(run.value, At(tree, c.x))) << where;
    }
}

TEST_F(TreeProgramTest, AnUndefinedKeptValueRunsOnWhereTheRootMayStillBeDefined) {
    // The first value of a fallback: the run goes on to the second, whose value it gives.
    NodePtr fallback =
        TExprNode::NewBinary(op::kFallback, Parse("LN(X)*SIN(LN(X))+LN(X)"), Parse("7.25"));
    const KeptRun viaFallback = RunKept(ctx, *fallback, -2);
    EXPECT_TRUE(viaFallback.defined);
    EXPECT_EQ(viaFallback.value, 7.25L);
    EXPECT_EQ(viaFallback.written, viaFallback.kept);
}

// Trees whose shared subtrees overflow to infinity or turn NaN at the points of a row, where
// the nodes above them might (but in the tree walk do not) turn that into a defined value: a
// quotient, a power, a built-in, a JOIN boundary, a bound factor; and where they do: the first
// value of a fallback, also through a bound or periodic body (whose slot must come back) and a
// fallback nested in another's first value. Program and tree walk must agree in both modes.
class KeptInfinityTest : public TreeProgramTest {
protected:
    static NodePtr FallbackOf(NodePtr first, NodePtr second) {
        return TExprNode::NewBinary(op::kFallback, std::move(first), std::move(second));
    }
    NodePtr BoundY(const char* at, const char* body, const char* factor = nullptr) {
        return MakeBound(Parse(at).get(), Parse(body).get(), slot::kY, 'A',
                         factor ? Parse(factor) : nullptr);
    }
    NodePtr Periodic(const char* low, const char* body, const char* period) {
        NodePtr node = TExprNode::NewOp(op::kPeriodic);
        node->child[0] = Parse(low);
        node->child[1] = Parse(body);
        node->child[2] = Parse(period);
        return node;
    }
};

TEST_F(KeptInfinityTest, ASharedValueThatIsNotFiniteGivesTheTreeWalksOutcome) {
    constexpr long double kHuge = 1e3000L;  // X*X overflows to infinity
    constexpr long double kInf = std::numeric_limits<long double>::infinity();
    constexpr long double kNone = NAN;  // undefined in real mode
    const struct {
        const char* name;
        std::function<NodePtr()> make;
        long double x;
        long double real;  // the value in real mode, kNone where undefined
    } rows[] = {
        {"quotients", [&] { return Parse("1/(X*X)-2/(X*X)"); }, kHuge, kNone},
        {"zeroth power", [&] { return Parse("(X*X)^0+(X*X)^0*3"); }, -kHuge, kNone},
        {"minus first power", [&] { return Parse("(X*X)^-1-(X*X)^-1"); }, kHuge, kNone},
        {"atan and exp", [&] { return Parse("ATAN(X*X)+EXP(-(X*X))"); }, kHuge, kNone},
        {"min and max", [&] { return Parse("MAX(X*X,1)+MIN(1,X*X)"); }, kHuge, kNone},
        {"infinite variable", [&] { return Parse("1/(X+1)+ATAN(X+1)"); }, kInf, kNone},
        {"JOIN piece not taken", [&] { return Parse("JOINX(X*X+X*X,0,4)"); }, kHuge, 4},
        {"JOIN piece taken", [&] { return Parse("JOINX(X*X+X*X,0,4)"); }, -kHuge, kNone},
        {"JOIN boundary", [&] { return Parse("JOINX(1,X*X-X*X,2)"); }, kHuge, kNone},
        {"bound factor", [&] { return BoundY("2", "Y*3", "X*X-1/X"); }, kHuge, kNone},
        {"fallback", [&] { return FallbackOf(Parse("X*X-X*X"), Parse("3.5")); }, kHuge, 3.5L},
        {"fallback defined", [&] { return FallbackOf(Parse("X*X-X*X/2"), Parse("3.5")); }, 3, 4.5L},
        {"two fallbacks",
         [&] {
             return TExprNode::NewBinary(op::kPlus, FallbackOf(Parse("X*X"), Parse("2")),
                                         FallbackOf(Parse("X*X*3"), Parse("5.25")));
         },
         kHuge, 7.25L},
        {"fallback in a fallback",
         [&] {
             return FallbackOf(FallbackOf(Parse("LN(X)+LN(X)"), Parse("SQRT(X-1)+SQRT(X-1)*LN(X)")),
                               Parse("8.5"));
         },
         -3, 8.5L},
        {"fallback of a bound", [&] { return FallbackOf(BoundY("X", "Y*Y+Y*Y/4"), Parse("6.5")); },
         kHuge, 6.5L},
        {"bound undefined", [&] { return BoundY("X", "Y*Y-Y*Y*2"); }, kHuge, kNone},
        {"bound defined", [&] { return BoundY("X-1", "Y*Y-Y*Y*2", "X"); }, 3, -12},
        {"fallback of a periodic",
         [&] { return FallbackOf(Periodic("-1", "LN(X)*LN(X)-LN(X)", "3"), Parse("9.5")); }, 2.5L,
         9.5L},
        {"periodic undefined", [&] { return Periodic("-1", "LN(X)*LN(X)-LN(X)", "3"); }, 2.5L,
         kNone},
        {"derivative",
         [&] {
             return FallbackOf(testing_support::Derivative(ctx, Parse("SQRT(X)*LN(X)^3").get()),
                               Parse("1.25"));
         },
         -2, 1.25L},
    };
    for (const bool complex : {false, true}) {
        ctx.complexMode = complex;
        for (const auto& row : rows) {
            NodePtr tree = row.make();
            ASSERT_TRUE(tree) << row.name;
            TreeProgram program(ctx, tree.get());
            ctx.SetVar(slot::kX, row.x);
            ctx.SetVar(slot::kY, 0.75L);
            const TVariableTable start = ctx.vars;
            const std::string where = std::string(row.name) + (complex ? " (complex)" : "");
            const bool defined = ExpectSame(ctx, tree.get(), program, where);
            EXPECT_TRUE(SameTable(start, ctx.vars)) << where;  // slots given back
            if (complex) continue;  // periodic nodes go through the tree there
            EXPECT_TRUE(program.Compiled()) << where;
            EXPECT_EQ(defined, !std::isnan(row.real)) << where;
            if (defined) EXPECT_EQ(tree->re, row.real) << where;
        }
    }
}

TEST_F(TreeProgramTest, ConstantsFoldAndHornerChainsAndSumsRunAsOneInstruction) {
    // Instruction counts, not times: what the compiler makes of the shapes it is built for.
    const struct {
        const char* text;
        int instructions;
    } cases[] = {
        {"((((2X-3)X+1)X-4)X+5)X-6", 1},  // one Horner chain from 2
        {"2X^5-3X^4+X^3-4X^2+5X-6", 1},   // one sum of terms
        {"SIN(2*PI/3)*X", 1},             // the constant folded, times X
        {"X^5", 1},                       // a whole power of a variable in place
        {"(X+1)^2", 2},
    };
    for (const auto& c : cases) {
        NodePtr tree = Parse(c.text);
        EXPECT_EQ(TreeProgram(ctx, tree.get()).Size(), c.instructions) << c.text;
    }
}

}  // namespace
}  // namespace quorlin
