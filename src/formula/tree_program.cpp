#include "formula/tree_program.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "formula/complex_math.h"
#include "formula/name_table.h"
#include "formula/opcodes.h"
#include "formula/real_arithmetic.h"

namespace quorlin {

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

// A stack of scratch places whose addresses never move.
template <typename T>
class ScratchStack {
public:
    int Push() {
        if (depth_ == static_cast<int>(places_.size())) places_.emplace_back();
        return depth_++;
    }
    void Pop() { --depth_; }
    T* At(int index) { return &places_[static_cast<std::size_t>(index)]; }

private:
    std::deque<T> places_;
    int depth_ = 0;
};

}  // namespace

// --- real mode: an accumulator machine --------------------------------------------------------

namespace {

enum class R : std::uint8_t {
    kLoad,   // acc = *a
    kStore,  // *t = acc
    // acc = acc op *a
    kAdd,
    kSub,
    kMul,
    kDiv,
    kPow,
    // acc = *a op acc
    kRSub,
    kRDiv,
    kRPow,
    // acc = *a op *b
    kAdd2,
    kSub2,
    kMul2,
    kDiv2,
    kPow2,
    kNeg,
    kSquare,
    kCube,
    kPowInt,  // acc^n
    kSquareOf,
    kCubeOf,
    kPowIntOf,  // (*a)^n
    kHorner,    // acc = *b when b is given; then for the m terms from n: acc = acc * *a + term
    kSum,       // the m sum terms from n, each set into acc, or added to or taken from it
    kCall1,     // acc = fn(acc)
    kCall1Of,   // acc = fn(*a)
    kCall2,     // acc = fn(acc, *a)
    kCall2R,    // acc = fn(*a, acc)
    kJoin,      // acc is the boundary: jump to m when not finite, to n unless *a < acc
    kJump,
    kJumpIfFinite,
    kBoundEnter,  // acc is the point: jump to m when not finite, else keep slot t, set it
    kBoundLeave,
    kPeriodicEnter,  // *a low end, acc the period; X in t
    kPeriodicLeave,
};

struct RealInstr {
    R op;
    std::int32_t n = 0;
    std::int32_t m = 0;
    const long double* a = nullptr;
    const long double* b = nullptr;
    long double* t = nullptr;  // a place written: a temporary, or the parts of a variable slot
    RealEvaluator fn = nullptr;
    long double* saved = nullptr;  // two places that keep a slot's parts
};

// A term of a sum: a place, its square, cube or other whole power, or the product of two places
// (as the setter instruction of that name computes it), times a coefficient when one is given.
// The terms of a polynomial typed as a sum of powers.
inline constexpr int kMostSumTerms = 16;

struct SumTerm {
    enum class Combine : std::uint8_t { kSet, kAdd, kSub };
    R setter = R::kLoad;  // kLoad, kSquareOf, kCubeOf, kPowIntOf or kMul2
    Combine combine = Combine::kAdd;
    std::int32_t power = 0;          // of kPowIntOf
    const long double* x = nullptr;  // the place the setter reads
    const long double* b = nullptr;  // the second factor of kMul2
    const long double* coef = nullptr;
};

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

}  // namespace

namespace program_detail {

struct RealCode {
    std::vector<RealInstr> code;
    std::deque<long double> pool;  // constants; addresses never move
    ScratchStack<long double> temps;
    ScratchStack<std::array<long double, 2>> saves;  // slots kept by bound and periodic nodes
    std::vector<const long double*> terms;           // of the Horner chains
    std::vector<SumTerm> sumTerms;
    bool constantRoot = false;
    long double rootIm = 0;

    // Runs the instructions [start, end) and returns the accumulator: the value, undefined
    // unless finite.
    long double Run(std::size_t start, std::size_t end);
};

namespace {

// The value of a sum term, computed as the instructions it stands for compute it.
inline long double TermValue(const SumTerm& t) {
    const long double x = *t.x;
    long double v;
    switch (t.setter) {
        case R::kSquareOf:
            v = x * x;
            break;
        case R::kCubeOf:
            v = x * x * x;
            break;
        case R::kPowIntOf:
            v = IsFiniteValue(x) ? arith::WholePower(x, t.power) : kUndefined;
            break;
        case R::kMul2:
            v = x * *t.b;
            break;
        default:
            v = x;
            break;
    }
    return v * *t.coef;
}

}  // namespace

long double RealCode::Run(std::size_t start, std::size_t end) {
    const RealInstr* const base = code.data();
    const RealInstr* const stop = base + end;
    const RealInstr* pc = base + start;
    long double acc = 0;
    while (pc != stop) {
        const RealInstr& i = *pc++;
        switch (i.op) {
            case R::kLoad:
                acc = *i.a;
                break;
            case R::kStore:
                *i.t = acc;
                break;
            case R::kAdd:
                acc += *i.a;
                break;
            case R::kSub:
                acc -= *i.a;
                break;
            case R::kMul:
                acc *= *i.a;
                break;
            case R::kDiv: {
                const long double b = *i.a;
                acc = b == 0 || !IsFiniteValue(b) ? kUndefined : acc / b;
                break;
            }
            case R::kPow:
                acc = arith::Power(acc, *i.a);
                break;
            case R::kRSub:
                acc = *i.a - acc;
                break;
            case R::kRDiv:
                acc = acc == 0 || !IsFiniteValue(acc) ? kUndefined : *i.a / acc;
                break;
            case R::kRPow:
                acc = arith::Power(*i.a, acc);
                break;
            case R::kAdd2:
                acc = *i.a + *i.b;
                break;
            case R::kSub2:
                acc = *i.a - *i.b;
                break;
            case R::kMul2:
                acc = *i.a * *i.b;
                break;
            case R::kDiv2: {
                const long double b = *i.b;
                acc = b == 0 || !IsFiniteValue(b) ? kUndefined : *i.a / b;
                break;
            }
            case R::kPow2:
                acc = arith::Power(*i.a, *i.b);
                break;
            case R::kNeg:
                acc = -acc;
                break;
            case R::kSquare:
                acc *= acc;
                break;
            case R::kCube:
                acc = acc * acc * acc;
                break;
            case R::kPowInt:
                acc = IsFiniteValue(acc) ? arith::WholePower(acc, i.n) : kUndefined;
                break;
            case R::kSquareOf: {
                const long double v = *i.a;
                acc = v * v;
                break;
            }
            case R::kCubeOf: {
                const long double v = *i.a;
                acc = v * v * v;
                break;
            }
            case R::kPowIntOf: {
                const long double v = *i.a;
                acc = IsFiniteValue(v) ? arith::WholePower(v, i.n) : kUndefined;
                break;
            }
            case R::kHorner: {
                if (i.b) acc = *i.b;
                const long double x = *i.a;
                const long double* const* term = terms.data() + i.n;
                for (int k = 0; k < i.m; ++k) acc = acc * x + *term[k];
                break;
            }
            case R::kSum: {
                const SumTerm* t = sumTerms.data() + i.n;
                const SumTerm* const last = t + i.m;
                if (t->combine == SumTerm::Combine::kSet) acc = TermValue(*t++);
                for (; t != last; ++t) {
                    const long double v = TermValue(*t);
                    acc = t->combine == SumTerm::Combine::kSub ? acc - v : acc + v;
                }
                break;
            }
            case R::kCall1:
                acc = IsFiniteValue(acc) ? i.fn(acc, 0) : kUndefined;
                break;
            case R::kCall1Of: {
                const long double v = *i.a;
                acc = IsFiniteValue(v) ? i.fn(v, 0) : kUndefined;
                break;
            }
            case R::kCall2: {
                const long double b = *i.a;
                acc = IsFiniteValue(acc) && IsFiniteValue(b) ? i.fn(acc, b) : kUndefined;
                break;
            }
            case R::kCall2R: {
                const long double a = *i.a;
                acc = IsFiniteValue(a) && IsFiniteValue(acc) ? i.fn(a, acc) : kUndefined;
                break;
            }
            case R::kJoin:
                if (!IsFiniteValue(acc)) {
                    acc = kUndefined;
                    pc = base + i.m;
                } else if (!(*i.a < acc)) {
                    pc = base + i.n;
                }
                break;
            case R::kJump:
                pc = base + i.n;
                break;
            case R::kJumpIfFinite:
                if (IsFiniteValue(acc)) pc = base + i.n;
                break;
            case R::kBoundEnter: {
                if (!IsFiniteValue(acc)) {
                    acc = kUndefined;
                    pc = base + i.m;
                    break;
                }
                long double* saved = i.saved;
                saved[0] = i.t[0];
                saved[1] = i.t[1];
                i.t[0] = acc;
                i.t[1] = 0;
                break;
            }
            case R::kBoundLeave:
            case R::kPeriodicLeave: {
                const long double* saved = i.saved;
                i.t[0] = saved[0];
                i.t[1] = saved[1];
                break;
            }
            case R::kPeriodicEnter: {
                const long double low = *i.a;
                const long double period = acc;
                if (!(period > 0) || !IsFiniteValue(period) || !IsFiniteValue(low)) {
                    acc = kUndefined;
                    pc = base + i.m;
                    break;
                }
                long double* saved = i.saved;
                saved[0] = i.t[0];
                saved[1] = i.t[1];
                long double offset = std::fmod(saved[0] - low, period);
                if (offset < 0) offset += period;
                i.t[0] = low + offset;
                i.t[1] = 0;
                break;
            }
        }
    }
    return acc;
}

}  // namespace program_detail

namespace {

using program_detail::RealCode;

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
    RealCompiler(FormulaContext& context, RealCode& code) : ctx_(context), c_(code) {}

    // False when the tree has nodes that only the tree walk evaluates.
    bool Compile(const TExprNode* tree) {
        ToAcc(tree);
        c_.constantRoot = tree && tree->op == op::kConst;
        c_.rootIm = tree ? tree->im : 0;
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
    Place PlaceOf(const TExprNode* n);
    Place Fold(const TExprNode& n);
    void ToAcc(const TExprNode* n) {
        if (const Place p = PlaceOf(n)) {
            Emit({.op = R::kLoad, .a = p.at});
            return;
        }
        CodeFor(*n);
    }
    void CodeFor(const TExprNode& n);
    // acc = l op r, for the arithmetic operators, or a two-argument function of l and r.
    void Binary(int opCode, RealEvaluator fn, const TExprNode* l, const TExprNode* r);
    void Operate(int opCode, RealEvaluator fn, const Place& right);
    void OperateReversed(int opCode, RealEvaluator fn, const Place& left);
    void Join(const TExprNode& n);
    void Bound(const TExprNode& n);
    void Fallback(const TExprNode& n);
    void Periodic(const TExprNode& n);

    FormulaContext& ctx_;
    RealCode& c_;
    std::size_t label_ = 0;
    bool refused_ = false;
};

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
            return IsConstant(n) ? Fold(*n) : Place{};
    }
}

// A constant subtree becomes the constant it evaluates to: its code is run once here, by the
// same instructions that would run it every time, and taken back.
Place RealCompiler::Fold(const TExprNode& n) {
    const std::size_t start = c_.code.size();
    const std::size_t terms = c_.terms.size();
    const std::size_t sumTerms = c_.sumTerms.size();
    const std::size_t label = label_;
    label_ = start;
    CodeFor(n);
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
    ToAcc(n.child[0].get());
    const int jump = Emit({.op = R::kJump});
    c_.code[static_cast<std::size_t>(test)].n = Label();
    ToAcc(n.child[2].get());
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
    ToAcc(n.child[1].get());
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
    ToAcc(n.child[0].get());
    const int test = Emit({.op = R::kJumpIfFinite});
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
    ToAcc(n.child[1].get());
    Emit({.op = R::kPeriodicLeave, .t = x, .saved = saved});
    c_.saves.Pop();
    c_.temps.Pop();
    c_.code[static_cast<std::size_t>(enter)].m = Label();
}

}  // namespace

// --- complex mode: a stack machine with the tree walk's rules -------------------------------

namespace {

enum class C : std::uint8_t {
    // Pushes and pops: an instruction that pushes sets the top down first when `below` (the
    // stack is not empty); one that takes the top away takes up the value below when `below`.
    kPush,     // *a as it is (a constant node)
    kPushVar,  // a variable as a node keeps it
    kFail,     // a missing child: undefined
    kAdd,
    kSub,
    kMul,
    kDiv,
    kPow,
    kPowWhole,  // the top to the whole power n, as the power of a constant exact exponent
    kNeg,
    kSquare,
    kCall,          // fn of n arguments
    kJoin,          // pops the boundary; jump to n unless the slot's real part is below it
    kJump,          // to n
    kBoundEnter,    // pops the point into the slot, keeping the slot's value
    kBoundLeave,    // gives the slot its value back
    kMark,          // keeps the count of failures
    kFallbackTest,  // jump to m when nothing failed since the mark, else forget the first value
    kStore,         // the top as a node keeps it, undefined unless finite
    kNorm,          // the top as a node keeps it
    kEnd,
};

struct ComplexInstr {
    C op;
    bool below = false;
    std::int32_t n = 0;
    std::int32_t m = 0;
    const Complex* a = nullptr;
    Complex* slot = nullptr;
    Complex* saved = nullptr;
    int* mark = nullptr;
    ComplexEvaluator fn = nullptr;
};

}  // namespace

namespace program_detail {

struct ComplexCode {
    std::vector<ComplexInstr> code;
    std::deque<Complex> pool;
    ScratchStack<Complex> saves;
    ScratchStack<int> marks;
    std::vector<Complex> stack;

    // Runs the instructions from start to the end; the value, and whether it is defined.
    Complex Run(std::size_t start, bool& defined);
};

Complex ComplexCode::Run(std::size_t start, bool& defined) {
    using arith::Stored;
    const ComplexInstr* const base = code.data();
    const ComplexInstr* pc = base + start;
    // The top of the stack is kept apart as two reals (which stay in registers); the values
    // below it are in `stack`.
    long double re = 0, im = 0;
    Complex* sp = stack.data();
    int fails = 0;
    const auto top = [&re, &im] { return Complex(re, im); };
    const auto set = [&re, &im](const Complex& v) {
        re = v.real();
        im = v.imag();
    };
    const auto spill = [&](const ComplexInstr& i) {
        if (i.below) *sp++ = top();
    };
    const auto takeUp = [&](const ComplexInstr& i) {
        if (i.below) set(*--sp);
    };
    // The top as a node keeps the value v; undefined unless v is finite.
    const auto store = [&](const Complex& v) {
        set(Stored(v));
        if (!IsFinite(v)) ++fails;
    };
    for (;;) {
        const ComplexInstr& i = *pc++;
        switch (i.op) {
            case C::kPush:
                spill(i);
                set(*i.a);
                break;
            case C::kPushVar:
                spill(i);
                store(*i.slot);
                break;
            case C::kFail:
                spill(i);
                set(Complex());
                ++fails;
                break;
            case C::kAdd:
                store(*--sp + top());
                break;
            case C::kSub:
                store(*--sp - top());
                break;
            case C::kMul:
                store(*--sp * top());
                break;
            case C::kDiv: {
                const Complex a = *--sp;
                if (re == 0 && im == 0) {
                    ++fails;
                    set(a);
                } else {
                    store(a / top());
                }
                break;
            }
            case C::kPow: {
                Complex r;
                if (!CxPower(*--sp, top(), r)) ++fails;
                set(Stored(r));
                break;
            }
            case C::kPowWhole: {
                Complex r;
                if (!CxWholePower(top(), i.n, r)) ++fails;
                set(Stored(r));
                break;
            }
            case C::kNeg:
                store(-top());
                break;
            case C::kSquare:
                store(top() * top());
                break;
            case C::kCall: {
                Complex a, b, r;
                if (i.n == 2) {
                    a = *--sp;
                    b = top();
                } else if (i.n == 1) {
                    a = top();
                } else {
                    spill(i);
                }
                if (!i.fn(a, b, r)) ++fails;
                set(Stored(r));
                break;
            }
            case C::kJoin: {
                const long double boundary = re;
                takeUp(i);
                if (!(i.slot->real() < boundary)) pc = base + i.n;
                break;
            }
            case C::kJump:
                pc = base + i.n;
                break;
            case C::kBoundEnter:
                *i.saved = *i.slot;
                *i.slot = top();
                takeUp(i);
                break;
            case C::kBoundLeave:
                *i.slot = *i.saved;
                break;
            case C::kMark:
                *i.mark = fails;
                break;
            case C::kFallbackTest:
                if (fails == *i.mark) {
                    pc = base + i.m;
                } else {
                    fails = *i.mark;
                    takeUp(i);
                }
                break;
            case C::kStore:
                store(top());
                break;
            case C::kNorm:
                set(Stored(top()));
                break;
            case C::kEnd:
                defined = fails == 0;
                return top();
        }
    }
}

}  // namespace program_detail

namespace {

using program_detail::ComplexCode;

class ComplexCompiler {
public:
    ComplexCompiler(FormulaContext& context, ComplexCode& code) : ctx_(context), c_(code) {}

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

    FormulaContext& ctx_;
    ComplexCode& c_;
    int depth_ = 0;
    int highest_ = 1;
    bool refused_ = false;
};

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
    } else {
        CodeFor(*n);
    }
}

// A constant subtree that is defined becomes its value, computed once here by its own code.
void ComplexCompiler::Fold(const TExprNode& n) {
    const std::size_t start = c_.code.size();
    CodeFor(n);
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
    Child(c0);
    const int jump = Emit({.op = C::kJump});
    Popped();
    c_.code[static_cast<std::size_t>(test)].n = Here();
    Child(c2);
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
    Child(n.child[1].get());
    c_.code[static_cast<std::size_t>(test)].m = Here();
    Emit({.op = C::kStore});
    c_.marks.Pop();
}

}  // namespace

// --- the program --------------------------------------------------------------------------------

TreeProgram::TreeProgram(FormulaContext& context, TExprNode* tree)
    : context_(&context), tree_(tree), complexMode_(context.complexMode) {
    if (complexMode_) {
        auto code = std::make_unique<ComplexCode>();
        if (ComplexCompiler(context, *code).Compile(tree)) complex_ = std::move(code);
    } else {
        auto code = std::make_unique<RealCode>();
        if (RealCompiler(context, *code).Compile(tree)) real_ = std::move(code);
    }
}

TreeProgram::~TreeProgram() = default;
TreeProgram::TreeProgram(TreeProgram&&) noexcept = default;
TreeProgram& TreeProgram::operator=(TreeProgram&&) noexcept = default;

bool TreeProgram::Compiled() const {
    return real_ || complex_;
}

int TreeProgram::Size() const {
    if (real_) return static_cast<int>(real_->code.size());
    if (complex_) return static_cast<int>(complex_->code.size());
    return 0;
}

long double TreeProgram::RunReal(program_detail::RealCode& code) {
    return code.Run(0, code.code.size());
}

Complex TreeProgram::RunComplex(program_detail::ComplexCode& code, bool& defined) {
    return code.Run(0, defined);
}

TreeProgram::Outcome TreeProgram::EvaluateOther() const {
    Outcome outcome;
    if (complexMode_ == context_->complexMode && complex_)
        outcome.value = RunComplex(*complex_, outcome.defined);
    else
        outcome.defined = ThroughTree(outcome.value);
    return outcome;
}

bool TreeProgram::EvaluateComplexOther(Complex& value) const {
    if (real_ && !context_->complexMode) {
        const long double re = RunReal(*real_);
        // A constant root keeps its own value in real mode, imaginary part and all.
        value = {re, real_->constantRoot ? real_->rootIm : 0.0L};
        return arith::IsFiniteValue(re);
    }
    return ThroughTree(value);
}

bool TreeProgram::ThroughTree(Complex& value) const {
    if (!tree_) return false;
    const bool defined = context_->Evaluate(*tree_);
    value = {tree_->re, tree_->im};
    return defined;
}

}  // namespace quorlin
