#include "dynamics/steppers.h"

#include <cmath>
#include <limits>

namespace quorlin::dynamics {

namespace {

// A turn through a vertical tangent: slopes of opposite signs, one of them steeper than this.
constexpr long double kInfiniteSlope = 5.0L;

// The plot variables following the point (x, y).
void PutPoint(FormulaContext& context, long double x, long double y) {
    context.SetVar(slot::kX, x);
    context.SetVar(slot::kY, y);
    if (context.complexMode) context.SetVar(slot::kZ, Complex(x, y));
}

// The step with the slope f(x, y) given as slope(x, y, out) -> bool.
template <typename Slope>
bool DyDxStepWith(Slope&& slopeAt, Method method, long double& x, long double& y, long double h,
                  bool infiniteSlopes) {
    // The Runge-Kutta step is made of half steps; its weights (1, 2, 2, 1) / 3 of half steps
    // are the classical (1, 2, 2, 1) / 6 of the whole step.
    const long double hp = method == Method::kRungeKutta ? 0.5L * h : h;
    const long double x0 = x;
    const long double y0 = y;
    long double m1 = 0;
    if (!slopeAt(x0, y0, m1)) return false;
    x = x0 + hp;
    y = y0 + hp * m1;
    long double m2 = 0;
    if (!slopeAt(x, y, m2)) return false;
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
    if (!slopeAt(x0 + hp, y0 + hp * m2, m3)) return false;
    if (!slopeAt(x0 + 2.0L * hp, y0 + 2.0L * hp * m3, m4)) return false;
    x = x0 + 2.0L * hp;
    y = y0 + hp * (m1 + 2.0L * m2 + 2.0L * m3 + m4) / 3.0L;
    return true;
}

}  // namespace

ShorterThan::ShorterThan(long double limit) : limit_(limit) {
    // A little above the square, whose rounding could otherwise cut off a sum whose root
    // still rounds below the limit; and never below a few of the smallest normal numbers,
    // where the square of a tiny limit loses its precision (the root of any sum above them
    // exceeds such a limit).
    constexpr long double kMargin = 1 + 1e-12L;
    constexpr long double kFloor = 4 * std::numeric_limits<long double>::min();
    bound_ = std::max(limit * limit * kMargin, kFloor);  // NaN for a NaN limit: never shorter
}

bool ShorterThan::RootBelowLimit(long double sumOfSquares) const {
    return std::sqrt(sumOfSquares) < limit_;
}

bool DyDxStep(FormulaContext& context, TExprNode& f, Method method, long double& x, long double& y,
              long double h, bool infiniteSlopes) {
    const auto slopeAt = [&](long double px, long double py, long double& slope) {
        PutPoint(context, px, py);
        if (!context.Evaluate(f)) return false;
        slope = f.re;
        return true;
    };
    return DyDxStepWith(slopeAt, method, x, y, h, infiniteSlopes);
}

bool DyDxStep(FormulaContext& context, const TreeProgram& f, Method method, long double& x,
              long double& y, long double h, bool infiniteSlopes) {
    const auto slopeAt = [&](long double px, long double py, long double& slope) {
        PutPoint(context, px, py);
        return f.Evaluate(slope);
    };
    return DyDxStepWith(slopeAt, method, x, y, h, infiniteSlopes);
}

bool HigherOrderField::operator()(long double x, const long double* y, long double* dy) const {
    context_->SetVar(slot::kX, x);
    context_->SetVar(slot::kT, x);
    context_->SetVar(slot::kY, y[0]);
    for (int k = 0; k < order_; ++k) context_->derivState[static_cast<std::size_t>(k)] = y[k];
    long double value = 0;
    if (!f_.Evaluate(value)) return false;
    for (int k = 0; k + 1 < order_; ++k) dy[k] = y[k + 1];
    dy[order_ - 1] = value;
    return true;
}

}  // namespace quorlin::dynamics
