#include "tools2d/integration/riemann_overlay.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/errors.h"
#include "examples/operations/integration.h"

namespace quorlin::tools2d {

namespace {

constexpr int kPixelsPerCell = 4;
constexpr int kSolidPixelsPerCell = 3;
constexpr long double kArcStepsPerUnit = 0.06L;

// The values one cell needs of one curve.
struct TCellValues {
    long double left = 0, right = 0, middle = 0, random = 0;
    bool defined = true;
};

// One cell of the sweep.
struct TCell {
    long double x0 = 0, x1 = 0;
    TCellValues f, g;
};

class TOverlayPainter {
public:
    TOverlayPainter(plot2d::TDrawTarget& target, const TOverlayJob& job)
        : target_(target), job_(job), space_(target.Space()) {}

    void Cell(const TCell& cell) {
        const auto [fLeft, fRight] = Heights(cell.f);
        const auto [gLeft, gRight] = Heights(cell.g);
        Side(cell.x0, gLeft, fLeft);
        Side(cell.x1, gRight, fRight);
        Edge(cell, cell.f, fLeft, fRight);
        Edge(cell, cell.g, gLeft, gRight);
    }

private:
    std::pair<long double, long double> Heights(const TCellValues& v) const {
        switch (job_.rule) {
            case OverlayRule::Left:
                return {v.left, v.left};
            case OverlayRule::Midpoint:
                return {v.middle, v.middle};
            case OverlayRule::Right:
                return {v.right, v.right};
            case OverlayRule::Random:
                return {v.random, v.random};
            default:
                return {v.left, v.right};
        }
    }
    long double Held(long double y) const { return std::clamp(y, space_.yLow, space_.yHigh); }
    bool Inside(long double y) const { return y >= space_.yLow && y <= space_.yHigh; }

    void Side(long double x, long double from, long double to) {
        const Vec2 ends[] = {{x, Held(from)}, {x, Held(to)}};
        target_.Polyline(ends);
    }
    // The top or bottom of a cell; an edge beyond the view is not drawn.
    void Edge(const TCell& cell, const TCellValues& v, long double left, long double right) {
        if (!Inside(left) || !Inside(right)) return;
        if (job_.rule == OverlayRule::Parabolic) {
            Arc(cell, v);
            return;
        }
        const Vec2 ends[] = {{cell.x0, left}, {cell.x1, right}};
        target_.Polyline(ends);
    }
    // The parabola through the ends and the middle, stopping where it leaves the view.
    void Arc(const TCell& cell, const TCellValues& v) {
        const long double h = cell.x1 - cell.x0;
        const long double mid = (cell.x0 + cell.x1) / 2;
        const long double a = 2 * (v.left + v.right - 2 * v.middle) / (h * h);
        const long double b = (v.right - v.left) / h;
        const auto y = [&](long double x) { return (a * (x - mid) + b) * (x - mid) + v.middle; };
        const long double perPixel = space_.UnitsPerPixelX();
        const int k =
            std::max(2, 2 * static_cast<int>(std::lround(kArcStepsPerUnit * h / perPixel)));
        std::vector<Vec2> points;
        for (int j = 0; j <= k; ++j) {
            const long double x = j == k ? cell.x1 : cell.x0 + j * h / k;
            const long double value = y(x);
            if (!Inside(value)) break;
            points.push_back({x, value});
        }
        if (points.size() > 1) target_.Polyline(points);
    }

    plot2d::TDrawTarget& target_;
    const TOverlayJob& job_;
    const plot2d::TPlotSpace& space_;
};

bool ValueAt(const CurveValue& curve, long double x, long double& y) {
    if (!curve) {
        y = 0;
        return true;
    }
    return curve(x, y) && std::isfinite(y);
}

// The curve's value at x of the job's interval in `cells`; at an end where it is undefined only
// there, its limit from inside, as the sums take it (the first cell of sin x / x from 0).
bool CurveAt(const CurveValue& curve, const TOverlayJob& job, int cells, long double x,
             long double& y) {
    if (ValueAt(curve, x, y)) return true;
    if (x != job.low && x != job.high) return false;
    const auto defined = [&curve](long double t, long double& v) { return ValueAt(curve, t, v); };
    return examples::OneSidedLimit(defined, {slot::kX, job.low, job.high, cells}, x == job.low, y);
}

TCellValues ValuesOf(const CurveValue& curve, const TOverlayJob& job, int cells, long double x0,
                     long double x1, long double xr) {
    TCellValues v;
    v.defined = CurveAt(curve, job, cells, x0, v.left) && CurveAt(curve, job, cells, x1, v.right) &&
                ValueAt(curve, (x0 + x1) / 2, v.middle) && ValueAt(curve, xr, v.random);
    return v;
}

// The region between f and g filled, sampled at the pixel columns of the interval.
void FillRegion(plot2d::TDrawTarget& target, const TOverlayJob& job) {
    const long double step = target.Space().UnitsPerPixelX();
    const int columns = std::max(1, static_cast<int>(std::ceil((job.high - job.low) / step)));
    std::vector<Vec2> top, bottom;
    for (int i = 0; i <= columns; ++i) {
        const long double x = i == columns ? job.high : job.low + i * step;
        long double f = 0, g = 0;
        if (!ValueAt(job.f, x, f) || !ValueAt(job.g, x, g)) continue;
        top.push_back({x, f});
        bottom.push_back({x, g});
    }
    std::vector<Vec2> corners(top.begin(), top.end());
    corners.insert(corners.end(), bottom.rbegin(), bottom.rend());
    if (corners.size() > 2) target.Fill(corners, job.colour);
}

}  // namespace

int OverlayCellCount(int subintervals, int areaWidth) {
    const int widest = std::max(1, areaWidth / kPixelsPerCell);
    return std::clamp(subintervals, 1, widest);
}

TOverlayResult DrawRiemannOverlay(plot2d::TDrawTarget& target, const TOverlayJob& job) {
    TOverlayResult result;
    const plot2d::TPlotSpace& space = target.Space();
    const int m = OverlayCellCount(job.subintervals, space.width);
    const long double pixelsLow = space.ToPixel({job.low, 0}).x;
    const long double pixelsHigh = space.ToPixel({job.high, 0}).x;
    const bool cells = pixelsHigh > pixelsLow + kSolidPixelsPerCell * m;
    target.Comment("begin Riemann overlay");
    target.SetPen({static_cast<std::int16_t>(job.colour), 1, 0});
    if (!cells) {
        FillRegion(target, job);
        result.solid = true;
        return result;
    }
    TOverlayPainter painter(target, job);
    long double x0 = job.low;
    for (int i = 1; i <= m; ++i) {
        // From its index, as the sums place their nodes: the cells meet the curve where they do.
        const long double x1 = i == m ? job.high : job.low + i * (job.high - job.low) / m;
        const long double xr = x0 + (x1 - x0) * (job.random01 ? job.random01() : 0.5L);
        TCell cell{x0, x1, ValuesOf(job.f, job, m, x0, x1, xr),
                   ValuesOf(job.g, job, m, x0, x1, xr)};
        if (cell.f.defined && cell.g.defined) {
            painter.Cell(cell);
            ++result.cells;
        }
        x0 = x1;
        if (target.PollKey() == kKeyStop) {
            result.stop = kKeyStop;
            break;
        }
    }
    return result;
}

}  // namespace quorlin::tools2d
