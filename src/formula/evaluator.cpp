// Tree evaluation in real and complex mode: the evaluation of record, which compiled programs
// (tree_program.h, for the loops that evaluate one tree many times) reproduce bit for bit with
// the same arithmetic (real_arithmetic.h).
//
// In real mode values travel up the tree as return values and an undefined value is NaN, which
// arithmetic carries up by itself; each node only turns an overflow into NaN. Only the root (and
// the components of vector and curvature nodes, which their users read) keep their values.
// Complex mode stores each node's value in its re and im.
#include <cfloat>
#include <cmath>

#include "formula/complex_math.h"
#include "formula/formula_context.h"
#include "formula/name_table.h"
#include "formula/real_arithmetic.h"

namespace quorlin {

namespace {

using arith::Finite;
using arith::IsFiniteValue;
using arith::kUndefined;
using arith::Power;

}  // namespace

static_assert(op::SightLineSlot(op::kSightFirst) == slot::kSightFirst &&
              op::SightLineSlot(op::kSightLast) == slot::kCount - 1);

class Evaluator {
public:
    explicit Evaluator(FormulaContext& context)
        : ctx_(context), builtins_(BuiltinsByCode().data()) {}

    long double Real(TExprNode* n);
    // Real of a child, with constants and variables (half of all nodes) read in place.
    long double Operand(TExprNode* n) {
        if (n) {
            if (n->op == op::kConst) return n->re;
            if (op::IsVariable(n->op)) return Slot(op::VariableSlot(n->op)).real();
        }
        return Real(n);
    }
    bool Cx(TExprNode& n);

private:
    long double RealBuiltin(TExprNode& n, const BuiltinFunction& f);
    long double RealSpecial(TExprNode& n);
    // Evaluates a child whose value its users read, and keeps the value in it.
    long double RealKept(TExprNode* n);
    bool CxBuiltin(TExprNode& n);
    bool CxSpecial(TExprNode& n);

    Complex& Slot(int index) { return ctx_.vars.value[index]; }
    static Complex Value(const TExprNode& n) { return {n.re, n.im}; }
    static bool Store(TExprNode& n, const Complex& v) {
        const Complex stored = arith::Stored(v);
        n.re = stored.real();
        n.im = stored.imag();
        return IsFinite(v);
    }

    FormulaContext& ctx_;
    const BuiltinFunction* const* builtins_;
};

// Trees from the parser are always complete; a tree put together elsewhere may lack a child,
// which makes its node undefined rather than a crash.
long double Evaluator::Real(TExprNode* n) {
    if (!n) return kUndefined;
    TExprNode* c0 = n->child[0].get();
    TExprNode* c1 = n->child[1].get();
    switch (n->op) {
        case op::kConst:
            return n->re;
        // Sums and products carry NaN and overflow up by themselves; where an infinity could turn
        // back into a finite value (a quotient, a function, a comparison) it is caught.
        case op::kPlus:
            return Operand(c0) + Operand(c1);
        case op::kMinus:
            return Operand(c0) - Operand(c1);
        case op::kTimes:
            return Operand(c0) * Operand(c1);
        case op::kDivide: {
            const long double a = Operand(c0);
            const long double b = Operand(c1);
            return b == 0 || !IsFiniteValue(b) ? kUndefined : a / b;
        }
        case op::kPower:
            return Power(Operand(c0), Operand(c1));
        case op::kNegate:
            return -Operand(c1);
        case op::kSquare: {
            const long double a = Operand(c1);
            return a * a;
        }
        default:
            break;
    }
    if (op::IsVariable(n->op)) return Slot(op::VariableSlot(n->op)).real();
    if (const BuiltinFunction* f = builtins_[n->op & 0xFF]; f && n->op <= op::kLastBuiltin)
        return RealBuiltin(*n, *f);
    return RealSpecial(*n);
}

long double Evaluator::RealBuiltin(TExprNode& n, const BuiltinFunction& f) {
    long double a = 0, b = 0;
    if (f.argCount == 2) {
        a = Real(n.child[0].get());
        b = Real(n.child[1].get());
    } else if (f.argCount == 1) {
        a = Real(n.child[1].get());
    }
    if (!IsFiniteValue(a) || !IsFiniteValue(b)) return kUndefined;
    return Finite(f.real(a, b));
}

long double Evaluator::RealKept(TExprNode* n) {
    const long double v = Finite(Real(n));
    if (n && !std::isnan(v)) n->re = v;
    return v;
}

long double Evaluator::RealSpecial(TExprNode& n) {
    TExprNode* c0 = n.child[0].get();
    TExprNode* c1 = n.child[1].get();
    TExprNode* c2 = n.child[2].get();
    switch (n.op) {
        case op::kJoin: {
            if (!op::IsVariable(n.aux)) return kUndefined;
            const long double boundary = Real(c1);
            if (!IsFiniteValue(boundary)) return kUndefined;
            return Real(Slot(op::VariableSlot(n.aux)).real() < boundary ? c0 : c2);
        }
        case op::kBound: {
            const long double at = Real(c0);
            if (!IsFiniteValue(at) || op::BoundSlot(n.aux) >= slot::kCount) return kUndefined;
            Complex& slot = Slot(op::BoundSlot(n.aux));
            const Complex saved = slot;
            slot = at;
            const long double value = Real(c1);
            slot = saved;
            return c2 ? Finite(value * Real(c2)) : value;
        }
        case op::kFallback: {
            const long double v = Real(c0);
            return IsFiniteValue(v) ? v : Real(c1);
        }
        case op::kPeriodic: {
            const long double low = Real(c0);
            const long double period = Real(c2);
            if (!(period > 0) || !IsFiniteValue(period) || !IsFiniteValue(low)) return kUndefined;
            Complex& x = Slot(op::VariableSlot(op::kVarX));
            const Complex saved = x;
            long double offset = std::fmod(saved.real() - low, period);
            if (offset < 0) offset += period;
            x = low + offset;
            const long double value = Real(c1);
            x = saved;
            return value;
        }
        case op::kVector3:
        case op::kCurvature3: {
            bool defined = true;
            for (auto& c : n.child)
                if (c) defined = !std::isnan(RealKept(c.get())) && defined;
            const TExprNode* shown = n.op == op::kVector3 ? c0 : n.child[3].get();
            return defined && shown ? shown->re : kUndefined;
        }
        case op::kDerivState:
            if (n.aux < 0 || n.aux >= static_cast<int>(ctx_.derivState.size())) return kUndefined;
            return ctx_.derivState[n.aux];
        default:
            break;
    }
    if (op::IsExtraReal(n.op)) return ctx_.extraReal[n.op];
    if (op::IsSightLine(n.op)) return Slot(op::SightLineSlot(n.op)).real();
    // The stepped surfaces of revolution draw as the smooth surface: their foot and distance
    // nodes stand for T, the radius factor for 1.
    if (n.op == op::kRevolutionScale) return 1;
    if (n.op >= op::kRevolutionFirst && n.op < op::kRevolutionScale)
        return Slot(op::VariableSlot(op::kVarT)).real();
    return kUndefined;  // placeholders and unknown codes have no value
}

bool Evaluator::Cx(TExprNode& n) {
    TExprNode* c0 = n.child[0].get();
    TExprNode* c1 = n.child[1].get();
    switch (n.op) {
        case op::kConst:
            return true;
        case op::kPlus:
            if (!c0 || !c1 || !Cx(*c0) || !Cx(*c1)) return false;
            return Store(n, Value(*c0) + Value(*c1));
        case op::kMinus:
            if (!c0 || !c1 || !Cx(*c0) || !Cx(*c1)) return false;
            return Store(n, Value(*c0) - Value(*c1));
        case op::kTimes:
            if (!c0 || !c1 || !Cx(*c0) || !Cx(*c1)) return false;
            return Store(n, Value(*c0) * Value(*c1));
        case op::kDivide:
            if (!c0 || !c1 || !Cx(*c0) || !Cx(*c1)) return false;
            if (c1->re == 0 && c1->im == 0) return false;
            return Store(n, Value(*c0) / Value(*c1));
        case op::kPower: {
            if (!c0 || !c1 || !Cx(*c0) || !Cx(*c1)) return false;
            Complex r;
            const bool ok = CxPower(Value(*c0), Value(*c1), r);
            Store(n, r);
            return ok;
        }
        case op::kNegate:
            if (!c1 || !Cx(*c1)) return false;
            return Store(n, -Value(*c1));
        case op::kSquare:
            if (!c1 || !Cx(*c1)) return false;
            return Store(n, Value(*c1) * Value(*c1));
        default:
            break;
    }
    if (op::IsVariable(n.op)) return Store(n, Slot(op::VariableSlot(n.op)));
    if (FindBuiltin(n.op)) return CxBuiltin(n);
    return CxSpecial(n);
}

bool Evaluator::CxBuiltin(TExprNode& n) {
    const BuiltinFunction& f = *FindBuiltin(n.op);
    Complex a, b, r;
    if (f.argCount == 2) {
        if (!n.child[0] || !n.child[1] || !Cx(*n.child[0]) || !Cx(*n.child[1])) return false;
        a = Value(*n.child[0]);
        b = Value(*n.child[1]);
    } else if (f.argCount == 1) {
        if (!n.child[1] || !Cx(*n.child[1])) return false;
        a = Value(*n.child[1]);
    }
    const bool ok = f.complex(a, b, r);
    Store(n, r);
    return ok;
}

bool Evaluator::CxSpecial(TExprNode& n) {
    TExprNode* c0 = n.child[0].get();
    TExprNode* c1 = n.child[1].get();
    TExprNode* c2 = n.child[2].get();
    switch (n.op) {
        case op::kJoin: {
            // The pieces join along the real part of the variable.
            if (!c0 || !c1 || !c2 || !op::IsVariable(n.aux) || !Cx(*c1)) return false;
            TExprNode& piece = Slot(op::VariableSlot(n.aux)).real() < c1->re ? *c0 : *c2;
            const bool ok = Cx(piece);
            Store(n, Value(piece));
            return ok;
        }
        case op::kBound: {
            if (!c0 || !c1 || op::BoundSlot(n.aux) >= slot::kCount || !Cx(*c0)) return false;
            Complex& slot = Slot(op::BoundSlot(n.aux));
            const Complex saved = slot;
            slot = Value(*c0);
            const bool ok = Cx(*c1);
            slot = saved;
            Complex factor = 1;
            if (c2) {
                if (!Cx(*c2)) return false;
                factor = Value(*c2);
            }
            return Store(n, Value(*c1) * factor) && ok;
        }
        case op::kFallback:
            if (c0 && Cx(*c0)) return Store(n, Value(*c0));
            if (!c1 || !Cx(*c1)) return false;
            return Store(n, Value(*c1));
        default:
            break;
    }
    // The remaining constructions are real: periodic curves, vectors, curvature, the state
    // of a derx equation, extra slots and surfaces of revolution.
    const long double v = Real(&n);
    if (!IsFiniteValue(v)) return false;
    n.re = v;
    n.im = 0;
    return true;
}

bool FormulaContext::Evaluate(TExprNode& tree) {
    Evaluator evaluator(*this);
    if (complexMode) return evaluator.Cx(tree);
    const long double value = evaluator.Real(&tree);
    if (!IsFiniteValue(value)) return false;
    if (tree.op != op::kConst) {  // a constant keeps its own value, imaginary part and all
        tree.re = value;
        tree.im = 0;
    }
    return true;
}

bool FormulaContext::EvalAtReal(TExprNode& tree, int slotIndex, long double x, long double& out) {
    SetVar(slotIndex, x);
    const bool ok = Evaluate(tree);
    out = tree.re;
    return ok;
}

int FormulaContext::EvalVector3(TExprNode& tree, long double out[3]) {
    if (tree.op != op::kVector3) return 1;
    for (int i = 0; i < 3; ++i) {
        TExprNode* component = tree.child[i].get();
        if (!component || !Evaluate(*component)) return 1;
        out[i] = component->re;
    }
    return 0;
}

}  // namespace quorlin
