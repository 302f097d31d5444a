#include "plot2d/shading.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "core/random.h"
#include "examples/records/compile.h"
#include "plot2d/drawer_support.h"

namespace quorlin::plot2d {

using detail::EvalTree;
using detail::EvalTreeAt;
using examples::TExample;

namespace {

// Pixels a shaded region runs on beyond the view, so that its edges leave the picture.
constexpr long double kMarginPixels = 2;

// A region over x: at each column the plot y range [low, high] it covers, where defined.
struct TColumns {
    std::vector<long double> x;
    std::vector<long double> low;
    std::vector<long double> high;
    std::vector<bool> defined;

    void Resize(std::size_t n) {
        low.assign(n, 0);
        high.assign(n, 0);
        defined.assign(n, false);
    }
};

// The columns of the view's pixels within [a, b] (plot x), the ends included.
std::vector<long double> ColumnsOver(const TPlotSpace& space, long double a, long double b) {
    std::vector<long double> xs;
    if (!(b > a)) return xs;
    xs.push_back(a);
    const TPixelBox area = space.Area();
    for (long double px = std::ceil(space.ToPixel({a, 0}).x); px <= area.right; ++px) {
        const long double x = space.ToPlot({px, 0}).x;
        if (x >= b) break;
        if (x > a) xs.push_back(x);
    }
    xs.push_back(b);
    return xs;
}

// The plot y of an explicit example (its compiled tree 2) at plot x; the Lagrange coefficients
// of every polynomial among the boundaries are loaded by the caller.
bool CurveAt(const TreeProgram& f, const TPlotSpace& space, long double t, long double& y) {
    const long double x = space.ValueOfPlotX(t);
    long double value = 0;
    Vec2 p;
    if (!EvalTreeAt(f, slot::kX, x, value) || !space.ValueToPlot({x, value}, p)) return false;
    y = p.y;
    return true;
}

bool IsExplicit(const examples::TInventory& inventory, int index) {
    return inventory.IsIndex(index) && inventory[index].kind == examples::kind::kExplicit &&
           inventory[index].Tree(2);
}

// The x interval of a record in plot x: its interval (ends following their parameters) or
// the view, a margin wider.
std::pair<long double, long double> RecordInterval(TDrawEnvironment& env, const TShadeRecord& r,
                                                   const TPlotSpace& space) {
    const long double margin = kMarginPixels * space.UnitsPerPixelX();
    long double a = space.xLow - margin, b = space.xHigh + margin;
    if (r.intervalOn) {
        long double low = r.low, high = r.high;
        if (const int p = r.LowEndParameter()) low = env.formula.Var(p);
        if (const int p = r.HighEndParameter()) high = env.formula.Var(p);
        if (space.logX) {
            low = low > 0 ? std::log10(low) : a;
            high = high > 0 ? std::log10(high) : a;
        }
        a = std::max(a, low);
        b = std::min(b, high);
    }
    return {a, b};
}

// The region of one record at the columns.
void RecordColumns(TDrawEnvironment& env, const TShadeRecord& r, const TPlotSpace& space,
                   TColumns& c) {
    const long double margin = kMarginPixels * space.UnitsPerPixelY();
    const long double top = space.yHigh + margin, bottom = space.yLow - margin;
    c.Resize(c.x.size());
    if (!IsExplicit(env.inventory, r.first) ||
        (r.second >= 0 && !IsExplicit(env.inventory, r.second)))
        return;
    for (int index : {static_cast<int>(r.first), static_cast<int>(r.second)})
        if (index >= 0 && env.inventory[index].IsLagrangeExplicit())
            examples::LoadLagrangeCoefficients(env.inventory[index], env.formula);
    const auto [a, b] = RecordInterval(env, r, space);
    const TreeProgram first(env.formula, env.inventory[r.first].Tree(2).get());
    const TreeProgram second(env.formula,
                             r.second >= 0 ? env.inventory[r.second].Tree(2).get() : nullptr);
    for (std::size_t k = 0; k < c.x.size(); ++k) {
        const long double t = c.x[k];
        long double f = 0, g = 0;
        if (t < a || t > b || !CurveAt(first, space, t, f)) continue;
        if (r.second >= 0) {
            if (!CurveAt(second, space, t, g)) continue;
        } else if (r.second == TShadeRecord::kAbove) {
            g = top;
        } else if (r.second == TShadeRecord::kBelow) {
            g = bottom;
        } else {
            g = space.logY ? bottom : 0;  // down to the x-axis
        }
        c.low[k] = std::clamp(std::min(f, g), bottom, top);
        c.high[k] = std::clamp(std::max(f, g), bottom, top);
        c.defined[k] = c.high[k] > c.low[k];
    }
}

// A chain of plot points thinned in pixels.
class TChain : public TCurveSink {
public:
    explicit TChain(const TPlotSpace& space) : space_(space), thinner_(*this, 0.25L) {}
    void Add(Vec2 plot) { thinner_.Add(space_.ToPixel(plot), plot); }
    std::vector<Vec2> Take() {
        thinner_.Break();
        return std::move(points_);
    }
    void Point(Vec2 plot) override { points_.push_back(plot); }
    void Break() override {}

private:
    const TPlotSpace& space_;
    TPolylineThinner thinner_;
    std::vector<Vec2> points_;
};

// Each run of defined columns as one polygon: its upper edge forward, its lower edge back.
void FillColumns(TDrawTarget& target, const TColumns& c, int colour) {
    const TPlotSpace& space = target.Space();
    std::size_t k = 0;
    while (k < c.x.size()) {
        if (!c.defined[k]) {
            ++k;
            continue;
        }
        TChain upper(space), lower(space);
        std::size_t end = k;
        for (; end < c.x.size() && c.defined[end]; ++end) upper.Add({c.x[end], c.high[end]});
        for (std::size_t j = end; j-- > k;) lower.Add({c.x[j], c.low[j]});
        std::vector<Vec2> polygon = upper.Take();
        const std::vector<Vec2> back = lower.Take();
        polygon.insert(polygon.end(), back.begin(), back.end());
        if (polygon.size() >= 3) target.Fill(polygon, colour);
        k = end;
    }
}

// The hatch lines of a pattern: directions in pixels (dx, dy) and their spacing along x (along
// y for horizontal lines).
struct THatch {
    int dy;  // pixel y per pixel x: -1 "/", 1 "\", 0 "-"; 2 stands for vertical lines
    long double spacing;
};

std::vector<THatch> HatchesOf(int pattern) {
    switch (pattern) {
        case 1:
            return {{-1, 10}};
        case 2:
            return {{0, 8}, {2, 8}};
        case 3:
            return {{-1, 10}, {1, 10}};
        case 4:
            return {{1, 10}};
        case 5:
            return {{0, 8}};
        case 6:
            return {{2, 8}};
        case 7:
            return {{-1, 5}};
        case 8:
            return {{1, 5}};
        default:
            return {};
    }
}

// Hatches the region: each line of the pattern cut to the columns it passes inside.
void HatchColumns(TDrawTarget& target, const TColumns& c, int pattern) {
    const TPlotSpace& space = target.Space();
    const std::size_t n = c.x.size();
    std::vector<long double> px(n), top(n), bottom(n);
    for (std::size_t k = 0; k < n; ++k) {
        px[k] = space.ToPixel({c.x[k], 0}).x;
        top[k] = space.ToPixel({0, c.high[k]}).y;
        bottom[k] = space.ToPixel({0, c.low[k]}).y;
    }
    const TPixelBox area = space.Area().Widened(kMarginPixels);
    const auto segment = [&](Vec2 a, Vec2 b) {
        const Vec2 ends[] = {space.ToPlot(a), space.ToPlot(b)};
        target.Polyline(ends);
    };
    for (const THatch& h : HatchesOf(pattern)) {
        if (h.dy == 2) {  // vertical lines at the columns nearest to multiples of the spacing
            for (std::size_t k = 0; k < n; ++k) {
                const long double nearest = std::round(px[k] / h.spacing) * h.spacing;
                if (c.defined[k] && std::fabs(px[k] - nearest) < 0.5L)
                    segment({px[k], top[k]}, {px[k], bottom[k]});
            }
            continue;
        }
        // Lines y = dy x + q, q a multiple of the spacing, over the area.
        const long double q0 = std::min(area.top - h.dy * area.left, area.top - h.dy * area.right);
        const long double q1 =
            std::max(area.bottom - h.dy * area.left, area.bottom - h.dy * area.right);
        for (long double q = std::ceil(q0 / h.spacing) * h.spacing; q <= q1; q += h.spacing) {
            bool inside = false;
            Vec2 start;
            for (std::size_t k = 0; k <= n; ++k) {
                const Vec2 p = k < n ? Vec2{px[k], h.dy * px[k] + q} : Vec2{};
                const bool now = k < n && c.defined[k] && p.y >= top[k] && p.y <= bottom[k];
                if (now && !inside) start = p;
                if (!now && inside) {
                    const Vec2 last{px[k - 1], h.dy * px[k - 1] + q};
                    if (last.x > start.x) segment(start, last);
                }
                inside = now;
            }
        }
    }
}

void ShadeColumns(TDrawTarget& target, const TColumns& c, int colour, int pattern, bool fill) {
    if (fill || pattern == 0) {
        FillColumns(target, c, colour);
        return;
    }
    target.SetPen({static_cast<std::int16_t>(colour), 1, 0});
    HatchColumns(target, c, pattern);
}

// --- implicit regions ---

// A region F x side >= 0 of an implicit example, with F compiled for the scan that tests it
// (shared by the copies of the region).
struct TRegion {
    int index;
    std::shared_ptr<const TreeProgram> f;
    int side;
    int colour;
};

std::vector<TRegion> RegionsOf(FormulaContext& ctx, examples::TInventory& inventory) {
    std::vector<TRegion> regions;
    for (int i = 0; i <= inventory.LastIndex(); ++i) {
        TExample& e = inventory[i];
        if (e.kind == examples::kind::kImplicit && e.subKind != 0 && e.Tree(3))
            regions.push_back({i, std::make_shared<const TreeProgram>(ctx, e.Tree(3).get()),
                               e.subKind > 0 ? 1 : -1, e.listing});
    }
    return regions;
}

// Whether the point (values) lies in every given region: F x side >= 0 for each.
bool InRegions(FormulaContext& ctx, const std::vector<TRegion>& regions, Vec2 v) {
    ctx.SetVar(slot::kX, v.x);
    ctx.SetVar(slot::kY, v.y);
    for (const TRegion& r : regions) {
        long double f = 0;
        if (!EvalTree(*r.f, f) || f * r.side < 0) return false;
    }
    return true;
}

// The runs of the row at height y where at(x, y) holds, in pixels: the row is sampled
// coarsely, and each change between samples is placed by bisection.
template <typename At>
std::vector<std::pair<long double, long double>> RunsAlongRow(const At& at, const TPixelBox& area,
                                                              long double y) {
    constexpr long double kCoarse = 4;
    const auto edge = [&](long double a, long double b) {  // at(a) != at(b)
        const bool left = at(a, y);
        for (int n = 0; n < 4; ++n) {
            const long double m = (a + b) / 2;
            (at(m, y) == left ? a : b) = m;
        }
        return (a + b) / 2;
    };
    std::vector<std::pair<long double, long double>> runs;
    bool previous = at(area.left, y);
    long double start = area.left;
    for (long double x = area.left + kCoarse;; x += kCoarse) {
        const long double cx = std::min(x, area.right);
        const bool now = at(cx, y);
        if (now != previous) {
            const long double e = edge(cx - kCoarse, cx);
            if (now)
                start = e;
            else
                runs.emplace_back(start, e);
            previous = now;
        }
        if (cx >= area.right) break;
    }
    if (previous) runs.emplace_back(start, area.right);
    return runs;
}

// Scans the view in rows: the runs of each row where the test holds that follow each other
// from row to row grow into one polygon (its left edge down, its right edge back up).
template <typename Inside>
int FillByRows(TDrawTarget& target, Inside&& inside, int colour) {
    const TPlotSpace& space = target.Space();
    const TPixelBox area = space.Area();
    constexpr long double kRow = 2;
    struct TOpen {
        long double a, b;  // the last run, pixels
        std::vector<Vec2> left, right;
        bool matched;
    };
    std::vector<TOpen> open;
    const auto close = [&](TOpen& p, long double y) {
        p.left.push_back({p.a, y});
        p.right.push_back({p.b, y});
        std::vector<Vec2> polygon;
        for (Vec2 q : p.left) polygon.push_back(space.ToPlot(q));
        for (auto it = p.right.rbegin(); it != p.right.rend(); ++it)
            polygon.push_back(space.ToPlot(*it));
        target.Fill(polygon, colour);
    };
    const auto at = [&](long double px, long double py) {
        const Vec2 p = space.ToPlot({px, py});
        return inside(Vec2{space.ValueOfPlotX(p.x), space.ValueOfPlotY(p.y)});
    };
    for (long double y = area.top + kRow / 2; y < area.bottom + kRow / 2; y += kRow) {
        const std::vector<std::pair<long double, long double>> runs = RunsAlongRow(at, area, y);
        for (TOpen& p : open) p.matched = false;
        std::vector<TOpen> next;
        for (const auto& [a, b] : runs) {
            TOpen* match = nullptr;
            int overlaps = 0;
            for (TOpen& p : open)
                if (a <= p.b && b >= p.a) {
                    ++overlaps;
                    match = &p;
                }
            if (overlaps == 1 && !match->matched) {
                match->matched = true;
                match->left.push_back({match->a, y - kRow / 2});
                match->right.push_back({match->b, y - kRow / 2});
                match->a = a;
                match->b = b;
                continue;
            }
            next.push_back({a, b, {{a, y - kRow / 2}}, {{b, y - kRow / 2}}, true});
        }
        for (TOpen& p : open) {
            if (p.matched)
                next.push_back(std::move(p));
            else
                close(p, y - kRow / 2);
        }
        open = std::move(next);
        if (target.PollKey() == kKeyStop) return kKeyStop;
    }
    for (TOpen& p : open) close(p, area.bottom + kRow / 2);
    return 0;
}

}  // namespace

int DrawShadeList(TDrawEnvironment& env, const ShadeList& list, const TShadeOptions& options) {
    if (list.empty()) return 0;
    const TVariableTable saved = env.formula.vars;
    const TPlotSpace& space = env.target.Space();
    const long double margin = kMarginPixels * space.UnitsPerPixelX();
    TColumns c;
    c.x = ColumnsOver(space, space.xLow - margin, space.xHigh + margin);
    if (options.intersection) {
        // Where every shading holds: the highest low and the lowest high of them all.
        TColumns all = c;
        all.Resize(c.x.size());
        std::fill(all.low.begin(), all.low.end(), -INFINITY);
        std::fill(all.high.begin(), all.high.end(), INFINITY);
        std::fill(all.defined.begin(), all.defined.end(), true);
        for (const TShadeRecord& r : list) {
            RecordColumns(env, r, space, c);
            for (std::size_t k = 0; k < c.x.size(); ++k) {
                all.defined[k] = all.defined[k] && c.defined[k];
                all.low[k] = std::max(all.low[k], c.low[k]);
                all.high[k] = std::min(all.high[k], c.high[k]);
                all.defined[k] = all.defined[k] && all.high[k] > all.low[k];
            }
        }
        ShadeColumns(env.target, all, list.front().colour, list.front().Pattern(), options.fill);
    } else {
        for (auto it = list.rbegin(); it != list.rend(); ++it) {
            const auto [a, b] = RecordInterval(env, *it, space);
            c.x = ColumnsOver(space, a, b);
            RecordColumns(env, *it, space, c);
            ShadeColumns(env.target, c, it->colour, it->Pattern(), options.fill);
        }
    }
    env.formula.vars = saved;
    return env.target.PollKey() == kKeyStop ? kKeyStop : 0;
}

void FillShadeSolid(TDrawEnvironment& env, const TShadeRecord& record) {
    const TVariableTable saved = env.formula.vars;
    const TPlotSpace& space = env.target.Space();
    const auto [a, b] = RecordInterval(env, record, space);
    TColumns c;
    c.x = ColumnsOver(space, a, b);
    RecordColumns(env, record, space, c);
    FillColumns(env.target, c, record.colour);
    env.formula.vars = saved;
}

int ShadeImplicitRegions(TDrawEnvironment& env, const TRegionOptions& options) {
    if (options.mode != 0 && options.mode != 2) return 0;
    const std::vector<TRegion> regions = RegionsOf(env.formula, env.inventory);
    if (regions.empty()) return 0;
    const TVariableTable saved = env.formula.vars;
    int key = 0;
    if (options.mode == 0) {
        key = FillByRows(
            env.target, [&](Vec2 v) { return InRegions(env.formula, regions, v); },
            options.intersectionColour);
    } else {
        for (const TRegion& r : regions) {
            const std::vector<TRegion> one{r};
            key = FillByRows(
                env.target, [&](Vec2 v) { return InRegions(env.formula, one, v); }, r.colour);
            if (key != 0) break;
        }
    }
    env.formula.vars = saved;
    return key;
}

namespace {

// The hits of a throw as they are drawn: the first in each pixel of the space. Should the
// pixel map not fit in memory, no hit is kept, and the throw goes on.
class TDrawnHits {
public:
    TDrawnHits(const TPlotSpace& space, bool keep) : space_(space) {
        if (!keep || space.width < 1 || space.height < 1) return;
        try {
            seen_.assign(
                static_cast<std::size_t>(space.width) * static_cast<std::size_t>(space.height),
                false);
        } catch (const std::bad_alloc&) {
            seen_.clear();
        }
    }

    void Add(Vec2 plot, std::vector<Vec2>& hits) {
        if (seen_.empty()) return;
        const Vec2 pixel = space_.ToPixel(plot);
        const auto column =
            std::clamp<long>(std::lround(pixel.x) - space_.leftMargin, 0, space_.width - 1);
        const auto row =
            std::clamp<long>(std::lround(pixel.y) - space_.topMargin, 0, space_.height - 1);
        const auto at = static_cast<std::size_t>(row) * static_cast<std::size_t>(space_.width) +
                        static_cast<std::size_t>(column);
        if (seen_[at]) return;
        try {
            hits.push_back(plot);
            seen_[at] = true;
        } catch (const std::bad_alloc&) {
            seen_.clear();
        }
    }

private:
    const TPlotSpace& space_;
    std::vector<bool> seen_;  // by pixel; empty: nothing kept
};

}  // namespace

TDartThrow ThrowDarts(FormulaContext& ctx, examples::TInventory& inventory, const TPlotSpace& space,
                      long long count, int region, const std::function<int()>& pollKey,
                      bool keepHits) {
    TDartThrow result;
    std::vector<TRegion> regions = RegionsOf(ctx, inventory);
    if (region >= 0)
        std::erase_if(regions, [region](const TRegion& r) { return r.index != region; });
    if (regions.empty() || count < 1) return result;
    const TVariableTable saved = ctx.vars;
    const auto uniform = [] {
        return (static_cast<long double>(RandomInt()) + 0.5L) /
               (static_cast<long double>(kRandomMax) + 1);
    };
    TDrawnHits drawn(space, keepHits);
    Vec2 sum;
    while (result.thrown < count) {
        const Vec2 plot{space.xLow + (space.xHigh - space.xLow) * uniform(),
                        space.yLow + (space.yHigh - space.yLow) * uniform()};
        const Vec2 v{space.ValueOfPlotX(plot.x), space.ValueOfPlotY(plot.y)};
        ++result.thrown;
        if (InRegions(ctx, regions, v)) {
            sum = sum + v;
            ++result.hitCount;
            drawn.Add(plot, result.hits);
        }
        if (pollKey && pollKey() != 0) {
            result.stopped = true;
            break;
        }
    }
    ctx.vars = saved;
    if (!result.stopped && result.hitCount > 0)
        result.centroid = (1.0L / static_cast<long double>(result.hitCount)) * sum;
    return result;
}

}  // namespace quorlin::plot2d
