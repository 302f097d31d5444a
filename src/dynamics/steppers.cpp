#include "dynamics/steppers.h"

#include <cmath>

namespace quorlin::dynamics {

namespace {

// A turn through a vertical tangent: slopes of opposite signs, one of them steeper than this.
constexpr long double kInfiniteSlope = 5.0L;

// f at (x, y) with the plot variables following the point.
bool SlopeAt(FormulaContext& context, TExprNode& f, long double x, long double y,
             long double& slope) {
    context.SetVar(slot::kX, x);
    context.SetVar(slot::kY, y);
    if (context.complexMode) context.SetVar(slot::kZ, Complex(x, y));
    if (!context.Evaluate(f)) return false;
    slope = f.re;
    return true;
}

}  // namespace

bool DyDxStep(FormulaContext& context, TExprNode& f, Method method, long double& x, long double& y,
              long double h, bool infiniteSlopes) {
    // The Runge-Kutta step is made of half steps; its weights (1, 2, 2, 1) / 3 of half steps
    // are the classical (1, 2, 2, 1) / 6 of the whole step.
    const long double hp = method == Method::kRungeKutta ? 0.5L * h : h;
    const long double x0 = x;
    const long double y0 = y;
    long double m1 = 0;
    if (!SlopeAt(context, f, x0, y0, m1)) return false;
    x = x0 + hp;
    y = y0 + hp * m1;
    long double m2 = 0;
    if (!SlopeAt(context, f, x, y, m2)) return false;
    if (infiniteSlopes && m1 * m2 < 0 &&
        (std::fabs(m1) > kInfiniteSlope || std::fabs(m2) > kInfiniteSlope))
        return false;
    switch (method) {
        case Method::kEuler:
            return true;
        case Method::kModifiedEuler:
            y = y0 + 0.5L * hp * (m1 + m2);
            return true;
        case Method::kRungeKutta:
            break;
    }
    long double m3 = 0;
    long double m4 = 0;
    if (!SlopeAt(context, f, x0 + hp, y0 + hp * m2, m3)) return false;
    if (!SlopeAt(context, f, x0 + 2.0L * hp, y0 + 2.0L * hp * m3, m4)) return false;
    x = x0 + 2.0L * hp;
    y = y0 + hp * (m1 + 2.0L * m2 + 2.0L * m3 + m4) / 3.0L;
    return true;
}

bool HigherOrderField::operator()(long double x, const long double* y, long double* dy) const {
    context_->SetVar(slot::kX, x);
    context_->SetVar(slot::kT, x);
    context_->SetVar(slot::kY, y[0]);
    for (int k = 0; k < order_; ++k) context_->derivState[static_cast<std::size_t>(k)] = y[k];
    if (!context_->Evaluate(*f_)) return false;
    for (int k = 0; k + 1 < order_; ++k) dy[k] = y[k + 1];
    dy[order_ - 1] = f_->re;
    return true;
}

}  // namespace quorlin::dynamics
