#pragma once
// The fixture of the drawing tests: a curve sink that records the pieces a drawer or the sampler
// hands on, in plot coordinates, with the closed-form checks every kind's test makes of them; an
// inventory compiled by the example compiler, and a canvas that records what the drawers hand it
// (pieces of curves, marks, arrows, fills) over a 401 x 401 pixel view of [-5, 5] x [-5, 5].
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>
#include <vector>

#include "examples/records/compile.h"
#include "examples/compile_fixture.h"
#include "plot2d/curve_pipe.h"
#include "plot2d/example_drawers.h"

namespace quorlin::plot2d {

inline constexpr long double kPi = std::numbers::pi_v<long double>;
// The view of every test: [-5, 5] both ways on 401 x 401 pixels, 40 pixels to the unit.
inline const TPlotSpace kView = TPlotSpace::Over(-5, 5, -5, 5, 401, 401);
inline constexpr long double kPixel = 0.025L;

class RecordingSink : public TCurveSink {
public:
    using Piece = std::vector<Vec2>;

    void Point(Vec2 plot) override {
        if (!open_) pieces.emplace_back();
        open_ = true;
        pieces.back().push_back(plot);
    }
    void Break() override { open_ = false; }

    // Calls f(a, b) for every drawn segment.
    template <class F>
    void ForEachSegment(F&& f) const {
        for (const Piece& p : pieces)
            for (std::size_t i = 1; i < p.size(); ++i) f(p[i - 1], p[i]);
    }
    // The y range the segments cover over the x interval [x0, x1].
    std::pair<long double, long double> YRangeOver(long double x0, long double x1) const {
        long double lo = INFINITY, hi = -INFINITY;
        ForEachSegment([&](Vec2 a, Vec2 b) {
            if (std::max(a.x, b.x) < x0 || std::min(a.x, b.x) > x1) return;
            lo = std::min({lo, a.y, b.y});
            hi = std::max({hi, a.y, b.y});
        });
        return {lo, hi};
    }

    std::vector<Piece> pieces;

private:
    bool open_ = false;
};

inline long double DistanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 d = b - a;
    const long double l2 = d.x * d.x + d.y * d.y;
    const long double s =
        l2 == 0 ? 0 : std::clamp(((p.x - a.x) * d.x + (p.y - a.y) * d.y) / l2, 0.0L, 1.0L);
    const Vec2 f = a + s * d;
    return std::hypot(p.x - f.x, p.y - f.y);
}

// A curve's closed form: its point at the parameter t.
using ClosedForm = std::function<Vec2(long double)>;

// The ellipse about the centre with half-axes a and b along x and y, by its angle; the graph of
// a function, by x.
inline ClosedForm Ellipse(Vec2 centre, long double a, long double b) {
    return [=](long double t) { return centre + Vec2{a * std::cos(t), b * std::sin(t)}; };
}
inline ClosedForm Graph(long double (*f)(long double)) {
    return [=](long double x) { return Vec2{x, f(x)}; };
}

// The distance of p from the curve f over [t0, t1]: the nearest of fine samples, refined by
// ternary search about it.
inline long double DistanceToCurve(Vec2 p, const ClosedForm& f, long double t0, long double t1) {
    constexpr int n = 2000;
    const auto at = [&](long double t) { return std::hypot(f(t).x - p.x, f(t).y - p.y); };
    const auto t = [&](int k) { return t0 + (t1 - t0) * std::clamp(k, 0, n) / n; };
    int best = 0;
    for (int k = 1; k <= n; ++k)
        if (at(t(k)) < at(t(best))) best = k;
    long double lo = t(best - 1), hi = t(best + 1);
    for (int i = 0; i < 80; ++i) {
        const long double a = lo + (hi - lo) / 3, b = hi - (hi - lo) / 3;
        (at(a) < at(b) ? hi : lo) = at(a) < at(b) ? b : a;
    }
    return std::min(at(t(best)), at((lo + hi) / 2));  // a jump may lie beside the best sample
}

// Every drawn point inside |x|, |y| <= 5 lies within `tolerance` of the curve f over [t0, t1],
// and (with `chords`) the middle of every segment within a pixel: nothing is drawn across a pole
// or a jump. With a gap, every point of the curve lies within it of a drawn segment: no gap is
// left.
inline void ExpectOnCurve(const RecordingSink& sink, const ClosedForm& f, long double t0,
                          long double t1, long double tolerance = kPixel, long double gap = 0,
                          bool chords = true) {
    ASSERT_FALSE(sink.pieces.empty());
    const auto near = [&](Vec2 p, long double within) {
        ASSERT_TRUE(std::fabs(p.x) > 5 || std::fabs(p.y) > 5 ||
                    DistanceToCurve(p, f, t0, t1) <= within)
            << (double)p.x << ", " << (double)p.y;
    };
    for (const auto& piece : sink.pieces)
        for (Vec2 p : piece) near(p, tolerance);
    if (chords)
        sink.ForEachSegment(
            [&](Vec2 a, Vec2 b) { near(0.5L * (a + b), std::max(tolerance, kPixel)); });
    for (int k = 0; gap > 0 && k <= 720; ++k) {
        const Vec2 q = f(t0 + (t1 - t0) * k / 720);
        long double best = INFINITY;
        sink.ForEachSegment(
            [&](Vec2 u, Vec2 v) { best = std::min(best, DistanceToSegment(q, u, v)); });
        ASSERT_LE(best, gap) << "t = " << (double)(t0 + (t1 - t0) * k / 720);
    }
}

// A trajectory record of the kind from a start, traced by Runge-Kutta in pen colour 5.
inline examples::TTrajectory TrajectoryRecord(int kind, Vec2 start, long double endTime,
                                              long double step = 0) {
    examples::TTrajectory t;
    t.kind = static_cast<std::uint16_t>(kind);
    t.startX = start.x;
    t.startY = start.y;
    t.endTime = endTime;
    t.treeOf = {0, 1, -1};
    t.option1 = 2;
    t.step = step;
    t.pen = {5, 1, 0};
    return t;
}

class RecordingCanvas : public TPlotCanvas {
public:
    explicit RecordingCanvas(TPlotSpace space) : space_(space) {}

    const TPlotSpace& Space() const override { return space_; }
    void SetPen(const examples::TPenSpec& pen) override { pens.push_back(pen); }
    void BeginCurve() override {}
    void EndCurve() override { curve.Break(); }
    void Point(Vec2 plot) override { curve.Point(plot); }
    void Break() override { curve.Break(); }
    void Marker(Vec2 plot, int, bool filled) override {
        marks.push_back(plot);
        marksFilled.push_back(filled);
    }
    void ArrowHead(Vec2 tip, Vec2 direction, int, bool) override {
        arrows.emplace_back(tip, direction);
    }
    void Polygon(std::span<const Vec2> corners, int colour) override {
        fills.emplace_back(corners.begin(), corners.end());
        fillColours.push_back(colour);
    }
    int PollKey() override { return 0; }
    bool Polling() const override { return false; }

    void Clear() { *this = RecordingCanvas(space_); }

    RecordingSink curve;
    std::vector<examples::TPenSpec> pens;
    std::vector<Vec2> marks;
    std::vector<bool> marksFilled;
    std::vector<std::pair<Vec2, Vec2>> arrows;  // tip, direction
    std::vector<std::vector<Vec2>> fills;
    std::vector<int> fillColours;

private:
    TPlotSpace space_;
};

class DrawerTest : public ::testing::Test {
protected:
    // Appends an example of the kind (with the defaults of a new one) with texts 1, 2, ... as
    // given, lets `setup` set more fields, compiles it and returns its index.
    int Add(int kindCode, std::initializer_list<const char*> texts,
            const std::function<void(examples::TExample&)>& setup = {}) {
        examples::TExample e;
        e.Init(kindCode, 3, 50);
        return examples::AddCompiled(inventory, compiler, std::move(e), texts, setup);
    }
    NodePtr Parsed(const char* text) {
        EXPECT_EQ(ctx.Parse(text), 0) << text;
        return ctx.TakeParseResult();
    }
    // Draws example i afresh; the Lagrange polynomial `picking` shows its points.
    int Draw(int i, int picking = -1) {
        canvas.Clear();
        env.lagrangeExample = picking;
        const long long before = target.Evaluations();
        const int key = DrawExample2D(env, i);
        evaluations = target.Evaluations() - before;
        return key;
    }
    const RecordingSink& Curve() const { return canvas.curve; }

    FormulaContext ctx;
    examples::TInventory inventory;
    examples::TExampleCompiler compiler{inventory, ctx};
    RecordingCanvas canvas{kView};
    TKindDrawers drawers = TKindDrawers::Standard();
    TCanvasTarget target{canvas};
    TDrawEnvironment env{ctx, inventory, target, drawers};
    long long evaluations = 0;
};

}  // namespace quorlin::plot2d
