#pragma once
// A tree compiled into a flat program, for the loops that evaluate one tree many times:
// samplers, tracers, root finders, integrators.
//
// The program computes exactly what FormulaContext::Evaluate computes for the tree, bit for
// bit, defined where the tree is defined; only faster. In real mode it is an accumulator
// machine whose instructions read constants and variables in place, with constant subtrees
// folded when it is built, whole powers taken by the same multiplications as the tree walk,
// Horner chains and sums of powers each run as one instruction, each distinct subtree computed
// once a point (derivatives repeat their subtrees many times over; tree_program_sharing.h says
// which subtrees are equal), and no test for undefined values where a value that is not finite
// cannot turn finite again on its way to the root, except that a kept value found undefined there
// ends the run at once (the points of a view where a long derivative is undefined then cost a few
// instructions instead of all of them). In
// complex mode it is a stack machine (its top kept in registers) that follows the tree walk's
// complex rules, also computing each distinct subtree once (a kept value carries the failures
// its subtree counted, which count again wherever it is read). A tree with nodes that it does not
// translate (vector and curvature nodes, whose users read the components from the tree, and in
// complex mode the nodes that complex mode evaluates as real) is evaluated through the tree.
//
// A program never outlives the work it was made for. It is made from the tree as the work
// begins, by the loop that evaluates it (a sweep of a curve, a trajectory, a root search), and
// dies with that loop; it is not kept in examples, inventories or windows, so a tree that
// changes is compiled afresh by the next loop that evaluates it and no program runs for a tree
// other than the one it was made from. It reads the variable table of its context in place, so
// variables set on the context between evaluations are seen, as they are by the tree walk. It
// refers to the tree only to evaluate through it (when it does not translate it, or when the
// context's mode is no longer the one it was built for).
#include <cfloat>
#include <cmath>
#include <memory>

#include "formula/formula_context.h"

namespace quorlin {

namespace program_detail {
struct RealCode;
struct ComplexCode;
}  // namespace program_detail

class TreeProgram {
public:
    // Compiles the tree for the context's current mode. A null tree gives a program that is
    // never defined.
    TreeProgram(FormulaContext& context, TExprNode* tree);
    ~TreeProgram();
    TreeProgram(TreeProgram&&) noexcept;
    TreeProgram& operator=(TreeProgram&&) noexcept;
    TreeProgram(const TreeProgram&) = delete;
    TreeProgram& operator=(const TreeProgram&) = delete;

    // The value at the context's current variables, as Evaluate leaves it in the tree's root;
    // false where the tree is undefined (the out value is then unspecified). Evaluating changes
    // neither the program nor the variable table (bound nodes give their slots back).
    bool Evaluate(long double& re) const {
        if (real_ && !context_->complexMode) {
            re = RunReal(*real_);
            return std::fabs(re) <= LDBL_MAX;
        }
        const Outcome outcome = EvaluateOther();
        re = outcome.value.real();
        return outcome.defined;
    }
    bool Evaluate(Complex& value) const {
        if (complex_ && context_->complexMode) {
            bool defined = false;
            value = RunComplex(*complex_, defined);
            return defined;
        }
        return EvaluateComplexOther(value);
    }
    // The same with the variable slot set to (x, 0) first.
    bool EvalAt(int slotIndex, long double x, long double& re) const {
        context_->SetVar(slotIndex, x);
        return Evaluate(re);
    }

    FormulaContext& Context() const { return *context_; }
    // False when the program evaluates through the tree (for tests and benchmarks).
    bool Compiled() const;
    // Instructions of the program (0 when it evaluates through the tree).
    int Size() const;

private:
    static long double RunReal(program_detail::RealCode& code);
    static Complex RunComplex(program_detail::ComplexCode& code, bool& defined);
    bool EvaluateComplexOther(Complex& value) const;
    struct Outcome {
        Complex value;
        bool defined = false;
    };
    // Through the complex program or the tree (returned whole, so that the real fast path
    // keeps its value in a register).
    Outcome EvaluateOther() const;
    bool ThroughTree(Complex& value) const;

    FormulaContext* context_;
    TExprNode* tree_;
    bool complexMode_;
    std::unique_ptr<program_detail::RealCode> real_;
    std::unique_ptr<program_detail::ComplexCode> complex_;
};

}  // namespace quorlin
