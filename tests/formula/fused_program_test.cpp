// Several trees as one program against each tree's own program: the same bits and the same
// defined or undefined outcome for every tree at random points, on random groups of trees that
// share subtrees across trees, on the formulas of vector fields and on heavy derivatives; exact
// values where they are known; the trees that one code cannot take; a change of mode.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "formula/fused_program.h"
#include "formula/tree_program.h"
#include "formula_support.h"
#include "random_trees.h"

namespace quorlin {
namespace {

using testing_support::FormulaTest;
using testing_support::RandomVariables;
using testing_support::SameBits;
using testing_support::TreeMaker;

class FusedProgramTest : public FormulaTest {
protected:
    // The trees of the texts; a null text gives a missing tree.
    std::vector<NodePtr> ParseAll(const std::vector<const char*>& texts) {
        std::vector<NodePtr> trees;
        for (const char* text : texts) trees.push_back(text ? Parse(text) : nullptr);
        return trees;
    }
};

std::vector<TExprNode*> Roots(const std::vector<NodePtr>& trees) {
    std::vector<TExprNode*> roots;
    for (const NodePtr& tree : trees) roots.push_back(tree.get());
    return roots;
}

// Evaluates the fused program and each tree's own program at the context's variables and
// compares them tree by tree; the number of trees defined there.
int ExpectSameAsOwnPrograms(FormulaContext& ctx, const FusedProgram& fused,
                            const std::vector<TreeProgram>& own, const std::string& where) {
    std::vector<long double> values(own.size() + 1, 0);
    const TVariableTable start = ctx.vars;
    const std::uint32_t defined = fused.Evaluate(values.data());
    EXPECT_EQ(defined & ~fused.AllDefined(), 0U) << where;
    int count = 0;
    for (std::size_t i = 0; i < own.size(); ++i) {
        long double value = 0;
        const bool ownDefined = own[i].Evaluate(value);
        const bool fusedDefined = (defined >> i & 1U) != 0;
        EXPECT_EQ(fusedDefined, ownDefined) << where << " tree " << i;
        if (ownDefined && fusedDefined)
            EXPECT_TRUE(SameBits(values[i], value))
                << where << " tree " << i << ": " << static_cast<double>(values[i]) << " against "
                << static_cast<double>(value);
        count += ownDefined;
    }
    for (int s = 0; s < slot::kCount; ++s)  // bound and periodic nodes give their slots back
        EXPECT_TRUE(SameBits(ctx.vars.value[s].real(), start.value[s].real())) << where;
    return count;
}

std::vector<TreeProgram> OwnPrograms(FormulaContext& ctx, const std::vector<NodePtr>& trees) {
    std::vector<TreeProgram> own;
    for (const NodePtr& tree : trees) own.emplace_back(ctx, tree.get());
    return own;
}

// Random groups of one to four trees, compared tree by tree with their own programs at random
// points; the number of groups that ran as one code.
int CompareRandomGroups(bool complex, unsigned seed, int groups) {
    // The trees of a group are made one after the other without forgetting the subtrees made
    // so far, so that copies land in other trees of the group: a value one tree keeps is read
    // by the next, also where the code that computed it ran in a branch.
    TreeMaker maker(seed, complex);
    maker.RepeatSubtrees();
    std::mt19937 random(seed + 1);
    FormulaContext ctx;
    ctx.complexMode = complex;
    int fusedGroups = 0, evaluations = 0, defined = 0;
    for (int g = 0; g < groups; ++g) {
        maker.StartTree();
        std::vector<NodePtr> trees;
        const int count = 1 + g % 4;
        for (int i = 0; i < count; ++i) trees.push_back(maker.Make(1 + (g + i) % 6));
        const FusedProgram fused(ctx, Roots(trees));
        const std::vector<TreeProgram> own = OwnPrograms(ctx, trees);
        EXPECT_EQ(fused.Count(), count);
        fusedGroups += fused.Fused();
        for (int p = 0; p < 10; ++p) {
            RandomVariables(ctx, random, complex);
            evaluations += count;
            defined += ExpectSameAsOwnPrograms(
                ctx, fused, own, "group " + std::to_string(g) + " point " + std::to_string(p));
            if (testing::Test::HasFailure()) return fusedGroups;
        }
    }
    EXPECT_GT(defined, evaluations / 4);
    return fusedGroups;
}

TEST(FusedProgramRandom, GroupsOfTreesSharingSubtreesGiveEachTreesOwnBits) {
    EXPECT_GT(CompareRandomGroups(false, 2468, 1500), 1500 * 7 / 10);
}

TEST(FusedProgramRandom, ComplexGroupsGiveEachTreesOwnValuesAndFailures) {
    // Complex mode runs each tree's own program: a kept value's failures count as they do there.
    EXPECT_EQ(CompareRandomGroups(true, 9753, 300), 0);
}

struct GroupRow {
    const char* name;
    std::vector<const char*> formulas;
};

const GroupRow kGroups[] = {
    {"predator and prey", {"X-X*Y", "X*Y-Y"}},
    {"pendulum", {"Y", "-SIN(X)"}},
    {"damped pendulum", {"Y", "-SIN(X)-0.25*Y"}},
    {"three components", {"10*(Y-X)", "X*(28-Z)-Y", "X*Y-8/3*Z"}},
    {"undefined where x <= 0", {"LN(X)*Y", "1/X+LN(X)*Y", "SQRT(X)"}},
    {"the same tree twice", {"EXP(X)*SIN(Y)", "EXP(X)*SIN(Y)"}},
    {"a constant, a sum of powers, a Horner chain", {"2.5", "X^3-2X^2+Y", "((2X-3)X+1)X-4"}},
    {"bound and branched pieces", {"JOINX(SIN(X)*2,0,COS(X))", "SIN(X)*2+COS(X)", "MOD(X,0.7)"}},
    {"heavy derivatives",
     {"DERX(4,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))", "DERX(3,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))",
      "DERX(2,SIN(X)^COS(X)*EXP(X^X)/(1+X^2))"}},
};

TEST_F(FusedProgramTest, FieldsAndHeavyDerivativesGiveEachTreesOwnBits) {
    std::mt19937 random(77);
    for (const GroupRow& row : kGroups) {
        const std::vector<NodePtr> trees = ParseAll(row.formulas);
        const FusedProgram fused(ctx, Roots(trees));
        EXPECT_TRUE(fused.Fused()) << row.name;
        const std::vector<TreeProgram> own = OwnPrograms(ctx, trees);
        int defined = 0;
        for (int p = 0; p < 200; ++p) {
            RandomVariables(ctx, random, false);
            // Half the points in the range where the formulas are mostly defined.
            if (p % 2 == 0) {
                ctx.SetVar(slot::kX, std::uniform_real_distribution<long double>(0.1L, 3)(random));
                ctx.SetVar(slot::kY, std::uniform_real_distribution<long double>(-2, 2)(random));
            }
            defined += ExpectSameAsOwnPrograms(ctx, fused, own, row.name);
            if (HasFailure()) return;
        }
        EXPECT_GT(defined, 100) << row.name;
    }
}

TEST_F(FusedProgramTest, SharedSubtreesMakeTheCodeShorterThanTheProgramsApart) {
    // The derivatives of one function repeat each other's subtrees: one code computes them once.
    const std::vector<NodePtr> trees = ParseAll(kGroups[std::size(kGroups) - 1].formulas);
    const FusedProgram fused(ctx, Roots(trees));
    const std::vector<TreeProgram> own = OwnPrograms(ctx, trees);
    int apart = 0;
    for (const TreeProgram& program : own) apart += program.Size();
    ASSERT_TRUE(fused.Fused());
    EXPECT_LT(fused.Size(), apart - 300);
    // A tree given twice is computed once: its code, its value kept, and the two outputs.
    const std::vector<TExprNode*> twice{trees[0].get(), trees[0].get()};
    EXPECT_LE(FusedProgram(ctx, twice).Size(), own[0].Size() + 4);
}

struct ExactRow {
    const char* name;
    std::vector<const char*> formulas;
    long double x, y;
    std::vector<long double> expected;  // NaN: undefined
};

TEST_F(FusedProgramTest, ValuesAndUndefinedTreesAtKnownPoints) {
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const ExactRow rows[] = {
        {"predator and prey", {"X-X*Y", "X*Y-Y"}, 2, 3, {-4, 3}},
        {"pendulum", {"Y", "-SIN(X)"}, 0.5L, -1.25L, {-1.25L, -std::sin(0.5L)}},
        {"one undefined of three", {"1/X", "X+Y", "LN(X)"}, -4, 1.5L, {-0.25L, -2.5L, nan}},
        {"a division by zero", {"X*Y", "Y/(X-2)"}, 2, 7, {14, nan}},
        {"a missing tree", {"X+Y", nullptr}, 1.5L, 2.25L, {3.75L, nan}},
    };
    for (const ExactRow& row : rows) {
        const std::vector<NodePtr> trees = ParseAll(row.formulas);
        const FusedProgram fused(ctx, Roots(trees));
        ctx.SetVar(slot::kX, row.x);
        ctx.SetVar(slot::kY, row.y);
        std::vector<long double> values(trees.size());
        const std::uint32_t defined = fused.Evaluate(values.data());
        for (std::size_t i = 0; i < trees.size(); ++i) {
            const bool expectDefined = !std::isnan(row.expected[i]);
            EXPECT_EQ((defined >> i & 1U) != 0, expectDefined) << row.name << " tree " << i;
            if (expectDefined) EXPECT_EQ(values[i], row.expected[i]) << row.name << " tree " << i;
        }
        EXPECT_EQ(defined == fused.AllDefined(), defined == (1U << trees.size()) - 1) << row.name;
    }
}

TEST_F(FusedProgramTest, TreesOneCodeCannotTakeRunTheirOwnPrograms) {
    // A vector node is evaluated through its tree, and complex mode runs each tree's program.
    auto vector = TExprNode::NewOp(op::kVector3);
    vector->child[0] = Parse("X+1");
    vector->child[1] = Parse("X*2");
    vector->child[2] = Parse("7");
    std::vector<NodePtr> trees = ParseAll({"X*Y"});
    trees.push_back(std::move(vector));
    const FusedProgram withVector(ctx, Roots(trees));
    EXPECT_FALSE(withVector.Fused());
    ctx.SetVar(slot::kX, 3);
    ctx.SetVar(slot::kY, 5);
    std::vector<long double> values(2);
    const std::uint32_t defined = withVector.Evaluate(values.data());
    EXPECT_EQ(values[0], 15);
    EXPECT_EQ(defined, withVector.AllDefined());
    const std::vector<TreeProgram> own = OwnPrograms(ctx, trees);
    ExpectSameAsOwnPrograms(ctx, withVector, own, "with a vector node");

    ctx.complexMode = true;
    const std::vector<NodePtr> complexTrees = ParseAll({"X*Y-1", "LN(X)"});
    const FusedProgram complex(ctx, Roots(complexTrees));
    EXPECT_FALSE(complex.Fused());
    ctx.SetVar(slot::kX, -2);
    EXPECT_EQ(complex.Evaluate(values.data()), 0b11U);  // ln of a negative number is complex
    EXPECT_EQ(values[0], -11);
    EXPECT_EQ(values[1], std::log(2.0L));
}

TEST_F(FusedProgramTest, AChangeOfModeAfterCompilingGivesTheNewModesValues) {
    const std::vector<NodePtr> trees = ParseAll({"X*Y+1", "SQRT(X)"});
    const FusedProgram fused(ctx, Roots(trees));
    ASSERT_TRUE(fused.Fused());
    ctx.SetVar(slot::kX, -4);
    ctx.SetVar(slot::kY, 0.5L);
    std::vector<long double> values(2);
    EXPECT_EQ(fused.Evaluate(values.data()), 0b01U);  // no real square root of -4
    EXPECT_EQ(values[0], -1);
    ctx.complexMode = true;
    EXPECT_EQ(fused.Evaluate(values.data()), 0b11U);  // 2i, whose real part is 0
    EXPECT_EQ(values[0], -1);
    EXPECT_EQ(values[1], 0);
}

}  // namespace
}  // namespace quorlin
