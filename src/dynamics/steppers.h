#pragma once
// The three integration methods of trajectories (0 Euler, 1 modified Euler, 2 the classical
// fourth-order Runge-Kutta method) as one step of a first-order system of up to ten
// components, the step of a dy/dx = F(x, y) equation along x, and the right-hand side of a
// derx(n, y) equation as a first-order system of its state y, y', ..., y^(n-1).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "formula/formula_context.h"
#include "formula/tree_program.h"

namespace quorlin::dynamics {

enum class Method { kEuler = 0, kModifiedEuler = 1, kRungeKutta = 2 };

// The method of a stored word: 0 Euler, 1 modified Euler, anything else Runge-Kutta (as the
// trajectory lists name them).
constexpr Method MethodOf(int word) {
    return word == 0 ? Method::kEuler : word == 1 ? Method::kModifiedEuler : Method::kRungeKutta;
}

inline constexpr int kMaxStateSize = 10;

// The sum of the squares of the first n entries of v (n an int or a std::integral_constant).
template <typename Count>
long double SumOfSquares(const long double* v, Count n) {
    long double sum = 0;
    for (int i = 0; i < n; ++i) sum += v[i] * v[i];
    return sum;
}

// The test |v| < limit of a vector given by its sum of squares, exactly as
// std::sqrt(sum) < limit answers it, but taking the square root only for sums near or below
// the limit's square: a run of fixed steps asks it at every step and never needs the length.
class ShorterThan {
public:
    explicit ShorterThan(long double limit);
    bool operator()(long double sumOfSquares) const {
        return sumOfSquares < bound_ && RootBelowLimit(sumOfSquares);
    }

private:
    // Out of line, so that the square root is not computed ahead of the cheap test.
    bool RootBelowLimit(long double sumOfSquares) const;

    long double limit_;
    long double bound_;  // no sum at or above it has a root below the limit
};

// One step of length h of y' = f(t, y) for the first n entries of y (n <= kMaxStateSize), with
// the slope k1 = f(t, y) already known. The field is called as
// f(t, const long double* y, long double* dy) -> bool. On an undefined evaluation y is left
// unchanged and the result is false. The count is an int, or a std::integral_constant where
// the caller knows it when it is compiled (the tracer's systems of two): the loops then unroll.
// Always inlined: a tracer takes a step a point, and a call would pass the time and the step
// through memory.
template <typename Field, typename Count = int>
[[gnu::always_inline]] inline bool OdeStepFrom(Method method, Field&& f, long double t,
                                               long double* y, Count n, long double h,
                                               const long double* k1) {
    using State = std::array<long double, kMaxStateSize>;
    // Left uninitialised: only the first n entries are written and read, and clearing all ten
    // of each for a system of two costs more than the arithmetic of its step.
    State k2, k3, k4, work;
    const auto shifted = [&](const long double* k, long double factor) {
        for (int i = 0; i < n; ++i) work[i] = y[i] + factor * k[i];
        return work.data();
    };
    switch (method) {
        case Method::kEuler:
            for (int i = 0; i < n; ++i) y[i] += h * k1[i];
            return true;
        case Method::kModifiedEuler:
            if (!f(t + h, shifted(k1, h), k2.data())) return false;
            for (int i = 0; i < n; ++i) y[i] += 0.5L * h * (k1[i] + k2[i]);
            return true;
        case Method::kRungeKutta:
            break;
    }
    const long double half = 0.5L * h;
    if (!f(t + half, shifted(k1, half), k2.data())) return false;
    if (!f(t + half, shifted(k2.data(), half), k3.data())) return false;
    if (!f(t + h, shifted(k3.data(), h), k4.data())) return false;
    const long double sixth = h / 6.0L;
    for (int i = 0; i < n; ++i) y[i] += sixth * (k1[i] + 2.0L * k2[i] + 2.0L * k3[i] + k4[i]);
    return true;
}

// The same step, evaluating k1 first.
template <typename Field>
bool OdeStep(Method method, Field&& f, long double t, long double* y, int n, long double h) {
    std::array<long double, kMaxStateSize> k1;  // its first n entries written by f
    return f(t, y, k1.data()) && OdeStepFrom(method, f, t, y, n, h, k1.data());
}

// One step of dy/dx = f(x, y) from the point (x, y) with step h along x: X and Y (and in
// complex mode Z = x + iy) follow the point. Returns false when f is undefined, or when, with
// infiniteSlopes set, the first two slopes have opposite signs and one of them is steeper
// than 5 (a turn through a vertical tangent); the point is then left where the step stopped.
bool DyDxStep(FormulaContext& context, TExprNode& f, Method method, long double& x, long double& y,
              long double h, bool infiniteSlopes);
// The same with f compiled, for the tracers that take many steps.
bool DyDxStep(FormulaContext& context, const TreeProgram& f, Method method, long double& x,
              long double& y, long double h, bool infiniteSlopes);

// y^(n) = F(x, y, y', ..., y^(n-1)) as the first-order system of its state: X and T hold x,
// Y holds y and the derivState entries y, y', ..., y^(n-1), which DERX(k, Y) reads.
// F is compiled for the trace that the field serves.
class HigherOrderField {
public:
    HigherOrderField(FormulaContext& context, TExprNode& f, int order)
        : context_(&context), f_(context, &f), order_(std::clamp(order, 1, kMaxStateSize)) {}

    int Order() const { return order_; }
    bool operator()(long double x, const long double* y, long double* dy) const;

private:
    FormulaContext* context_;
    TreeProgram f_;
    int order_;
};

}  // namespace quorlin::dynamics
