// The translation of a tree into code for the real accumulator machine: constant subtrees
// folded, children read in place, and instructions merged into the fused forms the machine
// runs in one step.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "formula/name_table.h"
#include "formula/opcodes.h"
#include "formula/real_arithmetic.h"
#include "formula/tree_program_code.h"
#include "formula/tree_program_sharing.h"

namespace quorlin::program_detail {

namespace {

using arith::IsFiniteValue;
using arith::kUndefined;

// --- what a node is to the real tree walk, asked in the walk's order
// ----------------------------------------

enum class Kind {
    kConst,
    kBinary,  // + - * / ^
    kNegate,
    kSquare,
    kVariable,
    kBuiltin,
    kJoin,
    kBound,
    kFallback,
    kPeriodic,
    kVector,  // vector and curvature nodes: their users read the components from the tree
    kDerivState,
    kExtraReal,
    kSightLine,
    kRevolutionScale,
    kRevolutionFoot,
    kNothing,  // placeholders and unknown codes: undefined
};

// The built-in function of a node as the real tree walk finds it.
const BuiltinFunction* RealBuiltinOf(const TExprNode& n) {
    const BuiltinFunction* f = BuiltinsByCode()[static_cast<std::size_t>(n.op & 0xFF)];
    return f && n.op <= op::kLastBuiltin ? f : nullptr;
}

Kind KindOf(const TExprNode& n) {
    switch (n.op) {
        case op::kConst:
            return Kind::kConst;
        case op::kPlus:
        case op::kMinus:
        case op::kTimes:
        case op::kDivide:
        case op::kPower:
            return Kind::kBinary;
        case op::kNegate:
            return Kind::kNegate;
        case op::kSquare:
            return Kind::kSquare;
        default:
            break;
    }
    if (op::IsVariable(n.op)) return Kind::kVariable;
    if (RealBuiltinOf(n)) return Kind::kBuiltin;
    switch (n.op) {
        case op::kJoin:
            return Kind::kJoin;
        case op::kBound:
            return Kind::kBound;
        case op::kFallback:
            return Kind::kFallback;
        case op::kPeriodic:
            return Kind::kPeriodic;
        case op::kVector3:
        case op::kCurvature3:
            return Kind::kVector;
        case op::kDerivState:
            return Kind::kDerivState;
        default:
            break;
    }
    if (op::IsExtraReal(n.op)) return Kind::kExtraReal;
    if (op::IsSightLine(n.op)) return Kind::kSightLine;
    if (n.op == op::kRevolutionScale) return Kind::kRevolutionScale;
    if (n.op >= op::kRevolutionFirst && n.op < op::kRevolutionScale) return Kind::kRevolutionFoot;
    return Kind::kNothing;
}

// The real part of a variable slot, read and written in place.
long double* RealPart(Complex& z) {
    return &reinterpret_cast<long double(&)[2]>(z)[0];
}

bool IsBinaryAccOp(R op) {
    return op == R::kAdd || op == R::kSub || op == R::kMul || op == R::kDiv || op == R::kPow;
}

R TwoOperandForm(R op) {
    switch (op) {
        case R::kAdd:
            return R::kAdd2;
        case R::kSub:
            return R::kSub2;
        case R::kMul:
            return R::kMul2;
        case R::kDiv:
            return R::kDiv2;
        default:
            return R::kPow2;
    }
}

// Where an instruction reads a child in place: a variable slot, an extra slot, or a constant
// (a constant leaf, or a constant subtree folded into one).
struct Place {
    const long double* at = nullptr;
    bool constant = false;
    long double value = 0;  // of a constant

    explicit operator bool() const { return at != nullptr; }
};

class RealCompiler {
public:
    // For the trees that the code will compute, numbered together.
    RealCompiler(FormulaContext& context, RealCode& code, std::span<const TExprNode* const> trees)
        : ctx_(context), c_(code), numbers_(trees), constant_(numbers_.Count(), kNotAsked) {}

    // False when the tree has nodes that only the tree walk evaluates.
    bool Compile(const TExprNode* tree) {
        stopsWhenUndefined_ = true;
        ToAcc(tree);
        c_.constantRoot = tree && tree->op == op::kConst;
        c_.rootIm = tree ? tree->im : 0;
        return !refused_;
    }
    // Each tree's value stored in its output, one tree after the other: a subtree computed for
    // one tree is read in place by the trees after it, since the code of every tree runs to
    // its end at each point.
    bool CompileOutputs(std::span<const TExprNode* const> trees) {
        std::int32_t output = 0;
        for (const TExprNode* tree : trees) {
            ToAcc(tree);
            Emit({.op = R::kOutput, .n = output++});
            Label();  // the next tree's code merges nothing with this one's
        }
        return !refused_;
    }

private:
    // --- emission ---------------------------------------------------------------------------
    // Appends an instruction, or merges it into the last one where they make one instruction
    // with the same operations. Returns the index of the instruction it ended in.
    int Emit(const RealInstr& in) {
        if (Fuse(in)) return Last();
        c_.code.push_back(in);
        return Last();
    }
    int Last() const { return static_cast<int>(c_.code.size()) - 1; }
    // The position of the next instruction as a jump target: nothing merges across it.
    int Label() {
        label_ = c_.code.size();
        return static_cast<int>(label_);
    }
    bool Fuse(const RealInstr& in);
    std::optional<SumTerm> TermFrom(std::size_t at) const;
    SumTerm Normalized(SumTerm t);
    bool IsPooled(const long double* p) const {
        return std::any_of(c_.pool.begin(), c_.pool.end(),
                           [p](const long double& c) { return &c == p; });
    }
    bool FuseSumTerm(const RealInstr& in);
    void AddHornerStep(const long double* x, const long double* term);

    // --- translation ------------------------------------------------------------------------
    Place Constant(long double v) {
        c_.pool.push_back(v);
        return {&c_.pool.back(), true, v};
    }
    Place Undefined() { return Constant(kUndefined); }
    Place VariablePlace(int slotIndex) {
        return {RealPart(ctx_.vars.value[static_cast<std::size_t>(slotIndex)])};
    }
    long double* SlotParts(int slotIndex) {
        return RealPart(ctx_.vars.value[static_cast<std::size_t>(slotIndex)]);
    }
    bool IsConstant(const TExprNode* n) const;
    bool IsConstantNode(const TExprNode& n) const;
    Place PlaceOf(const TExprNode* n);
    Place Fold(const TExprNode& n);
    void ToAcc(const TExprNode* n) {
        if (const Place p = PlaceOf(n)) {
            Emit({.op = R::kLoad, .a = p.at});
            return;
        }
        CodeFor(*n);
        KeepShared(*n);
    }

    // --- subtrees that occur more than once ---------------------------------------------------
    // The value of such a subtree is kept where it is first computed and read in place after
    // that, as long as the code that computed it has surely run (tree_program_sharing.h).
    using Branch = KeptValues<const long double*>::Branch;
    bool Repeated(const TExprNode& n) const { return numbers_.Occurrences(numbers_.Of(&n)) > 1; }
    bool ReadAgain(const TExprNode& n) const { return numbers_.Uses(numbers_.Of(&n)) > 1; }
    void KeepShared(const TExprNode& n);
    Place SharedPlace(const TExprNode& n) const;
    Place Folded(const TExprNode& n);
    void CodeFor(const TExprNode& n);
    // acc = l op r, for the arithmetic operators, or a two-argument function of l and r.
    void Binary(int opCode, RealEvaluator fn, const TExprNode* l, const TExprNode* r);
    void Operate(int opCode, RealEvaluator fn, const Place& right);
    void OperateReversed(int opCode, RealEvaluator fn, const Place& left);
    void Join(const TExprNode& n);
    void Bound(const TExprNode& n);
    void Fallback(const TExprNode& n);
    void Periodic(const TExprNode& n);

    // Where the run may end at an undefined kept value: in the code of one tree (the code of
    // several runs every tree to its output), where an undefined value leaves every node above
    // it undefined up to the root (arithmetic keeps a value that is not finite so, and the
    // built-ins, divisors and JOIN boundaries turn it undefined), so not in the first value of a
    // fallback, nor in the body of a bound or periodic node (which must give its slot back).
    class Lenient {
    public:
        explicit Lenient(RealCompiler& compiler) : compiler_(compiler) { ++compiler.lenient_; }
        ~Lenient() { --compiler_.lenient_; }
        Lenient(const Lenient&) = delete;
        Lenient& operator=(const Lenient&) = delete;

    private:
        RealCompiler& compiler_;
    };
    bool UndefinedIsFinal() const { return stopsWhenUndefined_ && lenient_ == 0; }

    static constexpr signed char kNotAsked = -1;

    FormulaContext& ctx_;
    RealCode& c_;
    std::size_t label_ = 0;
    bool refused_ = false;
    bool folding_ = false;  // code that runs once here and is taken back keeps nothing
    bool stopsWhenUndefined_ = false;
    int lenient_ = 0;
    const ValueNumbers numbers_;
    mutable std::vector<signed char> constant_;  // IsConstant by number, once asked
    KeptValues<const long double*> kept_;
    std::unordered_map<int, Place> folded_;  // constants of repeated subtrees by number
};

// Every subtree read again is kept, even one computed by a single product of places: a kept
// value is a place, which its parents read in place instead of storing a temporary around it.
void RealCompiler::KeepShared(const TExprNode& n) {
    if (folding_ || !ReadAgain(n)) return;
    c_.shared.push_back(0);
    long double* at = &c_.shared.back();
    Emit({.op = UndefinedIsFinal() ? R::kKeep : R::kStore, .t = at});
    kept_.Keep(numbers_.Of(&n), at);
}

Place RealCompiler::SharedPlace(const TExprNode& n) const {
    const long double* const* at = kept_.Find(numbers_.Of(&n));
    return at ? Place{*at} : Place{};
}

// A constant subtree is folded once, however often it occurs.
Place RealCompiler::Folded(const TExprNode& n) {
    if (!Repeated(n)) return Fold(n);
    const int number = numbers_.Of(&n);
    if (const auto found = folded_.find(number); found != folded_.end()) return found->second;
    const Place place = Fold(n);
    folded_.emplace(number, place);
    return place;
}

bool RealCompiler::Fuse(const RealInstr& in) {
    if (c_.code.empty() || label_ == c_.code.size()) return false;
    if ((in.op == R::kAdd || in.op == R::kRSub) && FuseSumTerm(in)) return true;
    RealInstr& last = c_.code.back();
    // A place added to or taken from a sum: one more term.
    if ((in.op == R::kAdd || in.op == R::kSub) && last.op == R::kSum && last.m < kMostSumTerms &&
        last.n + last.m == static_cast<int>(c_.sumTerms.size())) {
        c_.sumTerms.push_back(Normalized(
            {.combine = in.op == R::kAdd ? SumTerm::Combine::kAdd : SumTerm::Combine::kSub,
             .x = in.a}));
        ++last.m;
        return true;
    }
    if (last.op == R::kLoad) {
        if (IsBinaryAccOp(in.op)) {
            last = {.op = TwoOperandForm(in.op), .a = last.a, .b = in.a};
            return true;
        }
        switch (in.op) {
            case R::kSquare:
                last.op = R::kSquareOf;
                return true;
            case R::kCube:
                last.op = R::kCubeOf;
                return true;
            case R::kPowInt:
                last.op = R::kPowIntOf;
                last.n = in.n;
                return true;
            case R::kCall1:
                last = {.op = R::kCall1Of, .a = last.a, .fn = in.fn};
                return true;
            default:
                return false;
        }
    }
    // Horner steps: acc * x + term.
    if (in.op != R::kAdd) return false;
    if (last.op == R::kMul) {
        const long double* x = last.a;
        c_.code.pop_back();
        AddHornerStep(x, in.a);
        return true;
    }
    if (last.op == R::kMul2) {  // *a * *b + term: a Horner chain from *a
        last = {.op = R::kHorner,
                .n = static_cast<std::int32_t>(c_.terms.size()),
                .m = 1,
                .a = last.b,
                .b = last.a};
        c_.terms.push_back(in.a);
        return true;
    }
    return false;
}

// The term that the instructions from `at` to the end compute without reading acc: one setter,
// times a place when a Mul follows it. Nothing when they are not such a term or a jump lands
// among them.
std::optional<SumTerm> RealCompiler::TermFrom(std::size_t at) const {
    const std::size_t end = c_.code.size();
    if (at >= end || label_ > at || end - at > 2) return std::nullopt;
    const RealInstr& s = c_.code[at];
    SumTerm t{.setter = s.op, .power = s.n, .x = s.a};
    switch (s.op) {
        case R::kLoad:
        case R::kSquareOf:
        case R::kCubeOf:
        case R::kPowIntOf:
            break;
        case R::kMul2:
            t.b = s.b;
            break;
        default:
            return std::nullopt;
    }
    if (end - at == 1) return t;
    const RealInstr& factor = c_.code[at + 1];
    if (factor.op != R::kMul || s.op == R::kMul2) return std::nullopt;
    t.coef = factor.a;
    return t;
}

// Every term gets a coefficient (1 where it has none: v 1 is v exactly), and a term taken away
// with a constant coefficient c is added with -c instead (a - v c is a + v (-c) exactly), so
// that the sum runs with few branches.
SumTerm RealCompiler::Normalized(SumTerm t) {
    if (t.combine == SumTerm::Combine::kSub && (!t.coef || IsPooled(t.coef))) {
        t.coef = Constant(t.coef ? -*t.coef : -1.0L).at;
        t.combine = SumTerm::Combine::kAdd;
    }
    if (!t.coef) t.coef = Constant(1).at;
    return t;
}

// L + R or L - R as acc = t op acc, where t was stored before R was computed: when R is a term
// (and L, where it is one too), the sum runs as terms, without the temporary.
bool RealCompiler::FuseSumTerm(const RealInstr& in) {
    // The store of t comes before R's one or two instructions.
    const std::size_t end = c_.code.size();
    std::size_t store = end;
    for (const std::size_t back : {2, 3})
        if (end >= back && c_.code[end - back].op == R::kStore && c_.code[end - back].t == in.a)
            store = end - back;
    if (store == end || label_ > store) return false;
    std::optional<SumTerm> right = TermFrom(store + 1);
    if (!right) return false;
    right->combine = in.op == R::kAdd ? SumTerm::Combine::kAdd : SumTerm::Combine::kSub;
    *right = Normalized(*right);
    c_.code.resize(store);
    // L: a sum to go on with, a term to begin one, or any value in acc.
    if (!c_.code.empty() && label_ < c_.code.size()) {
        RealInstr& last = c_.code.back();
        if (last.op == R::kSum && last.m < kMostSumTerms &&
            last.n + last.m == static_cast<int>(c_.sumTerms.size())) {
            c_.sumTerms.push_back(*right);
            ++last.m;
            return true;
        }
        for (std::size_t from : {c_.code.size() - 1, c_.code.size() - 2}) {
            if (from >= c_.code.size()) continue;
            std::optional<SumTerm> left = TermFrom(from);
            if (!left) continue;
            left->combine = SumTerm::Combine::kSet;
            *left = Normalized(*left);
            c_.code.resize(from);
            c_.code.push_back(
                {.op = R::kSum, .n = static_cast<std::int32_t>(c_.sumTerms.size()), .m = 2});
            c_.sumTerms.push_back(*left);
            c_.sumTerms.push_back(*right);
            return true;
        }
    }
    c_.code.push_back({.op = R::kSum, .n = static_cast<std::int32_t>(c_.sumTerms.size()), .m = 1});
    c_.sumTerms.push_back(*right);
    return true;
}

// Appends acc * x + term after the Mul that was just taken off: to the Horner chain before it
// when that chain multiplies by the same x, else as a new chain.
void RealCompiler::AddHornerStep(const long double* x, const long double* term) {
    if (!c_.code.empty() && label_ <= c_.code.size() - 1 && c_.code.back().op == R::kHorner &&
        c_.code.back().a == x &&
        c_.code.back().n + c_.code.back().m == static_cast<int>(c_.terms.size())) {
        ++c_.code.back().m;
    } else {
        c_.code.push_back(
            {.op = R::kHorner, .n = static_cast<std::int32_t>(c_.terms.size()), .m = 1, .a = x});
    }
    c_.terms.push_back(term);
}

bool RealCompiler::IsConstant(const TExprNode* n) const {
    if (!n) return true;  // undefined
    signed char& known = constant_[static_cast<std::size_t>(numbers_.Of(n))];
    if (known == kNotAsked) known = IsConstantNode(*n);
    return known != 0;
}

bool RealCompiler::IsConstantNode(const TExprNode& node) const {
    const TExprNode* n = &node;
    switch (KindOf(*n)) {
        case Kind::kConst:
        case Kind::kNothing:
        case Kind::kRevolutionScale:
            return true;
        case Kind::kBinary:
            return IsConstant(n->child[0].get()) && IsConstant(n->child[1].get());
        case Kind::kNegate:
        case Kind::kSquare:
            return IsConstant(n->child[1].get());
        case Kind::kBuiltin: {
            const int args = RealBuiltinOf(*n)->argCount;
            return (args < 2 || IsConstant(n->child[0].get())) &&
                   (args < 1 || IsConstant(n->child[1].get()));
        }
        case Kind::kDerivState:
            return n->aux < 0 || n->aux >= static_cast<int>(ctx_.derivState.size());
        default:
            return false;
    }
}

Place RealCompiler::PlaceOf(const TExprNode* n) {
    if (!n) return Undefined();
    switch (KindOf(*n)) {
        case Kind::kConst:
            return Constant(n->re);
        case Kind::kVariable:
            return VariablePlace(op::VariableSlot(n->op));
        case Kind::kExtraReal:
            return {&ctx_.extraReal[static_cast<std::size_t>(n->op)]};
        case Kind::kSightLine:
            return VariablePlace(op::SightLineSlot(n->op));
        case Kind::kDerivState:
            if (n->aux < 0 || n->aux >= static_cast<int>(ctx_.derivState.size()))
                return Undefined();
            return {&ctx_.derivState[static_cast<std::size_t>(n->aux)]};
        case Kind::kRevolutionScale:
            return Constant(1);
        case Kind::kRevolutionFoot:
            return VariablePlace(op::VariableSlot(op::kVarT));
        case Kind::kNothing:
            return Undefined();
        default:
            return IsConstant(n) ? Folded(*n) : SharedPlace(*n);
    }
}

// A constant subtree becomes the constant it evaluates to: its code is run once here, by the
// same instructions that would run it every time, and taken back.
Place RealCompiler::Fold(const TExprNode& n) {
    const std::size_t start = c_.code.size();
    const std::size_t terms = c_.terms.size();
    const std::size_t sumTerms = c_.sumTerms.size();
    const std::size_t label = label_;
    const bool folding = folding_;
    label_ = start;
    folding_ = true;
    CodeFor(n);
    folding_ = folding;
    const long double value = c_.Run(start, c_.code.size());
    c_.code.resize(start);
    c_.terms.resize(terms);
    c_.sumTerms.resize(sumTerms);
    label_ = label;
    return Constant(value);
}

void RealCompiler::CodeFor(const TExprNode& n) {
    const TExprNode* c0 = n.child[0].get();
    const TExprNode* c1 = n.child[1].get();
    switch (KindOf(n)) {
        case Kind::kBinary:
            Binary(n.op, nullptr, c0, c1);
            return;
        case Kind::kNegate:
            ToAcc(c1);
            Emit({.op = R::kNeg});
            return;
        case Kind::kSquare:
            ToAcc(c1);
            Emit({.op = R::kSquare});
            return;
        case Kind::kBuiltin: {
            const BuiltinFunction& f = *RealBuiltinOf(n);
            if (f.argCount == 2) {
                Binary(0, f.real, c0, c1);
                return;
            }
            if (f.argCount == 1)
                ToAcc(c1);
            else
                Emit({.op = R::kLoad, .a = Constant(0).at});
            Emit({.op = R::kCall1, .fn = f.real});
            return;
        }
        case Kind::kJoin:
            Join(n);
            return;
        case Kind::kBound:
            Bound(n);
            return;
        case Kind::kFallback:
            Fallback(n);
            return;
        case Kind::kPeriodic:
            Periodic(n);
            return;
        default:  // vector and curvature nodes
            refused_ = true;
            Emit({.op = R::kLoad, .a = Undefined().at});
            return;
    }
}

void RealCompiler::Binary(int opCode, RealEvaluator fn, const TExprNode* l, const TExprNode* r) {
    if (const Place right = PlaceOf(r)) {
        ToAcc(l);
        Operate(opCode, fn, right);
    } else if (const Place left = PlaceOf(l)) {
        ToAcc(r);
        OperateReversed(opCode, fn, left);
    } else {
        ToAcc(l);
        const int t = c_.temps.Push();
        Emit({.op = R::kStore, .t = c_.temps.At(t)});
        ToAcc(r);
        OperateReversed(opCode, fn, {c_.temps.At(t)});
        c_.temps.Pop();
    }
}

// acc = acc op right.
void RealCompiler::Operate(int opCode, RealEvaluator fn, const Place& right) {
    const long double* p = right.at;
    switch (opCode) {
        case op::kPlus:
            Emit({.op = R::kAdd, .a = p});
            return;
        case op::kMinus:
            // a - c is a + (-c) exactly, which lets a Horner chain take it.
            if (right.constant)
                Emit({.op = R::kAdd, .a = Constant(-right.value).at});
            else
                Emit({.op = R::kSub, .a = p});
            return;
        case op::kTimes:
            Emit({.op = R::kMul, .a = p});
            return;
        case op::kDivide:
            Emit({.op = R::kDiv, .a = p});
            return;
        case op::kPower: {
            // The tree walk's own fast paths for these exponents, as instructions.
            const long double b = right.value;
            if (!right.constant)
                Emit({.op = R::kPow, .a = p});
            else if (b == 2)
                Emit({.op = R::kSquare});
            else if (b == 3)
                Emit({.op = R::kCube});
            else if (b >= -arith::kLargestSquaringExponent &&
                     b <= arith::kLargestSquaringExponent && b == static_cast<int>(b))
                Emit({.op = R::kPowInt, .n = static_cast<std::int32_t>(b)});
            else
                Emit({.op = R::kPow, .a = p});
            return;
        }
        default:
            Emit({.op = R::kCall2, .a = p, .fn = fn});
            return;
    }
}

// acc = left op acc.
void RealCompiler::OperateReversed(int opCode, RealEvaluator fn, const Place& left) {
    const long double* p = left.at;
    switch (opCode) {
        case op::kPlus:
            Emit({.op = R::kAdd, .a = p});
            return;
        case op::kMinus:
            Emit({.op = R::kRSub, .a = p});
            return;
        case op::kTimes:
            Emit({.op = R::kMul, .a = p});
            return;
        case op::kDivide:
            Emit({.op = R::kRDiv, .a = p});
            return;
        case op::kPower:
            Emit({.op = R::kRPow, .a = p});
            return;
        default:
            Emit({.op = R::kCall2R, .a = p, .fn = fn});
            return;
    }
}

void RealCompiler::Join(const TExprNode& n) {
    if (!op::IsVariable(n.aux)) {
        Emit({.op = R::kLoad, .a = Undefined().at});
        return;
    }
    ToAcc(n.child[1].get());
    const int test = Emit({.op = R::kJoin, .a = VariablePlace(op::VariableSlot(n.aux)).at});
    {
        const Branch left(kept_);
        ToAcc(n.child[0].get());
    }
    const int jump = Emit({.op = R::kJump});
    c_.code[static_cast<std::size_t>(test)].n = Label();
    {
        const Branch right(kept_);
        ToAcc(n.child[2].get());
    }
    c_.code[static_cast<std::size_t>(test)].m = c_.code[static_cast<std::size_t>(jump)].n = Label();
}

void RealCompiler::Bound(const TExprNode& n) {
    const int slotIndex = op::BoundSlot(n.aux);
    if (slotIndex >= slot::kCount) {
        Emit({.op = R::kLoad, .a = Undefined().at});
        return;
    }
    ToAcc(n.child[0].get());
    const int kept = c_.saves.Push();
    long double* saved = c_.saves.At(kept)->data();
    const int enter = Emit({.op = R::kBoundEnter, .t = SlotParts(slotIndex), .saved = saved});
    const Branch defined(kept_);  // the body and the factor run only at a defined point
    {
        const Lenient body(*this);
        ToAcc(n.child[1].get());
    }
    Emit({.op = R::kBoundLeave, .t = SlotParts(slotIndex), .saved = saved});
    c_.saves.Pop();
    if (const TExprNode* factor = n.child[2].get()) {
        if (const Place p = PlaceOf(factor)) {
            Emit({.op = R::kMul, .a = p.at});
        } else {
            const int t = c_.temps.Push();
            Emit({.op = R::kStore, .t = c_.temps.At(t)});
            ToAcc(factor);
            Emit({.op = R::kMul, .a = c_.temps.At(t)});
            c_.temps.Pop();
        }
    }
    c_.code[static_cast<std::size_t>(enter)].m = Label();
}

void RealCompiler::Fallback(const TExprNode& n) {
    {
        const Lenient first(*this);
        ToAcc(n.child[0].get());
    }
    const int test = Emit({.op = R::kJumpIfFinite});
    const Branch undefined(kept_);
    ToAcc(n.child[1].get());
    c_.code[static_cast<std::size_t>(test)].n = Label();
}

void RealCompiler::Periodic(const TExprNode& n) {
    ToAcc(n.child[0].get());
    const int low = c_.temps.Push();
    Emit({.op = R::kStore, .t = c_.temps.At(low)});
    ToAcc(n.child[2].get());
    const int kept = c_.saves.Push();
    long double* saved = c_.saves.At(kept)->data();
    long double* x = SlotParts(op::VariableSlot(op::kVarX));
    const int enter =
        Emit({.op = R::kPeriodicEnter, .a = c_.temps.At(low), .t = x, .saved = saved});
    const Branch defined(kept_);
    {
        const Lenient body(*this);
        ToAcc(n.child[1].get());
    }
    Emit({.op = R::kPeriodicLeave, .t = x, .saved = saved});
    c_.saves.Pop();
    c_.temps.Pop();
    c_.code[static_cast<std::size_t>(enter)].m = Label();
}

}  // namespace

bool CompileReal(FormulaContext& context, const TExprNode* tree, RealCode& code) {
    return RealCompiler(context, code, std::span(&tree, 1)).Compile(tree);
}

bool CompileRealOutputs(FormulaContext& context, std::span<const TExprNode* const> trees,
                        RealCode& code) {
    return RealCompiler(context, code, trees).CompileOutputs(trees);
}

}  // namespace quorlin::program_detail
