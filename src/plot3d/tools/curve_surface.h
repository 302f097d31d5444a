#pragma once
// The search of the curve-surface intersection tool: the surface as a function g(x, y, z) that
// is zero on it (a surface z = f(x, y), an implicit surface, a plane), the space curve put into
// it as h(t) = g(x(t), y(t), z(t)), and the curve's parameter range scanned in 101 subintervals
// for a change of sign of h. Each request goes on from the subinterval after the one that gave
// the last point and wraps at the end of the range, so one request scans the range at most once.
#include <array>
#include <functional>
#include <optional>

#include "core/vectors.h"
#include "examples/records/compile.h"
#include "formula/formula_context.h"

namespace quorlin::plot3d {

// The surface kinds the tool meets a curve with, and the curve kind.
inline constexpr std::array kCurveSurfaceSurfaceKinds{301, 305, 315};
inline constexpr std::array kCurveSurfaceCurveKinds{304};

// g(x, y, z) of surface example i, zero on the surface; null when it has none (another kind, a
// formula that did not compile, a plane without its mesh).
NodePtr SurfaceFunction(const examples::TExampleCompiler& compiler,
                        const examples::TInventory& inventory, int i);

// What one request looks at: g, the curve's components x(t), y(t), z(t), its parameter range,
// and where a point counts (empty: everywhere).
struct TCurveSurfaceProblem {
    const TExprNode* surface = nullptr;
    std::array<TExprNode*, 3> curve{};
    long double tLow = 0;
    long double tHigh = 1;
    std::function<bool(const Vec3&)> inBox;
};

struct TCurveSurfacePoint {
    long double t = 0;
    Vec3 at;
};

class TCurveSurfaceSearch {
public:
    static constexpr int kSubintervals = 101;

    void Restart() { next_ = 0; }
    // The subinterval the next request starts with, 0..100.
    int NextSubinterval() const { return next_; }
    // The next point where the curve crosses the surface; nothing when the scan found none, or
    // its point lies outside the box (the scan has moved on all the same). The variables of the
    // context are as they were before.
    std::optional<TCurveSurfacePoint> Next(FormulaContext& f, const TCurveSurfaceProblem& p);

private:
    std::optional<long double> ScanForRoot(FormulaContext& f, TExprNode& h, long double low,
                                           long double step);

    int next_ = 0;
};

}  // namespace quorlin::plot3d
