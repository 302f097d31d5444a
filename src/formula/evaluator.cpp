// Tree evaluation in real and complex mode. Every node stores its value in its own re and im,
// so the root holds the result (or the last value reached before a failure) and callers may
// also read intermediate nodes such as the components of a vector node.
#include <cmath>

#include "formula/complex_math.h"
#include "formula/formula_context.h"
#include "formula/name_table.h"

namespace quorlin {

class Evaluator {
public:
    explicit Evaluator(FormulaContext& context) : ctx_(context) {}

    bool Real(TExprNode& n);
    bool Cx(TExprNode& n);

private:
    bool RealBuiltin(TExprNode& n);
    bool RealSpecial(TExprNode& n);
    bool CxBuiltin(TExprNode& n);
    bool CxSpecial(TExprNode& n);
    // Evaluates child[1] with the variable slot set to `value`, restoring the slot after.
    template <bool complex>
    bool WithSlot(TExprNode& body, int slotIndex, const Complex& value);

    Complex& Slot(int index) { return ctx_.vars.value[index]; }
    static Complex Value(const TExprNode& n) { return {n.re, n.im}; }
    static bool Store(TExprNode& n, long double v) {
        n.re = v;
        return std::isfinite(v);
    }
    static bool Store(TExprNode& n, const Complex& v) {
        n.re = v.real();
        n.im = v.imag() + 0.0L;  // +0, never -0: -4 and -(4) keep one side of the cuts
        return IsFinite(v);
    }

    FormulaContext& ctx_;
};

// Trees from the parser are always complete; trees put together elsewhere may lack a
// child, which makes the node undefined rather than a crash.
bool Evaluator::Real(TExprNode& n) {
    TExprNode* c0 = n.child[0].get();
    TExprNode* c1 = n.child[1].get();
    switch (n.op) {
        case op::kConst:
            return true;
        case op::kPlus:
            if (!c0 || !c1 || !Real(*c0) || !Real(*c1)) return false;
            return Store(n, c0->re + c1->re);
        case op::kMinus:
            if (!c0 || !c1 || !Real(*c0) || !Real(*c1)) return false;
            return Store(n, c0->re - c1->re);
        case op::kTimes:
            if (!c0 || !c1 || !Real(*c0) || !Real(*c1)) return false;
            return Store(n, c0->re * c1->re);
        case op::kDivide:
            if (!c0 || !c1 || !Real(*c0) || !Real(*c1) || c1->re == 0) return false;
            return Store(n, c0->re / c1->re);
        case op::kPower: {
            if (!c0 || !c1 || !Real(*c0) || !Real(*c1)) return false;
            long double r = 0;
            const bool ok = RealPower(c0->re, c1->re, r);
            n.re = r;
            return ok;
        }
        case op::kNegate:
            if (!c1 || !Real(*c1)) return false;
            n.re = -c1->re;
            return true;
        case op::kSquare:
            if (!c1 || !Real(*c1)) return false;
            return Store(n, c1->re * c1->re);
        default:
            break;
    }
    if (op::IsVariable(n.op)) {
        n.re = Slot(op::VariableSlot(n.op)).real();
        return true;
    }
    if (n.op >= op::kFirstBuiltin && n.op <= op::kLastBuiltin && FindBuiltin(n.op))
        return RealBuiltin(n);
    return RealSpecial(n);
}

bool Evaluator::RealBuiltin(TExprNode& n) {
    const BuiltinFunction& f = *FindBuiltin(n.op);
    long double a = 0, b = 0, r = 0;
    if (f.argCount == 2) {
        if (!n.child[0] || !n.child[1] || !Real(*n.child[0]) || !Real(*n.child[1])) return false;
        a = n.child[0]->re;
        b = n.child[1]->re;
    } else if (f.argCount == 1) {
        if (!n.child[1] || !Real(*n.child[1])) return false;
        a = n.child[1]->re;
    }
    const bool ok = f.real(a, b, r);
    n.re = r;
    return ok;
}

template <bool complex>
bool Evaluator::WithSlot(TExprNode& body, int slotIndex, const Complex& value) {
    const Complex saved = Slot(slotIndex);
    Slot(slotIndex) = value;
    const bool ok = complex ? Cx(body) : Real(body);
    Slot(slotIndex) = saved;
    return ok;
}

bool Evaluator::RealSpecial(TExprNode& n) {
    auto* c0 = n.child[0].get();
    auto* c1 = n.child[1].get();
    auto* c2 = n.child[2].get();
    switch (n.op) {
        case op::kJoin: {
            if (!c0 || !c1 || !c2 || !op::IsVariable(n.aux) || !Real(*c1)) return false;
            TExprNode& piece = Slot(op::VariableSlot(n.aux)).real() < c1->re ? *c0 : *c2;
            const bool ok = Real(piece);
            n.re = piece.re;
            return ok;
        }
        case op::kBound: {
            if (!c0 || !c1 || !Real(*c0)) return false;
            const bool ok = WithSlot<false>(*c1, op::BoundSlot(n.aux), c0->re);
            long double factor = 1;
            if (c2) {
                if (!Real(*c2)) return false;
                factor = c2->re;
            }
            return Store(n, c1->re * factor) && ok;
        }
        case op::kFallback: {
            if (c0 && Real(*c0)) return Store(n, c0->re);
            if (!c1 || !Real(*c1)) return false;
            return Store(n, c1->re);
        }
        case op::kPeriodic: {
            if (!c0 || !c1 || !c2 || !Real(*c0) || !Real(*c2) || !(c2->re > 0)) return false;
            const long double x = Slot(op::VariableSlot(op::kVarX)).real();
            long double offset = std::fmod(x - c0->re, c2->re);
            if (offset < 0) offset += c2->re;
            const bool ok = WithSlot<false>(*c1, op::VariableSlot(op::kVarX), c0->re + offset);
            n.re = c1->re;
            return ok;
        }
        case op::kVector3:
        case op::kCurvature3: {
            bool ok = true;
            for (auto& c : n.child)
                if (c) ok = Real(*c) && ok;
            const TExprNode* shown = n.op == op::kVector3 ? c0 : n.child[3].get();
            if (!shown) return false;
            n.re = shown->re;
            return ok;
        }
        case op::kDerivState:
            if (n.aux < 0 || n.aux >= static_cast<int>(ctx_.derivState.size())) return false;
            n.re = ctx_.derivState[n.aux];
            return true;
        default:
            break;
    }
    if (op::IsExtraReal(n.op)) {
        n.re = ctx_.extraReal[n.op];
        return true;
    }
    if (n.op == op::kRevolutionScale) {
        n.re = 1;
        return true;
    }
    if (n.op >= op::kRevolutionFirst && n.op < op::kRevolutionScale) {
        n.re = Slot(op::VariableSlot(op::kVarT)).real();
        return true;
    }
    return false;  // placeholders and unknown codes have no value
}

bool Evaluator::Cx(TExprNode& n) {
    auto* c0 = n.child[0].get();
    auto* c1 = n.child[1].get();
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
    if (n.op >= op::kFirstBuiltin && n.op <= op::kLastBuiltin && FindBuiltin(n.op))
        return CxBuiltin(n);
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
    auto* c0 = n.child[0].get();
    auto* c1 = n.child[1].get();
    auto* c2 = n.child[2].get();
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
            if (!c0 || !c1 || !Cx(*c0)) return false;
            const bool ok = WithSlot<true>(*c1, op::BoundSlot(n.aux), Value(*c0));
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
        case op::kPeriodic:
        case op::kVector3:
        case op::kCurvature3:
        case op::kDerivState: {
            // Real constructions: evaluate them on the real parts.
            const bool ok = Real(n);
            n.im = 0;
            return ok;
        }
        default:
            break;
    }
    const bool ok = RealSpecial(n);
    n.im = 0;
    return ok;
}

bool FormulaContext::Evaluate(TExprNode& tree) {
    Evaluator evaluator(*this);
    return complexMode ? evaluator.Cx(tree) : evaluator.Real(tree);
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
