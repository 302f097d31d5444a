#pragma once
// Random trees and points for the tests that hold compiled programs to the tree walk: trees over
// every kind of node the evaluator knows (with subtrees that come again when asked), values of
// the variables that take every path (undefined ones included), and bit-for-bit comparison.
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "formula/formula_context.h"
#include "formula/name_table.h"

namespace quorlin::testing_support {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

inline bool SameBits(long double a, long double b) {
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

inline long double PointValue(std::mt19937& random) {
    static constexpr long double kSpecial[] = {0,       -0.0L,  1,       -1,   0.5L,  2,    -3.7L,
                                               1e-300L, 1e300L, 1e4000L, kInf, -kInf, kNaN, 3};
    std::uniform_int_distribution<int> pick(0, 2 * static_cast<int>(std::size(kSpecial)));
    const int k = pick(random);
    if (k < static_cast<int>(std::size(kSpecial))) return kSpecial[k];
    return std::uniform_real_distribution<long double>(-5, 5)(random);
}

// Puts random values into every slot a tree may read.
inline void RandomVariables(FormulaContext& ctx, std::mt19937& random, bool complex) {
    for (int i = 0; i < slot::kCount; ++i)
        ctx.SetVar(i, Complex(PointValue(random), complex ? PointValue(random) : 0.0L));
    for (auto& v : ctx.extraReal) v = PointValue(random);
    for (auto& v : ctx.derivState) v = PointValue(random);
}

}  // namespace quorlin::testing_support
