// The real accumulator machine: runs the instructions a tree was translated into.
#include <cmath>
#include <cstddef>

#include "formula/real_arithmetic.h"
#include "formula/tree_program.h"
#include "formula/tree_program_code.h"

namespace quorlin {

namespace program_detail {

namespace {

using arith::IsFiniteValue;
using arith::kUndefined;

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

long double RealCode::Run(std::size_t start, std::size_t end, long double* out) {
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
            case R::kKeep:
                // Most points of a curve drawn across a view where it is undefined are undefined
                // from its first kept values on; the rest of a long program would only carry
                // that along.
                *i.t = acc;
                if (!IsFiniteValue(acc)) return kUndefined;
                break;
            case R::kOutput:
                out[i.n] = acc;
                if (!IsFiniteValue(acc)) undefinedOutputs |= 1U << i.n;
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

long double TreeProgram::RunReal(program_detail::RealCode& code) {
    return code.Run(0, code.code.size());
}

}  // namespace quorlin
