// Compiled programs evaluate each distinct subtree once: equal subtrees share one value where
// the tree walk would compute the same bits for them, and never where a slot they read holds
// another value (bound and periodic bodies) or the code that computed the value may not have
// run (the branches of JOIN and fallback nodes); in complex mode a shared value fails where its
// subtree fails. Every case is checked against the tree walk bit for bit, at points that visit
// both sides of every branch in turn.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "formula/tree_program.h"
#include "formula/tree_program_sharing.h"
#include "formula_support.h"

namespace quorlin {
namespace {

using program_detail::ValueNumbers;
using testing_support::FormulaTest;
using TreeProgramSharingTest = FormulaTest;

bool SameBits(long double a, long double b) {
    return std::memcmp(&a, &b, 10) == 0;  // the 80 bits of the value, not the padding
}

// g with the slot bound to the point: the tree of a difference stencil's sample.
NodePtr BoundAt(int slotIndex, NodePtr point, NodePtr body) {
    auto bound = TExprNode::NewOp(op::kBound);
    bound->aux = op::BoundAux(slotIndex, 'D');
    bound->child[0] = std::move(point);
    bound->child[1] = std::move(body);
    return bound;
}

NodePtr PeriodicOf(NodePtr low, NodePtr body, NodePtr period) {
    auto periodic = TExprNode::NewOp(op::kPeriodic);
    periodic->child[0] = std::move(low);
    periodic->child[1] = std::move(body);
    periodic->child[2] = std::move(period);
    return periodic;
}

NodePtr Plus(NodePtr a, NodePtr b) {
    return TExprNode::NewBinary(op::kPlus, std::move(a), std::move(b));
}

// The first value where it is defined, else the second.
NodePtr FallbackOf(NodePtr first, NodePtr second) {
    auto fallback = TExprNode::NewOp(op::kFallback);
    fallback->child[0] = std::move(first);
    fallback->child[1] = std::move(second);
    return fallback;
}

// The same in complex mode at each complex X (Y at 0.5 + 0.25i): both parts' bits.
void ExpectComplexTreeWalksBits(FormulaContext& ctx, TExprNode& tree, const std::string& where,
                                std::initializer_list<Complex> xs) {
    ctx.complexMode = true;
    const TreeProgram program(ctx, &tree);
    ASSERT_TRUE(program.Compiled()) << where;
    for (const Complex& x : xs) {
        const std::string at = where + " at " + std::to_string(static_cast<double>(x.real())) +
                               "+" + std::to_string(static_cast<double>(x.imag())) + "i";
        ctx.SetVar(slot::kX, x);
        ctx.SetVar(slot::kY, Complex(0.5L, 0.25L));
        Complex value;
        const bool defined = program.Evaluate(value);
        ASSERT_EQ(defined, ctx.Evaluate(tree)) << at;
        if (!defined) continue;
        EXPECT_TRUE(SameBits(value.real(), tree.re) && SameBits(value.imag(), tree.im))
            << at << ": " << static_cast<double>(value.real()) << " against "
            << static_cast<double>(tree.re);
    }
    ctx.complexMode = false;
}

// The program and the tree walk at each x of the list (Y at 0.5): the same defined or
// undefined outcome and the same bits.
void ExpectTreeWalksBits(FormulaContext& ctx, TExprNode& tree, const std::string& where,
                         std::initializer_list<long double> xs) {
    const TreeProgram program(ctx, &tree);
    ASSERT_TRUE(program.Compiled()) << where;
    for (const long double x : xs) {
        ctx.SetVar(slot::kX, x);
        ctx.SetVar(slot::kY, 0.5L);
        long double value = 0;
        const bool defined = program.Evaluate(value);
        ASSERT_EQ(defined, ctx.Evaluate(tree)) << where << " at " << static_cast<double>(x);
        if (!defined) continue;
        EXPECT_TRUE(SameBits(value, tree.re))
            << where << " at " << static_cast<double>(x) << ": " << static_cast<double>(value)
            << " against " << static_cast<double>(tree.re);
    }
}

// Left and right of 0 in turn, and points where LN is undefined: a value kept on one side
// would be read stale on the other.
const std::initializer_list<long double> kBothSides = {-1.5L, 2.0L,  -0.25L, 0.75L,
                                                       3.0L,  -2.0L, 0.0L,   1.0L};

TEST_F(TreeProgramSharingTest, SlotsBoundInABodyAreNotSharedWithTheSlotOutside) {
    // Each case: a tree whose equal subtrees read a slot that a bound or periodic node sets.
    const struct {
        const char* name;
        NodePtr tree;
        long double valueAtOne;  // at X = 1, Y = 0.5
    } cases[] = {
        {"SIN(X) at X+1, plus SIN(X)",
         Plus(BoundAt(slot::kX, Parse("X+1"), Parse("SIN(X)")), Parse("SIN(X)")),
         std::sin(2.0L) + std::sin(1.0L)},
        {"SIN(X) plus SIN(X) at X+1",  // the outside value first
         Plus(Parse("SIN(X)"), BoundAt(slot::kX, Parse("X+1"), Parse("SIN(X)"))),
         std::sin(1.0L) + std::sin(2.0L)},
        {"two bodies at different points",
         Plus(BoundAt(slot::kX, Parse("X+1"), Parse("EXP(X)*X")),
              BoundAt(slot::kX, Parse("X-1"), Parse("EXP(X)*X"))),
         std::exp(2.0L) * 2},
        {"Y bound, X read: the body's SIN(X) is the outside one",
         Plus(Parse("SIN(X)"), BoundAt(slot::kY, Parse("3"), Parse("SIN(X)*Y"))),
         std::sin(1.0L) * 4},
        {"X bound inside a body that binds Y",
         Plus(BoundAt(slot::kY, Parse("X"), BoundAt(slot::kX, Parse("Y*2"), Parse("X^2+Y"))),
              Parse("X^2+Y")),
         4.0L + 1 + 1.5L},
        {"X bound again inside a body that binds X",  // X at 2 outside the inner body, 4 in it
         BoundAt(slot::kX, Parse("X+1"),
                 Plus(Parse("SIN(X)"), BoundAt(slot::kX, Parse("X*2"), Parse("SIN(X)")))),
         std::sin(2.0L) + std::sin(4.0L)},
        {"X^2 in a periodic body and outside",
         Plus(PeriodicOf(Parse("0"), Parse("X^2"), Parse("0.75")), Parse("X^2")),
         0.25L * 0.25L + 1},
    };
    for (const auto& c : cases) {
        ctx.SetVar(slot::kX, 1.0L);
        ctx.SetVar(slot::kY, 0.5L);
        long double value = 0;
        ASSERT_TRUE(TreeProgram(ctx, c.tree.get()).Evaluate(value)) << c.name;
        EXPECT_NEAR(static_cast<double>(value), static_cast<double>(c.valueAtOne), 1e-15) << c.name;
        ExpectTreeWalksBits(ctx, *c.tree, c.name, kBothSides);
    }
}

TEST_F(TreeProgramSharingTest, EqualSubtreesHaveOneNumberAndBindingsSeparateThem) {
    NodePtr tree =
        Plus(BoundAt(slot::kX, Parse("X+1"), Parse("SIN(X)+COS(Y)")), Parse("SIN(X)+COS(Y)"));
    const ValueNumbers numbers(tree.get());
    const TExprNode& inside = *tree->child[0]->child[1];  // SIN(X)+COS(Y) with X bound
    const TExprNode& outside = *tree->child[1];
    EXPECT_NE(numbers.Of(&inside), numbers.Of(&outside));
    EXPECT_NE(numbers.Of(inside.child[0].get()), numbers.Of(outside.child[0].get()));  // SIN(X)
    EXPECT_EQ(numbers.Of(inside.child[1].get()), numbers.Of(outside.child[1].get()));  // COS(Y)
    EXPECT_EQ(numbers.Occurrences(numbers.Of(outside.child[1].get())), 2);
    EXPECT_EQ(numbers.Occurrences(numbers.Of(tree.get())), 1);

    // Constants of other bits are other subtrees: 0 and -0, and an imaginary part.
    NodePtr zeros = Parse("X*0+X*0");
    const ValueNumbers same(zeros.get());
    EXPECT_EQ(same.Of(zeros->child[0].get()), same.Of(zeros->child[1].get()));
    zeros->child[1]->child[1]->re = -0.0L;
    const ValueNumbers signed_(zeros.get());
    EXPECT_NE(signed_.Of(zeros->child[0].get()), signed_.Of(zeros->child[1].get()));
    zeros->child[1]->child[1]->re = 0.0L;
    zeros->child[1]->child[1]->im = 1.0L;
    const ValueNumbers imaginary(zeros.get());
    EXPECT_NE(imaginary.Of(zeros->child[0].get()), imaginary.Of(zeros->child[1].get()));
}

TEST_F(TreeProgramSharingTest, UsesCountOnlyTheReadsOfAProgramThatComputesEachSubtreeOnce) {
    // SIN(X+2) twice: X+2 is read only by the first SIN, whose value the second reads.
    NodePtr first = Parse("SIN(X+2)*SIN(X+2)+(X+2)");
    NodePtr second = Parse("SIN(X+2)-Y*3");
    const ValueNumbers alone(first.get());
    const TExprNode& sine = *first->child[0]->child[0];
    const TExprNode& sum = *sine.child[1];
    EXPECT_EQ(alone.Occurrences(alone.Of(&sum)), 3);
    EXPECT_EQ(alone.Uses(alone.Of(&sum)), 2);  // in the first SIN and at the end
    EXPECT_EQ(alone.Uses(alone.Of(&sine)), 2);
    EXPECT_EQ(alone.Uses(alone.Of(sum.child[0].get())), 1);  // X, below the kept X+2
    // Numbered together, the second tree's SIN is the first's, and X+2 is not read again.
    const std::array<const TExprNode*, 2> both{first.get(), second.get()};
    const ValueNumbers together(both);
    EXPECT_EQ(together.Of(&sine), together.Of(second->child[0].get()));
    EXPECT_EQ(together.Uses(together.Of(&sine)), 3);
    EXPECT_EQ(together.Occurrences(together.Of(&sum)), 4);
    EXPECT_EQ(together.Uses(together.Of(&sum)), 2);
    EXPECT_EQ(together.Uses(together.Of(second->child[1].get())), 1);  // Y*3
}

TEST_F(TreeProgramSharingTest, AProgramRunsEachDistinctSubtreeOnce) {
    // t, t*t, (t*t)*(t*t), ...: 2^12 copies of SIN(X)+X in a tree of 12 distinct products.
    NodePtr tree = Parse("SIN(X)+X");
    // The copy is taken first: the order in which a call's arguments are evaluated is unspecified.
    for (int k = 0; k < 12; ++k) {
        NodePtr copy = TExprNode::CopyTree(tree.get());
        tree = TExprNode::NewBinary(op::kTimes, std::move(tree), std::move(copy));
    }
    ASSERT_GT(TExprNode::CountNodes(tree.get()), 16000);
    const ValueNumbers numbers(tree.get());
    EXPECT_EQ(numbers.Count(), 3 + 12);  // X, SIN(X), the sum and the products
    const TreeProgram program(ctx, tree.get());
    EXPECT_LE(program.Size(), 3 * numbers.Count());
    ExpectTreeWalksBits(ctx, *tree, "products", {0.1L, 0.5L, -0.3L});
}

TEST_F(TreeProgramSharingTest, TheHeavyFourthDerivativeGivesTheTreeWalksBitsAt1000Points) {
    NodePtr tree = Parse("DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))");
    ASSERT_TRUE(tree);
    const TreeProgram program(ctx, tree.get());
    ASSERT_TRUE(program.Compiled());
    // Instructions in proportion to the distinct subtrees (2151 of the 17558 nodes): the
    // derivatives' copies are evaluated once.
    const ValueNumbers numbers(tree.get());
    EXPECT_LT(numbers.Count() * 8, TExprNode::CountNodes(tree.get()));
    EXPECT_LE(program.Size(), 2 * numbers.Count());
    int defined = 0;
    for (int i = 0; i < 1000; ++i) {
        const long double x = -2.0L + 5.0L * i / 999;  // both signs: X^X is undefined below 0
        ctx.SetVar(slot::kX, x);
        long double value = 0;
        const bool programDefined = program.Evaluate(value);
        ASSERT_EQ(programDefined, ctx.Evaluate(*tree)) << static_cast<double>(x);
        if (!programDefined) continue;
        ++defined;
        ASSERT_TRUE(SameBits(value, tree->re))
            << static_cast<double>(x) << ": " << static_cast<double>(value) << " against "
            << static_cast<double>(tree->re);
    }
    EXPECT_GT(defined, 500);
}

// In complex mode a kept value brings the failures of its subtree along: where the tree walk
// computes it again and fails again, the program fails as well, and a fallback whose first value
// reads it takes its second one.
TEST_F(TreeProgramSharingTest, ComplexKeptValuesFailWhereTheirSubtreeFails) {
    const struct {
        const char* name;
        NodePtr tree;
    } cases[] = {
        {"LN(X)*2 in a fallback's first value, then after it",
         Plus(FallbackOf(Parse("LN(X)*2"), Parse("7")), Parse("LN(X)*2"))},
        {"LN(X)*2 first, then in a fallback's first value",
         Plus(Parse("LN(X)*2"), FallbackOf(Parse("LN(X)*2+1"), Parse("X")))},
        {"SQRT(X)+1 in a fallback's second value, then after it",
         Plus(FallbackOf(Parse("1/X"), Parse("SQRT(X)+1")), Parse("SQRT(X)+1"))},
        {"the same fallback twice", Plus(FallbackOf(Parse("1/(X-1)"), Parse("Y*3")),
                                         FallbackOf(Parse("1/(X-1)"), Parse("Y*3")))},
        {"a piece of a JOIN and the boundary", Parse("JOINX(EXP(X)*I,EXP(X)*I,COS(X)-1)+EXP(X)*I")},
    };
    for (const auto& c : cases)
        ExpectComplexTreeWalksBits(ctx, *c.tree, c.name,
                                   {Complex(0), Complex(1), Complex(-1, 0.5L), Complex(2, -1),
                                    Complex(0, 3), Complex(-0.5L), Complex(1, 0)});
}

TEST_F(TreeProgramSharingTest, AComplexProgramRunsEachDistinctSubtreeOnce) {
    NodePtr tree = Parse("SIN(X)+X*I");
    for (int k = 0; k < 12; ++k) {
        NodePtr copy = TExprNode::CopyTree(tree.get());
        tree = TExprNode::NewBinary(op::kTimes, std::move(tree), std::move(copy));
    }
    const ValueNumbers numbers(tree.get());
    ctx.complexMode = true;
    const TreeProgram program(ctx, tree.get());
    // A keeping and a mark for each of the 15 distinct subtrees with children, and the ends.
    EXPECT_LE(program.Size(), 4 * numbers.Count());
    ExpectComplexTreeWalksBits(ctx, *tree, "products",
                               {Complex(0.1L, 0.05L), Complex(0.5L), Complex(-0.3L, -0.1L)});
}

TEST_F(TreeProgramSharingTest, TheHeavyFourthDerivativeGivesTheComplexTreeWalksBits) {
    NodePtr tree = Parse("DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))");
    ASSERT_TRUE(tree);
    ctx.complexMode = true;
    const TreeProgram program(ctx, tree.get());
    ASSERT_TRUE(program.Compiled());
    EXPECT_LE(program.Size(), 3 * ValueNumbers(tree.get()).Count());
    int defined = 0;
    for (int i = 0; i < 300; ++i) {  // complex functions are slow
        const Complex x(-2.0L + 5.0L * i / 299, i % 3 == 0 ? 0.0L : 0.5L - i % 7 * 0.125L);
        ctx.SetVar(slot::kX, x);
        Complex value;
        const bool programDefined = program.Evaluate(value);
        ASSERT_EQ(programDefined, ctx.Evaluate(*tree)) << static_cast<double>(x.real());
        if (!programDefined) continue;
        ++defined;
        ASSERT_TRUE(SameBits(value.real(), tree->re) && SameBits(value.imag(), tree->im))
            << static_cast<double>(x.real()) << ": " << static_cast<double>(value.real())
            << " against " << static_cast<double>(tree->re);
    }
    EXPECT_GT(defined, 150);
}

}  // namespace
}  // namespace quorlin
