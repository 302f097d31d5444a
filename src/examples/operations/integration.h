#pragma once
// Numerical integration of expression trees, without a window: the six composite sums of one
// integrand at once (left, midpoint, right, trapezoid, Simpson and random point), the composite
// Simpson rule, the iterated Simpson double integral over a rectangle and its polar form, and
// the integrands the tools build from examples: the speed of a curve (its arc length), the line
// integral of a vector field along a curve, the flux of a field through a parametric surface and
// the area element of a surface.
//
// Every sum asks a TSumControl after each subinterval whether it must stop (the key Q, or a
// bound of work when keys are not polled). The sums return 0, kKeyStop when they were
// stopped (partial results are scaled as complete ones are), kErrOutOfBounds for a count below
// 1, or kErrUndefinedIntegrand when the integrand is undefined (or of 1e18 and more) at a point
// inside the interval they need, or a sum reaches 1e18: such a value is reported, never summed.
// At an end of the interval, where a textbook integrand is often undefined (sin x / x at 0),
// its one-sided limit stands in when it has one. Every node is built from its index, so a pole
// on a node is met exactly. The variable slots a sum sets are given their old values back when
// it ends.
#include <array>
#include <chrono>
#include <functional>

#include "core/errors.h"
#include "core/timed_poll.h"
#include "examples/records/example.h"
#include "formula/formula_context.h"

namespace quorlin::examples {

// "cannot approximate this": the integrand is undefined at a point the rule needs.
inline constexpr int kErrUndefinedIntegrand = 106;

// How a long sum learns that it must end; asked after every subinterval.
class TSumControl {
public:
    virtual ~TSumControl() = default;
    virtual bool Stop() = 0;
};

// Stops on the key Q through a key poll; other keys do not stop a sum. Without a poll (the
// window does not poll keys: animation frames, exports) it stops once the sum has worked for
// unpolledLimit. The poll is asked at most once every pollInterval.
class TKeyPollControl : public TSumControl {
public:
    using Clock = TTimedPoll::Clock;
    static constexpr std::chrono::milliseconds kPollInterval = TTimedPoll::kInterval;
    static constexpr std::chrono::milliseconds kUnpolledLimit{2000};

    explicit TKeyPollControl(std::function<int()> pollKey,
                             Clock::duration pollInterval = kPollInterval,
                             Clock::duration unpolledLimit = kUnpolledLimit);
    bool Stop() override;

private:
    TTimedPoll poll_;
    Clock::duration unpolledLimit_;
    Clock::time_point start_;
    bool stopped_ = false;
};

// The six sums in the order the window keeps them.
enum class SumRule { Left, Midpoint, Right, Trapezoid, Simpson, Random };
inline constexpr int kSumRules = 6;
using TSums = std::array<long double, kSumRules>;
inline long double& SumOf(TSums& sums, SumRule rule) {
    return sums[static_cast<std::size_t>(rule)];
}

// One variable of integration: its slot, its interval and its number of subintervals.
struct TIntegrationAxis {
    int slot = slot::kX;
    long double low = 0;
    long double high = 1;
    int count = 1;
};

// The six sums of the tree over the axis. random01 gives the place of the random point in each
// subinterval, strictly inside (0, 1). The last right end is exactly the axis' high end.
int RiemannSums(FormulaContext& f, TExprNode& tree, const TIntegrationAxis& axis,
                const std::function<long double()>& random01, TSumControl& control, TSums& out);

// The one-sided limit at an end of the axis of a function undefined at that end itself (sin x / x
// at 0): read at two points just inside and taken when the readings agree. False when a reading
// fails or they disagree (the function grows without bound there). The sums take it for the
// ends; a drawing of their cells takes it too.
bool OneSidedLimit(const std::function<bool(long double x, long double& y)>& at,
                   const TIntegrationAxis& axis, bool lowEnd, long double& out);

// The composite Simpson rule of the tree over the axis.
int SimpsonIntegral(FormulaContext& f, TExprNode& tree, const TIntegrationAxis& axis,
                    TSumControl& control, long double& out);

// The iterated composite Simpson rule: over the outer axis of the Simpson integrals over the
// inner axis.
int DoubleIntegral(FormulaContext& f, TExprNode& tree, const TIntegrationAxis& inner,
                   const TIntegrationAxis& outer, TSumControl& control, long double& out);

// The double integral of R times the tree, R inner over r, T outer over t (the slots of the
// axes are R and T whatever they say).
int DoubleIntegralPolar(FormulaContext& f, const TExprNode& tree, TIntegrationAxis r,
                        TIntegrationAxis t, TSumControl& control, long double& out);

// --- integrands built from examples (null when a tree they need is missing) ---

// The speed of a curve example (201: in x, others in t): sqrt(x'^2 + y'^2 (+ z'^2 in 3D)) from
// its derivative trees 5, 6 (and 7), simplified.
NodePtr SpeedTree(FormulaContext& f, const TExample& curve, int dimension);
// The variable the arc length of a curve example runs over: X for an explicit curve, else T.
int CurveVariable(const TExample& curve);

// The integrand of the line integral of a field (a dx/dt system) along a curve in t:
// F(c(t)) . c'(t), in 2D from trees 1, 2 and 5, 6; in 3D from trees 1-3 and 5-7.
NodePtr LineIntegrand(const TExample& field, const TExample& curve, int dimension);

// The integrand of the flux of a 3D field through a parametric surface in t and u:
// F(S(t, u)) . (S_t x S_u).
NodePtr FluxIntegrand(FormulaContext& f, const TExample& field, const TExample& surface);

// The area element of a surface example and the variables it is integrated in: explicit (301)
// in x inner, y outer; cylindrical (302) in r inner, t outer (the element includes the factor
// r of the polar form); parametric (303) in t inner, u outer.
struct TAreaIntegrand {
    NodePtr tree;
    int innerSlot = slot::kX;
    int outerSlot = slot::kY;
};
// Nothing (a null tree) for the other kinds.
TAreaIntegrand AreaIntegrand(FormulaContext& f, const TExample& surface);

}  // namespace quorlin::examples
