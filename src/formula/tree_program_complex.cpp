// The complex stack machine: runs the instructions a tree was translated into, by the tree
// walk's complex rules.
#include <cstddef>

#include "formula/complex_math.h"
#include "formula/real_arithmetic.h"
#include "formula/tree_program.h"
#include "formula/tree_program_code.h"

namespace quorlin {

namespace program_detail {

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
            case C::kKeep:
                *i.slot = top();
                *i.mark = fails - *i.mark;
                break;
            case C::kPushKept:
                // Its failures count again, as they do when the tree walk computes it again.
                spill(i);
                set(*i.a);
                fails += *i.mark;
                break;
            case C::kEnd:
                defined = fails == 0;
                return top();
        }
    }
}

}  // namespace program_detail

Complex TreeProgram::RunComplex(program_detail::ComplexCode& code, bool& defined) {
    return code.Run(0, defined);
}

}  // namespace quorlin
