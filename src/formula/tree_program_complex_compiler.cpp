// The translation of a tree into code for the complex stack machine: constant subtrees that are
// defined folded into their values, each distinct subtree computed once, everything else in the
// tree walk's order.
#include <algorithm>
#include <cstddef>

#include "formula/complex_math.h"
#include "formula/name_table.h"
#include "formula/opcodes.h"
#include "formula/tree_program_code.h"
#include "formula/tree_program_sharing.h"

namespace quorlin::program_detail {

namespace {

class ComplexCompiler {
public:
    ComplexCompiler(FormulaContext& context, ComplexCode& code, const TExprNode* tree)
        : ctx_(context), c_(code), numbers_(tree) {}

    // False when the tree has nodes that complex mode evaluates as real.
    bool Compile(const TExprNode* tree) {
        Child(tree);
        Emit({.op = C::kEnd});
        c_.stack.resize(static_cast<std::size_t>(highest_) + 1);
        return !refused_;
    }

private:
    int Emit(const ComplexInstr& in) {
        c_.code.push_back(in);
        return static_cast<int>(c_.code.size()) - 1;
    }
    int Here() const { return static_cast<int>(c_.code.size()); }
    // The stack grows by one value or shrinks by `count`.
    void Pushed() { highest_ = std::max(highest_, ++depth_); }
    void Popped(int count = 1) { depth_ -= count; }
    void Fail() {
        Emit({.op = C::kFail, .below = depth_ > 0});
        Pushed();
    }
    void Push(const Complex& v) {
        c_.pool.push_back(v);
        Emit({.op = C::kPush, .below = depth_ > 0, .a = &c_.pool.back()});
        Pushed();
    }
    Complex* Slot(int slotIndex) { return &ctx_.vars.value[static_cast<std::size_t>(slotIndex)]; }

    static const BuiltinFunction* BuiltinOf(const TExprNode& n) { return FindBuiltin(n.op); }
    bool IsConstant(const TExprNode* n) const;
    // Pushes the value of a child (a missing child fails).
    void Child(const TExprNode* n);
    void CodeFor(const TExprNode& n);
    void Fold(const TExprNode& n);
    void Join(const TExprNode& n);
    void Bound(const TExprNode& n);
    void Fallback(const TExprNode& n);

    // --- subtrees that occur more than once ----------------------------------------------------
    // The value of such a subtree is kept where it is first computed, with the failures its
    // computation counted (a fallback inside it forgets its own), and pushed again from there
    // with those failures while the code that computed it has surely run
    // (tree_program_sharing.h). Leaves are pushed as they are.
    struct Kept {
        const Complex* value;
        int* failures;
    };
    using Branch = KeptValues<Kept>::Branch;
    bool Shareable(const TExprNode& n) const {
        const bool leaf = std::none_of(n.child.begin(), n.child.end(),
                                       [](const NodePtr& c) { return c != nullptr; });
        return !folding_ && !leaf && numbers_.Occurrences(numbers_.Of(&n)) > 1;
    }
    // The code of a repeated subtree between a mark and the keeping of its value.
    void CodeKeptFor(const TExprNode& n);

    FormulaContext& ctx_;
    ComplexCode& c_;
    int depth_ = 0;
    int highest_ = 1;
    bool refused_ = false;
    bool folding_ = false;  // code that runs once here and is taken back keeps nothing
    const ValueNumbers numbers_;
    KeptValues<Kept> kept_;
};

void ComplexCompiler::CodeKeptFor(const TExprNode& n) {
    c_.shared.emplace_back();
    c_.sharedFailures.push_back(0);
    Complex* value = &c_.shared.back();
    int* failures = &c_.sharedFailures.back();
    Emit({.op = C::kMark, .mark = failures});
    CodeFor(n);
    Emit({.op = C::kKeep, .slot = value, .mark = failures});
    kept_.Keep(numbers_.Of(&n), {value, failures});
}

bool ComplexCompiler::IsConstant(const TExprNode* n) const {
    if (!n) return false;
    switch (n->op) {
        case op::kConst:
            return true;
        case op::kPlus:
        case op::kMinus:
        case op::kTimes:
        case op::kDivide:
        case op::kPower:
            return IsConstant(n->child[0].get()) && IsConstant(n->child[1].get());
        case op::kNegate:
        case op::kSquare:
            return IsConstant(n->child[1].get());
        default:
            break;
    }
    if (op::IsVariable(n->op)) return false;
    const BuiltinFunction* f = BuiltinOf(*n);
    return f && (f->argCount < 2 || IsConstant(n->child[0].get())) &&
           (f->argCount < 1 || IsConstant(n->child[1].get()));
}

void ComplexCompiler::Child(const TExprNode* n) {
    if (!n) {
        Fail();
    } else if (n->op != op::kConst && IsConstant(n)) {
        Fold(*n);
    } else if (!Shareable(*n)) {
        CodeFor(*n);
    } else if (const Kept* k = kept_.Find(numbers_.Of(n))) {
        Emit({.op = C::kPushKept, .below = depth_ > 0, .a = k->value, .mark = k->failures});
        Pushed();
    } else {
        CodeKeptFor(*n);
    }
}

// A constant subtree that is defined becomes its value, computed once here by its own code.
void ComplexCompiler::Fold(const TExprNode& n) {
    const std::size_t start = c_.code.size();
    const bool folding = folding_;
    folding_ = true;
    CodeFor(n);
    folding_ = folding;
    Emit({.op = C::kEnd});
    c_.stack.resize(static_cast<std::size_t>(highest_) + 1);
    bool defined = false;
    const Complex value = c_.Run(start, defined);
    c_.code.pop_back();
    if (!defined) return;  // its code stays, to fail where the tree walk fails
    c_.code.resize(start);
    Popped();
    Push(value);
}

void ComplexCompiler::CodeFor(const TExprNode& n) {
    const TExprNode* c0 = n.child[0].get();
    const TExprNode* c1 = n.child[1].get();
    const auto binary = [&](C code) {
        Child(c0);
        Child(c1);
        Emit({.op = code});
        Popped();
    };
    switch (n.op) {
        case op::kConst:
            Push({n.re, n.im});
            return;
        case op::kPlus:
            return binary(C::kAdd);
        case op::kMinus:
            return binary(C::kSub);
        case op::kTimes:
            return binary(C::kMul);
        case op::kDivide:
            return binary(C::kDiv);
        case op::kPower:
            Child(c0);
            Child(c1);
            if (const ComplexInstr& last = c_.code.back();
                last.op == C::kPush && IsExactExponent(*last.a)) {
                const auto n = static_cast<std::int32_t>(last.a->real());
                c_.code.pop_back();
                Popped();
                Emit({.op = C::kPowWhole, .n = n});
            } else {
                Emit({.op = C::kPow});
                Popped();
            }
            return;
        case op::kNegate:
            Child(c1);
            Emit({.op = C::kNeg});
            return;
        case op::kSquare:
            Child(c1);
            Emit({.op = C::kSquare});
            return;
        default:
            break;
    }
    if (op::IsVariable(n.op)) {
        Emit({.op = C::kPushVar, .below = depth_ > 0, .slot = Slot(op::VariableSlot(n.op))});
        Pushed();
        return;
    }
    if (const BuiltinFunction* f = BuiltinOf(n)) {
        if (f->argCount == 2) Child(c0);
        if (f->argCount >= 1) Child(c1);
        Emit({.op = C::kCall, .below = depth_ > 0, .n = f->argCount, .fn = f->complex});
        if (f->argCount == 0) Pushed();
        if (f->argCount == 2) Popped();
        return;
    }
    switch (n.op) {
        case op::kJoin:
            return Join(n);
        case op::kBound:
            return Bound(n);
        case op::kFallback:
            return Fallback(n);
        default:
            // Nodes that complex mode evaluates as real: the tree walk does them.
            refused_ = true;
            Fail();
            return;
    }
}

void ComplexCompiler::Join(const TExprNode& n) {
    const TExprNode* c0 = n.child[0].get();
    const TExprNode* c1 = n.child[1].get();
    const TExprNode* c2 = n.child[2].get();
    if (!c0 || !c1 || !c2 || !op::IsVariable(n.aux)) return Fail();
    Child(c1);
    const int test =
        Emit({.op = C::kJoin, .below = depth_ > 1, .slot = Slot(op::VariableSlot(n.aux))});
    Popped();
    {
        const Branch left(kept_);
        Child(c0);
    }
    const int jump = Emit({.op = C::kJump});
    Popped();
    c_.code[static_cast<std::size_t>(test)].n = Here();
    {
        const Branch right(kept_);
        Child(c2);
    }
    c_.code[static_cast<std::size_t>(jump)].n = Here();
    Emit({.op = C::kNorm});
}

void ComplexCompiler::Bound(const TExprNode& n) {
    const TExprNode* c0 = n.child[0].get();
    const TExprNode* c1 = n.child[1].get();
    const TExprNode* c2 = n.child[2].get();
    const int slotIndex = op::BoundSlot(n.aux);
    if (!c0 || !c1 || slotIndex >= slot::kCount) return Fail();
    Child(c0);
    const int kept = c_.saves.Push();
    Emit({.op = C::kBoundEnter,
          .below = depth_ > 1,
          .slot = Slot(slotIndex),
          .saved = c_.saves.At(kept)});
    Popped();
    Child(c1);
    Emit({.op = C::kBoundLeave, .slot = Slot(slotIndex), .saved = c_.saves.At(kept)});
    c_.saves.Pop();
    if (c2)
        Child(c2);
    else
        Push(Complex(1));
    Emit({.op = C::kMul});
    Popped();
}

void ComplexCompiler::Fallback(const TExprNode& n) {
    const int kept = c_.marks.Push();
    int* mark = c_.marks.At(kept);
    Emit({.op = C::kMark, .mark = mark});
    Child(n.child[0].get());
    const int test = Emit({.op = C::kFallbackTest, .below = depth_ > 1, .mark = mark});
    Popped();
    {
        const Branch undefined(kept_);
        Child(n.child[1].get());
    }
    c_.code[static_cast<std::size_t>(test)].m = Here();
    Emit({.op = C::kStore});
    c_.marks.Pop();
}

}  // namespace

bool CompileComplex(FormulaContext& context, const TExprNode* tree, ComplexCode& code) {
    return ComplexCompiler(context, code, tree).Compile(tree);
}

}  // namespace quorlin::program_detail
