// Compiled programs against the tree walk: random trees of every kind of node, evaluated at
// random points (undefined ones included) in real and complex mode, must give the same bits
// and the same defined or undefined outcome, and leave the variable table as the tree walk
// leaves it. Then the cases the random trees cannot reach: trees the program evaluates through
// the tree, a change of mode, and the instructions that folding and Horner chains save.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "formula/name_table.h"
#include "formula/tree_program.h"
#include "formula_support.h"

namespace quorlin {
namespace {

using testing_support::FormulaTest;
using TreeProgramTest = FormulaTest;

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

bool SameBits(long double a, long double b) {
    return std::memcmp(&a, &b, 10) == 0;  // the 80 bits of the value, not the padding
}

// Random trees over every node the evaluator knows, with the constants and exponents that
// take the fast paths (whole powers, squares, cubes) and the ones that must not.
class TreeMaker {
public:
    // In complex mode the nodes that complex mode evaluates as real come seldom, so that most
    // trees compile.
    TreeMaker(unsigned seed, bool complex) : random_(seed), complex_(complex) {}

    // Trees in which subtrees come again, as copies of one made before: in other branches of
    // JOIN and fallback nodes, inside and outside bound and periodic bodies, so that a value
    // the program keeps is read where the code that computed it may not have run, or where a
    // slot it reads holds another value.
    void RepeatSubtrees() { repeats_ = true; }

    NodePtr Make(int depth) {
        if (repeats_ && !made_.empty() && Chance(0.3))
            return TExprNode::CopyTree(made_[static_cast<std::size_t>(Pick(made_.size()))].get());
        NodePtr tree = MakeNew(depth);
        if (repeats_ && tree) made_.push_back(TExprNode::CopyTree(tree.get()));
        return tree;
    }
    // Forgets the subtrees made so far (they belong to a tree that is gone).
    void StartTree() { made_.clear(); }

private:
    NodePtr MakeNew(int depth) {
        if (depth <= 0 || Chance(0.2)) return Leaf();
        switch (Pick(11)) {
            case 0:
            case 1:
            case 2:
                return Binary(depth);
            case 3:
                return TExprNode::NewUnary(Chance(0.5) ? op::kNegate : op::kSquare,
                                           Make(depth - 1));
            case 4:
            case 5:
                return Builtin(depth);
            case 6: {
                // JOIN on X or Y (rarely on a code that is no variable).
                auto join = TExprNode::NewOp(op::kJoin);
                join->aux = Chance(0.1) ? op::kConst : (Chance(0.5) ? op::kVarX : op::kVarY);
                join->child[0] = Make(depth - 1);
                join->child[1] = Chance(0.5) ? Constant() : Make(depth - 1);
                join->child[2] = Make(depth - 1);
                return join;
            }
            case 7: {
                auto bound = TExprNode::NewOp(op::kBound);
                const int slotIndex = Chance(0.1) ? 200 : (Chance(0.5) ? slot::kX : slot::kY);
                bound->aux = op::BoundAux(slotIndex, 'A');
                bound->child[0] = Make(depth - 1);
                bound->child[1] = Make(depth - 1);
                if (Chance(0.5)) bound->child[2] = Make(depth - 1);
                return bound;
            }
            case 8:
                return TExprNode::NewBinary(op::kFallback, Make(depth - 1), Make(depth - 1));
            case 9: {
                if (complex_ && Chance(0.9)) return Binary(depth);
                auto periodic = TExprNode::NewOp(op::kPeriodic);
                periodic->child[0] = Make(depth - 1);
                periodic->child[1] = Make(depth - 1);
                periodic->child[2] = Chance(0.7) ? Constant() : Make(depth - 1);
                return periodic;
            }
            default:
                // A constant subtree, for folding.
                return TExprNode::NewBinary(op::kTimes, Constant(),
                                            Chance(0.5) ? Constant() : Make(depth - 1));
        }
    }

    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    NodePtr Constant() {
        static constexpr long double kValues[] = {0,      1,      2,  3,  -1,      0.5L,
                                                  -2.5L,  1e-5L,  7,  64, 65,      -64,
                                                  1e300L, 10.25L, -3, 4,  1e4000L, -0.0L};
        auto c = TExprNode::NewConst(kValues[Pick(std::size(kValues))]);
        if (Chance(0.05)) c->im = Chance(0.5) ? -0.0L : 1.5L;
        return c;
    }

    NodePtr Leaf() {
        const int kind = Pick(14);
        if (complex_ && kind >= 8 && kind <= 12 && Chance(0.9)) return Constant();
        switch (kind) {
            case 0:
            case 1:
            case 2:
                return Constant();
            case 3:
            case 4:
            case 5:
                return TExprNode::NewOp(op::kVarX);
            case 6:
                return TExprNode::NewOp(op::kVarY);
            case 7:
                return TExprNode::NewOp(Chance(0.5) ? 'A' : op::kVarT);
            case 8:
                return TExprNode::NewOp(op::kExtraRealFirst + Pick(3));
            case 9: {
                auto state = TExprNode::NewOp(op::kDerivState);
                state->aux = Chance(0.8) ? Pick(3) : 20;
                return state;
            }
            case 10:
                return TExprNode::NewOp(op::kSightFirst + Pick(6));
            case 11:
                return TExprNode::NewOp(Chance(0.5) ? op::kRevolutionScale : op::kRevolutionFoot);
            case 12:
                // Codes without a value: placeholders, a code beyond the functions.
                return TExprNode::NewOp(Chance(0.5) ? op::kPlaceholder1 : 384);
            default:
                return nullptr;  // a missing child
        }
    }

    NodePtr Binary(int depth) {
        static constexpr int kOps[] = {op::kPlus, op::kMinus, op::kTimes, op::kDivide, op::kPower};
        const int code = kOps[Pick(std::size(kOps))];
        NodePtr right;
        if (code == op::kPower && Chance(0.7)) {
            static constexpr long double kExponents[] = {2,  3,  0,  1,   -1,   4,    5,
                                                         -3, 64, 65, -64, 0.5L, 2.5L, -2};
            right = TExprNode::NewConst(kExponents[Pick(std::size(kExponents))]);
        } else {
            right = Make(depth - 1);
        }
        NodePtr left = Make(depth - 1);
        if (code == op::kPlus || code == op::kMinus) {
            if (Chance(0.3)) {  // Horner-shaped chains: (left * X) op constant
                left =
                    TExprNode::NewBinary(op::kTimes, std::move(left), TExprNode::NewOp(op::kVarX));
                right = Constant();
            } else if (Chance(0.4)) {  // sums of terms: left op c X^n
                right = Term();
            }
        }
        return TExprNode::NewBinary(code, std::move(left), std::move(right));
    }

    // A term of a polynomial: X, X^n or c X^n, c X, or X times another variable.
    NodePtr Term() {
        static constexpr long double kExponents[] = {2, 3, 4, 5, 0, -1, 7};
        NodePtr power = TExprNode::NewOp(op::kVarX);
        if (Chance(0.7))
            power = TExprNode::NewBinary(op::kPower, std::move(power),
                                         TExprNode::NewConst(kExponents[Pick(7)]));
        if (Chance(0.3)) return power;
        NodePtr factor = Chance(0.8) ? Constant() : TExprNode::NewOp(op::kVarY);
        return Chance(0.5) ? TExprNode::NewBinary(op::kTimes, std::move(factor), std::move(power))
                           : TExprNode::NewBinary(op::kTimes, std::move(power), std::move(factor));
    }

    NodePtr Builtin(int depth) {
        const auto functions = BuiltinFunctions();
        const BuiltinFunction& f = functions[static_cast<std::size_t>(Pick(functions.size()))];
        auto node = TExprNode::NewOp(f.code);
        if (f.argCount == 2) node->child[0] = Make(depth - 1);
        if (f.argCount >= 1) node->child[1] = Make(depth - 1);
        return node;
    }

    std::mt19937 random_;
    bool complex_;
    bool repeats_ = false;
    std::vector<NodePtr> made_;  // copies of the subtrees of the tree being made
};

long double PointValue(std::mt19937& random) {
    static constexpr long double kSpecial[] = {0,       -0.0L,  1,       -1,   0.5L,  2,    -3.7L,
                                               1e-300L, 1e300L, 1e4000L, kInf, -kInf, kNaN, 3};
    std::uniform_int_distribution<int> pick(0, 2 * static_cast<int>(std::size(kSpecial)));
    const int k = pick(random);
    if (k < static_cast<int>(std::size(kSpecial))) return kSpecial[k];
    return std::uniform_real_distribution<long double>(-5, 5)(random);
}

// Puts random values into every slot a tree may read.
void RandomVariables(FormulaContext& ctx, std::mt19937& random, bool complex) {
    for (int i = 0; i < slot::kCount; ++i)
        ctx.SetVar(i, Complex(PointValue(random), complex ? PointValue(random) : 0.0L));
    for (auto& v : ctx.extraReal) v = PointValue(random);
    for (auto& v : ctx.derivState) v = PointValue(random);
}

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
