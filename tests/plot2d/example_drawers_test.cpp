#include "plot2d/example_drawers.h"

#include <gtest/gtest.h>

#include "drawer_fixture.h"
#include "examples/example.h"
#include "plot2d/map_drawing.h"
#include "plot2d/orbital.h"

namespace quorlin::plot2d {
namespace {

namespace k = examples::kind;

// No drawn segment spans one of the x values.
void ExpectNothingAcross(const RecordingSink& sink, std::initializer_list<long double> xs) {
    sink.ForEachSegment([&](Vec2 a, Vec2 b) {
        for (long double x : xs) ASSERT_FALSE(std::min(a.x, b.x) < x && x < std::max(a.x, b.x));
    });
}

TEST_F(DrawerTest, ExplicitCurvesFollowTheirFormulas) {
    struct Case {
        const char* text;
        long double (*f)(long double);
        std::initializer_list<long double> breaks;
        std::size_t pieces;
    };
    const Case cases[] = {
        {"sin(x)", [](long double x) { return std::sin(x); }, {}, 1},
        {"tan(x)", [](long double x) { return std::tan(x); }, {-kPi / 2, kPi / 2, 3 * kPi / 2}, 5},
        {"1/x", [](long double x) { return 1 / x; }, {0}, 2},
        // The view runs a pixel beyond -5 and 5: floor takes 11 values there.
        {"floor(x)",
         [](long double x) { return std::floor(x); },
         {-5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5},
         11},
        {"sqrt(4-x^2)", [](long double x) { return std::sqrt(4 - x * x); }, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const int i = Add(k::kExplicit, {"", c.text});
        EXPECT_EQ(Draw(i), 0);
        ExpectOnGraph(c.f);
        ExpectNothingAcross(Curve(), c.breaks);
        EXPECT_EQ(Curve().pieces.size(), c.pieces);
    }
}

TEST_F(DrawerTest, DensityAndJumpDetectionOfTheRecord) {
    const int floor = Add(k::kExplicit, {"", "floor(x)"}, [](examples::TExample& e) {
        e.jumpsOff = 1;
        e.density = 0;  // counts as 1
    });
    Draw(floor);
    EXPECT_EQ(Curve().pieces.size(), 1u);  // joined across its steps
    const int coarse =
        Add(k::kExplicit, {"", "x^2/4"}, [](examples::TExample& e) { e.density = -8; });
    Draw(coarse);
    const long long coarseCost = evaluations;
    ExpectOnGraph([](long double x) { return x * x / 4; });
    inventory[coarse].density = 4;
    Draw(coarse);
    EXPECT_GT(evaluations, 2 * coarseCost);
}

TEST_F(DrawerTest, LockedPeriodicAndLagrangeForms) {
    // Locked to [-1, 2] with a solid circle at the low end and a hollow arrow at the high end.
    const int locked =
        Add(k::kExplicit, {"", "x", "", "", "", "", "-1;2"}, [](examples::TExample& e) {
            e.lockInterval = 1;
            e.SetEndMark(0, {examples::TEndMark::Shape::kCircle, 4, true});
            e.SetEndMark(1, {examples::TEndMark::Shape::kArrow, 3, false});
        });
    EXPECT_EQ(examples::TExample().EndMark(0).shape, examples::TEndMark::Shape::kNone);
    Draw(locked);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    EXPECT_NEAR(Curve().pieces[0].front().x, -1, 1e-9);
    EXPECT_NEAR(Curve().pieces[0].back().x, 2, 1e-9);
    ASSERT_EQ(canvas.marks.size(), 1u);
    EXPECT_NEAR(canvas.marks[0].at.x, -1, 1e-9);
    ASSERT_EQ(canvas.arrows.size(), 1u);
    EXPECT_GT(canvas.arrows[0].direction.x, 0);  // pointing on, away from the curve

    // x^2 repeated with period 1 from 0: one piece per period (the view runs a pixel beyond
    // -5 and 5), never joined across its jumps.
    const int periodic = Add(k::kExplicit, {"", "x^2", "", "", "", "", "0;1"},
                             [](examples::TExample& e) { e.periodic = 1; });
    Draw(periodic);
    EXPECT_EQ(Curve().pieces.size(), 12u);
    ExpectOnGraph([](long double x) { return (x - std::floor(x)) * (x - std::floor(x)); });
    ExpectNothingAcross(Curve(), {-2, -1, 0, 1, 2, 3});

    // The polynomial through (-1, 1), (0, 0), (2, 4) is x^2; its points show while picked.
    const int lagrange = Add(k::kLagrange, {}, [](examples::TExample& e) {
        e.word32 = 2;
        e.points[0] = {-1, 1, 0};
        e.points[1] = {0, 0, 0};
        e.points[2] = {2, 4, 0};
    });
    Draw(lagrange);
    ExpectOnGraph([](long double x) { return x * x; });
    EXPECT_TRUE(canvas.marks.empty());
    TCanvasTarget target(canvas);
    TDrawEnvironment env{ctx, inventory, target, drawers, lagrange};
    canvas.Clear();
    DrawExample2D(env, lagrange);
    EXPECT_EQ(canvas.marks.size(), 3u);
}

TEST_F(DrawerTest, PolarAndParametricCurves) {
    // The spiral r = t/2 over [0, 3 pi]: each point at distance t/2 in the direction t.
    const int spiral = Add(k::kPolar, {"", "", "t/2", "", "", "", "0;3pi"});
    Draw(spiral);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    long double turned = 0;
    Vec2 previous = Curve().pieces[0].front();
    for (Vec2 p : Curve().pieces[0]) {
        turned +=
            std::remainder(std::atan2(p.y, p.x) - std::atan2(previous.y, previous.x), 2 * kPi);
        previous = p;
        const long double t = 2 * std::hypot(p.x, p.y);
        EXPECT_NEAR((double)(turned), (double)t, 0.05) << (double)p.x;
    }
    // The same spiral as a parametric curve in polar form, with an arrow at t = pi.
    const int polarForm =
        Add(k::kParametric, {"t/2", "t", "", "", "", "pi", "0;3pi"}, [](examples::TExample& e) {
            e.byte60 = 1;
            e.byte58 = 1;
        });
    const auto spiralPoints = Curve().pieces[0];
    Draw(polarForm);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    EXPECT_NEAR(Curve().pieces[0].back().x, spiralPoints.back().x, 1e-9);
    ASSERT_EQ(canvas.arrows.size(), 1u);
    EXPECT_NEAR(canvas.arrows[0].tip.x, -kPi / 2, 1e-9);
    EXPECT_LT(canvas.arrows[0].direction.y, 0);  // turning on, counter-clockwise

    // Positive r only: the rose r = cos(2t) loses its negative petals.
    const int rose = Add(k::kPolar, {"", "", "cos(2t)", "", "", "", "0;2pi"},
                         [](examples::TExample& e) { e.restrictOn = 1; });
    Draw(rose);
    EXPECT_EQ(Curve().pieces.size(), 3u);  // the first and last quarter petals join at t = 0
    Curve().ForEachSegment([](Vec2 a, Vec2) {
        const long double t = std::atan2(a.y, a.x);
        EXPECT_GT(std::cos(2 * t), -0.05L);
    });
}

TEST_F(DrawerTest, AntiderivativeOfCosineIsSine) {
    const int i = Add(k::kIntegral, {"0", "cos(x)"});
    inventory[i].Tree(1) = Parsed("0");
    inventory[i].Tree(2) = Parsed("cos(x)");
    Draw(i);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    ExpectOnGraph([](long double x) { return std::sin(x); }, 1e-3L * kPixel);
    // From a lower limit of 1, 1/x integrates to ln x right of 0 and to nothing left of it.
    inventory[i].Tree(1) = Parsed("1");
    inventory[i].Tree(2) = Parsed("1/x");
    Draw(i);
    ExpectOnGraph([](long double x) { return std::log(x); }, 1e-3L * kPixel);
    for (const auto& piece : Curve().pieces)
        for (Vec2 p : piece) EXPECT_GT(p.x, 0);
}

TEST_F(DrawerTest, ARouletteOnALineIsACycloid) {
    // The circle of radius 1 rolls on the x-axis from t = 0 to 2 pi, arm 1, on the left side.
    // Its trees are its parent's, as the roulette tool copies them.
    const int i = Add(k::kRoulette, {});
    examples::TExample& e = inventory[i];
    e.rangeLow[0] = 0;
    e.rangeHigh[0] = 2 * kPi;
    e.NumberAt(281) = 0;
    e.NumberAt(291) = 1;
    e.NumberAt(301) = 1;
    e.byte55 = 1;
    e.Tree(1) = Parsed("t");
    e.Tree(2) = Parsed("0");
    e.Tree(5) = Parsed("1");
    e.Tree(6) = Parsed("0");
    Draw(i);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    for (Vec2 p : Curve().pieces[0]) {
        if (p.x > 5) continue;  // cut at the border
        // x = t - sin t is increasing: find t by bisection, then y = 1 - cos t.
        long double lo = 0, hi = 2 * kPi;
        for (int n = 0; n < 80; ++n) {
            const long double mid = (lo + hi) / 2;
            (mid - std::sin(mid) < p.x ? lo : hi) = mid;
        }
        EXPECT_NEAR((double)p.y, (double)(1 - std::cos(lo)), 1e-6);
    }
    EXPECT_GT(Curve().pieces[0].back().x, 5);  // on beyond the view
    // On the right side it rolls below the line.
    inventory[i].byte55 = 0;
    Draw(i);
    for (Vec2 p : Curve().pieces[0]) EXPECT_LE(p.y, 1e-12);
}

TEST_F(DrawerTest, SegmentsLinesPointsAndPlotPoints) {
    const int segment = Add(k::kSegment, {"-2", "1", "3", "-1"}, [](examples::TExample& e) {
        e.word32 = 3;  // arrows at both ends
        e.pen.style = 2;
    });
    Draw(segment);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    EXPECT_EQ(Curve().pieces[0].size(), 2u);
    EXPECT_EQ(canvas.arrows.size(), 2u);
    EXPECT_EQ(canvas.pens.back().style, 2);  // dashed

    const int line = Add(k::kLine, {"1", "2", "3"});  // y = (3 - x) / 2 across the view
    Draw(line);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    EXPECT_EQ(Curve().pieces[0].size(), 2u);
    ExpectOnGraph([](long double x) { return (3 - x) / 2; }, 1e-12L);
    const int vertical = Add(k::kLine, {"2", "0", "3"});
    Draw(vertical);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    EXPECT_NEAR(Curve().pieces[0][0].x, 1.5, 1e-12);

    const int point = Add(k::kPoint, {"1", "pi/2"}, [](examples::TExample& e) { e.byte58 = 1; });
    Draw(point);
    ASSERT_EQ(canvas.marks.size(), 1u);
    EXPECT_NEAR(canvas.marks[0].at.y, 1, 1e-12);

    const int parent = Add(k::kExplicit, {"", "x^2"});
    const int points = Add(k::kPlotPoints, {}, [&](examples::TExample& e) {
        e.derivation = 99;
        e.parent[0] = static_cast<std::int16_t>(parent);
        e.subKind = k::kExplicit;
        e.letter36 = 3;
        e.letter38 = slot::kX;
        e.values[0] = -1;
        e.values[1] = 0.5L;
        e.values[2] = 2;
    });
    inventory[points].Tree(2) = Parsed("x^2");  // the parent's trees, as the tool copies them
    Draw(points);
    ASSERT_EQ(canvas.marks.size(), 3u);
    EXPECT_NEAR(canvas.marks[1].at.y, 0.25L, 1e-12);
}

TEST_F(DrawerTest, SeriesOfNumbersAndOfFunctions) {
    // Partial sums of 1/2^n from n = 0: 1, 1.5, 1.75, ... joined.
    const int numbers = Add(k::kSeries, {"n", "1/2^n"}, [](examples::TExample& e) {
        e.divisions = {0, 4, 36};
        e.byte60 = 1;
    });
    Draw(numbers);
    ASSERT_EQ(canvas.marks.size(), 5u);
    EXPECT_NEAR(canvas.marks[4].at.y, 1.9375L, 1e-12);
    EXPECT_EQ(Curve().pieces.size(), 1u);
    // The Taylor series of e^x to degree 12.
    const int functions = Add(k::kSeries, {"k", "x^k/k!"}, [](examples::TExample& e) {
        e.divisions = {0, 12, 36};
    });
    Draw(functions);
    for (const auto& piece : Curve().pieces)
        for (Vec2 p : piece)
            if (p.x < 1.5L) EXPECT_NEAR((double)p.y, std::exp((double)p.x), 1e-3);
}

TEST_F(DrawerTest, TwoBodiesOnACircularOrbit) {
    using namespace orbital;
    const int i = Add(k::kOrbital, {}, [](examples::TExample& e) {
        e.derivationParam = 1;
        e.points[kMassEntry] = {1, 0, 0};
        e.points[kMassEntry + 1] = {1e-9L, 0, 0};
        e.points[kInitialPositionEntry + 1] = {2, 0, 0};
        e.points[kInitialVelocityEntry + 1] = {0, std::sqrt(0.5L), 0};  // sqrt(G M / r)
        TOrbitalSettings s;
        s.gravity = 1;
        s.interval = 2 * kPi * std::sqrt(8.0L);  // one period
        s.calculations = 400;
        s.timeStep = s.interval / 400;
        s.positions = 1e9L;
        s.bullets = true;
        StoreSettings(e, s);
    });
    Draw(i);
    ASSERT_EQ(canvas.marks.size(), 2u);
    std::size_t onCircle = 0;
    for (const auto& piece : Curve().pieces)
        for (Vec2 p : piece)
            if (std::hypot(p.x, p.y) > 1) {
                EXPECT_NEAR((double)std::hypot(p.x, p.y), 2, 1e-6);
                ++onCircle;
            }
    EXPECT_GT(onCircle, 20u);
    // After one period the planet is back where it started.
    EXPECT_NEAR(inventory[i].points[kPositionEntry + 1].x, 2, 1e-6);
    EXPECT_NEAR(inventory[i].points[kPositionEntry + 1].y, 0, 1e-6);
}

TEST_F(DrawerTest, HiddenGraphsDrawNothingAndFamiliesDrawEachMember) {
    const int hidden =
        Add(k::kExplicit, {"", "x"}, [](examples::TExample& e) { e.graphShown = 0; });
    Draw(hidden);
    EXPECT_EQ(Curve().PointCount(), 0u);
    const int family = Add(k::kExplicit, {"", "x+a"}, [](examples::TExample& e) {
        e.familyOn = 1;
        e.familyLetter = 1;
        e.familyLow = -1;
        e.familyHigh = 1;
        e.familySteps = 4;
    });
    ctx.SetVar(1, 7);
    Draw(family);
    EXPECT_EQ(Curve().pieces.size(), 5u);
    EXPECT_NEAR(Curve().pieces[4].front().y - Curve().pieces[4].front().x, 1, 1e-9);
    EXPECT_EQ(ctx.Var(1), 7);  // the parameter is given back
}

TEST_F(DrawerTest, LogarithmicAxesDrawOnlyWherePositive) {
    RecordingCanvas logCanvas(TPlotSpace::Over(-2, 2, -3, 3, 401, 401));
    const_cast<TPlotSpace&>(logCanvas.Space()).logY = true;
    const int i = Add(k::kExplicit, {"", "x"});
    TCanvasTarget target(logCanvas);
    TDrawEnvironment env{ctx, inventory, target, drawers};
    DrawExample2D(env, i);
    ASSERT_EQ(logCanvas.curve.pieces.size(), 1u);
    for (Vec2 p : logCanvas.curve.pieces[0])
        if (p.y > -3) EXPECT_NEAR((double)std::pow(10.0L, p.y), (double)p.x, 1e-3 * p.x);
}

TEST_F(DrawerTest, DrawingThroughAMapRefinesWhereTheImageStretches) {
    // z -> z^2 maps the line y = 1 onto the parabola u = v^2/4 - 1.
    const int line = Add(k::kExplicit, {"", "1"});
    TCanvasTarget range(canvas);
    const TPlotSpace domain = TPlotSpace::Over(-2, 2, -2, 2, 401, 401);
    TMappedTarget mapped(range, domain, [](Vec2 z, Vec2& w) {
        w = {z.x * z.x - z.y * z.y, 2 * z.x * z.y};
        return true;
    });
    TDrawEnvironment env{ctx, inventory, mapped, drawers};
    canvas.Clear();
    DrawExample2D(env, line);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    for (Vec2 p : Curve().pieces[0]) EXPECT_NEAR((double)p.x, (double)(p.y * p.y / 4 - 1), 1e-9);
    // The chords of the image stay within the pixels' tolerance of it.
    Curve().ForEachSegment([](Vec2 a, Vec2 b) {
        const Vec2 m = 0.5L * (a + b);
        EXPECT_LT(std::fabs(m.x - (m.y * m.y / 4 - 1)), 2 * kPixel);
    });
}

TEST_F(DrawerTest, TheRangeWindowDrawsTheDomainThroughItsMap) {
    // z ==> 1/z: the grid line x = 1 becomes the circle about (1/2, 0) through 0 and 1; the
    // segment from -1 to 1 on y = 0 passes the pole and is broken there.
    const int map = Add(k::kComplexMap, {"1/z"});
    Add(k::kSegment, {"-2", "0", "2", "0"});
    ctx.complexMode = true;
    const TPlotSpace domain = TPlotSpace::Over(-2, 2, -2, 2, 401, 401);
    TCanvasTarget range(canvas);
    canvas.Clear();
    DrawThroughMap(range, ctx, inventory, drawers, map, domain, {{1}, {}, {1, 1, 0}});
    ctx.complexMode = false;
    RecordingSink circle, axis;
    for (const auto& piece : Curve().pieces)
        (std::fabs(piece.front().y) > 1e-9 || std::fabs(piece.back().y) > 1e-9 ? circle : axis)
            .pieces.push_back(piece);
    ASSERT_FALSE(circle.pieces.empty());
    for (const auto& piece : circle.pieces)
        for (Vec2 p : piece) EXPECT_NEAR((double)std::hypot(p.x - 0.5L, p.y), 0.5, 1e-9);
    ExpectNothingAcross(axis, {0});
    EXPECT_EQ(axis.pieces.size(), 2u);
}

}  // namespace
}  // namespace quorlin::plot2d
