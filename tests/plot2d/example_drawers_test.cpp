#include "plot2d/example_drawers.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "drawer_fixture.h"
#include "examples/records/example.h"
#include "plot2d/map_drawing.h"
#include "plot2d/orbital.h"
#include "support/all_near.h"

namespace quorlin::plot2d {
namespace {

namespace k = examples::kind;
using Shape = examples::TEndMark::Shape;
using examples::TNumber;
using quorlin::testing::AllNear;

// The sampler's rules for poles and jumps hold in the explicit drawer.
TEST_F(DrawerTest, ExplicitLagrangeAndLogarithmicCurvesFollowTheirFormulas) {
    EXPECT_EQ(Draw(Add(k::kExplicit, {"", "sin(x)"})), 0);
    ExpectOnCurve(Curve(), Graph([](auto x) { return std::sin(x); }), -5, 5);
    EXPECT_EQ(Curve().pieces.size(), 1u);
    Draw(Add(k::kExplicit, {"", "tan(x)"}));
    ExpectOnCurve(Curve(), Graph([](auto x) { return std::tan(x); }), -5, 5);
    EXPECT_EQ(Curve().pieces.size(), 5u);

    // The polynomial through (-1, 1), (0, 0), (2, 4) is x^2; its points show while picked.
    const int lagrange = Add(k::kLagrange, {}, [](auto& e) {
        e.LagrangeLastPoint() = 2;
        e.points[0] = {-1, 1, 0};
        e.points[1] = {0, 0, 0};
        e.points[2] = {2, 4, 0};
    });
    Draw(lagrange);
    ExpectOnCurve(Curve(), Graph([](auto x) { return x * x; }), -5, 5);
    EXPECT_TRUE(canvas.marks.empty());
    Draw(lagrange, lagrange);
    EXPECT_EQ(canvas.marks.size(), 3u);

    // On a logarithmic y axis only where x is positive.
    TPlotSpace space = TPlotSpace::Over(-2, 2, -3, 3, 401, 401);
    space.logY = true;
    canvas = RecordingCanvas(space);
    Draw(Add(k::kExplicit, {"", "x"}));
    ASSERT_EQ(Curve().pieces.size(), 1u);
    for (Vec2 p : Curve().pieces[0])
        if (p.y > -3) EXPECT_NEAR((double)std::pow(10.0L, p.y), (double)p.x, 1e-3 * p.x);
}

// The record's density, jump detection, locked interval with its end marks, period, shown flag
// and family reach the drawing.
TEST_F(DrawerTest, TheRecordsDrawingOptions) {
    Draw(Add(k::kExplicit, {"", "floor(x)"}, [](auto& e) {
        e.jumpsOff = 1;
        e.density = 0;  // counts as 1
    }));
    EXPECT_EQ(Curve().pieces.size(), 1u);  // joined across its steps
    const int coarse = Add(k::kExplicit, {"", "x^2/4"}, [](auto& e) { e.density = -8; });
    Draw(coarse);
    const long long coarseCost = evaluations;
    ExpectOnCurve(Curve(), Graph([](auto x) { return x * x / 4; }), -5, 5);
    inventory[coarse].density = 4;
    Draw(coarse);
    EXPECT_GT(evaluations, 2 * coarseCost);

    // Locked to [-1, 2] with a solid circle at the low end and a hollow arrow at the high end.
    Draw(Add(k::kExplicit, {"", "x", "", "", "", "", "-1;2"}, [](auto& e) {
        e.lockInterval = 1;
        e.SetEndMark(0, {Shape::kCircle, 4, true});
        e.SetEndMark(1, {Shape::kArrow, 3, false});
    }));
    EXPECT_EQ(examples::TExample().EndMark(0).shape, Shape::kNone);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    EXPECT_NEAR(Curve().pieces[0].front().x, -1, 1e-9);
    EXPECT_NEAR(Curve().pieces[0].back().x, 2, 1e-9);
    ASSERT_EQ(canvas.marks.size(), 1u);
    EXPECT_NEAR(canvas.marks[0].x, -1, 1e-9);
    ASSERT_EQ(canvas.arrows.size(), 1u);
    EXPECT_GT(canvas.arrows[0].second.x, 0);  // pointing on, away from the curve

    // x^2 repeated with period 1 from 0: one piece per period, never joined across its jumps.
    Draw(Add(k::kExplicit, {"", "x^2", "", "", "", "", "0;1"}, [](auto& e) { e.periodic = 1; }));
    EXPECT_EQ(Curve().pieces.size(), 12u);
    ExpectOnCurve(Curve(), Graph([](auto x) { return (x - std::floor(x)) * (x - std::floor(x)); }),
                  -5, 5);

    Draw(Add(k::kExplicit, {"", "x"}, [](auto& e) { e.graphShown = 0; }));
    EXPECT_TRUE(Curve().pieces.empty());
    ctx.SetVar(1, 7);
    Draw(Add(k::kExplicit, {"", "x+a"}, [](auto& e) {
        e.familyOn = 1;
        e.familyLetter = 1;
        e.familyLow = -1;
        e.familyHigh = 1;
        e.familySteps = 4;
    }));
    EXPECT_EQ(Curve().pieces.size(), 5u);
    EXPECT_NEAR(Curve().pieces[4].front().y - Curve().pieces[4].front().x, 1, 1e-9);
    EXPECT_EQ(ctx.Var(1), 7);  // the parameter is given back
}

// The web of x -> x/2 from 4 in its own colour over the diagonal, rising from the x-axis or
// from the diagonal, with an arrow on every step when asked for.
TEST_F(DrawerTest, TheWebOfAnIterationTakesItsOwnSettings) {
    const int i = Add(k::kExplicit, {"", "x/2"}, [](auto& e) {
        e.WebOn() = 1;
        e.subKind = -1;
        e.Number(TNumber::kWebSeed) = 4;
        e.WebSteps() = 2;
        e.extraColour[1] = 9;
    });
    const auto web = [&] {
        const auto& pieces = Curve().pieces;
        return pieces.empty() ? RecordingSink::Piece{} : pieces.back();
    };
    const auto expectCorners = [&](std::initializer_list<Vec2> corners) {
        const RecordingSink::Piece drawn = web();
        ASSERT_EQ(drawn.size(), corners.size());
        std::size_t k = 0;
        for (Vec2 c : corners) {
            EXPECT_NEAR(drawn[k].x, c.x, 1e-9);
            EXPECT_NEAR(drawn[k++].y, c.y, 1e-9);
        }
    };
    Draw(i);
    expectCorners({{4, 4}, {4, 2}, {2, 2}, {2, 1}, {1, 1}});
    EXPECT_TRUE(std::ranges::any_of(canvas.pens, [](const auto& p) { return p.colour == 9; }));
    // Under it the diagonal y = x across the view, in the colour of its role.
    ASSERT_EQ(Curve().pieces.size(), 3u);  // the curve, the diagonal, the web
    RecordingSink diagonal;
    diagonal.pieces = {Curve().pieces[1]};
    ExpectOnCurve(diagonal, Graph([](auto x) { return x; }), -5, 5, kPixel, kPixel);
    EXPECT_TRUE(std::ranges::any_of(
        canvas.pens, [&](const auto& p) { return p.colour == env.webDiagonalColour; }));
    EXPECT_TRUE(canvas.arrows.empty());
    inventory[i].InitialSegment() = 1;  // initial segment
    inventory[i].WebArrows() = 1;       // arrows
    Draw(i);
    expectCorners({{4, 0}, {4, 2}, {2, 2}, {2, 1}, {1, 1}});
    ASSERT_EQ(canvas.arrows.size(), 4u);
    EXPECT_NEAR(canvas.arrows[0].first.y, 2, 1e-9);
    EXPECT_GT(canvas.arrows[0].second.y, 0);  // up from the axis to the curve
    EXPECT_LT(canvas.arrows[1].second.x, 0);  // across to the diagonal
}

TEST_F(DrawerTest, PolarAndParametricCurves) {
    // The spiral r = t/2 over [0, 3 pi], and the same spiral as a parametric curve in polar
    // form with an arrow at t = pi.
    const ClosedForm spiral = [](long double t) {
        return Vec2{t / 2 * std::cos(t), t / 2 * std::sin(t)};
    };
    Draw(Add(k::kPolar, {"", "", "t/2", "", "", "", "0;3pi"}));
    ASSERT_EQ(Curve().pieces.size(), 1u);
    ExpectOnCurve(Curve(), spiral, 0, 3 * kPi, 1e-9L);
    Draw(Add(k::kParametric, {"t/2", "t", "", "", "", "pi", "0;3pi"}, [](auto& e) {
        e.PolarCurve() = 1;
        e.ArrowAtT() = 1;
    }));
    ASSERT_EQ(Curve().pieces.size(), 1u);
    ExpectOnCurve(Curve(), spiral, 0, 3 * kPi, 1e-9L);
    ASSERT_EQ(canvas.arrows.size(), 1u);
    EXPECT_NEAR(canvas.arrows[0].first.x, -kPi / 2, 1e-9);
    EXPECT_LT(canvas.arrows[0].second.y, 0);  // turning on, counter-clockwise
    Draw(Add(k::kParametric, {"4cos(t)", "3sin(t)", "", "", "", "", "0;2pi"}));
    ExpectOnCurve(Curve(), Ellipse({0, 0}, 4, 3), 0, 2 * kPi, 1e-9L, 2 * kPixel);

    // Positive r only: the rose r = cos(2t) loses its negative petals.
    Draw(Add(k::kPolar, {"", "", "cos(2t)", "", "", "", "0;2pi"},
             [](auto& e) { e.restrictOn = 1; }));
    EXPECT_EQ(Curve().pieces.size(), 3u);  // the first and last quarter petals join at t = 0
    Curve().ForEachSegment(
        [](Vec2 a, Vec2) { EXPECT_GT(std::cos(2 * std::atan2(a.y, a.x)), -0.05L); });
}

TEST_F(DrawerTest, AntiderivativesAndRoulettes) {
    const int i = Add(k::kIntegral, {"0", "cos(x)"});
    inventory[i].Tree(1) = Parsed("0");
    inventory[i].Tree(2) = Parsed("cos(x)");
    Draw(i);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    ExpectOnCurve(Curve(), Graph([](auto x) { return std::sin(x); }), -5, 5, 1e-3L * kPixel);
    // From a lower limit of 1, 1/x integrates to ln x right of 0 and to nothing left of it.
    inventory[i].Tree(1) = Parsed("1");
    inventory[i].Tree(2) = Parsed("1/x");
    Draw(i);
    ExpectOnCurve(Curve(), Graph([](auto x) { return std::log(x); }), 1e-3L, 5, 1e-3L * kPixel);

    // The circle of radius 1 rolls on the x-axis from t = 0 to 2 pi, arm 1, on the left side.
    // Its trees are its parent's, as the roulette tool copies them.
    const int r = Add(k::kRoulette, {});
    examples::TExample& e = inventory[r];
    e.rangeLow[0] = 0;
    e.rangeHigh[0] = 2 * kPi;
    e.Number(TNumber::kRouletteStart) = 0;
    e.Number(TNumber::kRouletteRadius) = 1;
    e.Number(TNumber::kRouletteArm) = 1;
    e.LeftSide() = 1;
    e.Tree(1) = Parsed("t");
    e.Tree(2) = Parsed("0");
    e.Tree(5) = Parsed("1");
    e.Tree(6) = Parsed("0");
    Draw(r);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    const ClosedForm cycloid = [](long double t) { return Vec2{t - std::sin(t), 1 - std::cos(t)}; };
    ExpectOnCurve(Curve(), cycloid, 0, 2 * kPi, 1e-6L);
    EXPECT_GT(Curve().pieces[0].back().x, 5);  // on beyond the view
    inventory[r].LeftSide() = 0;               // on the right side it rolls below the line
    Draw(r);
    ASSERT_FALSE(Curve().pieces.empty());
    for (Vec2 p : Curve().pieces[0]) EXPECT_LE(p.y, 1e-12);
}

TEST_F(DrawerTest, SegmentsLinesAndPoints) {
    Draw(Add(k::kSegment, {"-2", "1", "3", "-1"}, [](auto& e) {
        e.EndMarkMode() = 3;  // arrows at both ends
        e.pen.style = 2;
    }));
    ASSERT_EQ(Curve().pieces.size(), 1u);
    EXPECT_EQ(Curve().pieces[0].size(), 2u);  // the whole segment, and no more
    const ClosedForm segment = [](long double s) { return Vec2{-2 + 5 * s, 1 - 2 * s}; };
    ExpectOnCurve(Curve(), segment, 0, 1, 1e-12L, 1e-9L);
    EXPECT_EQ(canvas.arrows.size(), 2u);
    EXPECT_EQ(canvas.pens.back().style, 2);  // dashed

    Draw(Add(k::kLine, {"1", "2", "3"}));  // y = (3 - x) / 2 across the view
    ASSERT_EQ(Curve().pieces.size(), 1u);
    EXPECT_EQ(Curve().pieces[0].size(), 2u);
    ExpectOnCurve(Curve(), Graph([](auto x) { return (3 - x) / 2; }), -5, 5, 1e-12L);
    Draw(Add(k::kLine, {"2", "0", "3"}));
    ASSERT_EQ(Curve().pieces.size(), 1u);
    EXPECT_NEAR(Curve().pieces[0][0].x, 1.5, 1e-12);

    Draw(Add(k::kPoint, {"1", "pi/2"}, [](auto& e) { e.PolarForm() = 1; }));
    ASSERT_EQ(canvas.marks.size(), 1u);
    EXPECT_NEAR(canvas.marks[0].y, 1, 1e-12);
}

// A point set to "circle" (its style word) is drawn hollow, a solid one filled.
TEST_F(DrawerTest, PointsSetToCircleAreHollow) {
    for (const std::uint16_t style : {0, 1}) {
        Draw(Add(k::kPoint, {"1.5", "-2.25"}, [style](auto& e) { e.pen.style = style; }));
        ASSERT_EQ(canvas.marks.size(), 1u);
        EXPECT_TRUE(AllNear({canvas.marks[0].x, canvas.marks[0].y}, {1.5L, -2.25L}));
        EXPECT_EQ(canvas.marksFilled[0], style == 0) << style;
    }
}

// What another program stores and this one keeps or mends draws as the mend says: a style
// word outside -1..4 draws solid (a disc for a point); a range text left undefined by its
// parameter draws nothing until the parameter defines it.
TEST_F(DrawerTest, KeptStylesDrawSolidAndUndefinedRangesDrawNothing) {
    Draw(Add(k::kPoint, {"1.5", "-2.25"}, [](auto& e) { e.pen.style = 7; }));
    ASSERT_EQ(canvas.marks.size(), 1u);
    EXPECT_TRUE(canvas.marksFilled[0]);
    ctx.SetVar(1, -1);
    const int curve = Add(k::kParametric, {"4cos(t)", "3sin(t)", "", "", "", "", "0;sqrt(a)"});
    Draw(curve);
    EXPECT_TRUE(Curve().pieces.empty());
    ctx.SetVar(1, 4);
    compiler.EvaluateRanges(curve);
    Draw(curve);
    ExpectOnCurve(Curve(), Ellipse({0, 0}, 4, 3), 0, 2, 1e-9L);
}

// A watched family of points (negative steps) shows each member once it is drawn and waits the
// family's delay before the next; an unwatched one draws them all at once.
TEST_F(DrawerTest, WatchedPointFamiliesShowEachMember) {
    std::vector<std::pair<std::size_t, int>> shown;  // marks drawn so far, delay
    env.showMember = [&](int delay) { shown.emplace_back(canvas.marks.size(), delay); };
    const int i = Add(k::kPoint, {"a", "a^2"}, [](auto& e) {
        e.familyOn = 1;
        e.familyLetter = 1;  // A
        e.familyLow = -1, e.familyHigh = 2, e.familySteps = -3, e.familyDelay = 70;
    });
    Draw(i);
    ASSERT_EQ(canvas.marks.size(), 4u);
    EXPECT_EQ(shown, (std::vector<std::pair<std::size_t, int>>{{1, 70}, {2, 70}, {3, 70}}));
    EXPECT_TRUE(AllNear({canvas.marks[3].x, canvas.marks[3].y}, {2, 4}));
    shown.clear();
    inventory[i].familySteps = 3;
    Draw(i);
    EXPECT_EQ(canvas.marks.size(), 4u);
    EXPECT_TRUE(shown.empty());
}

TEST_F(DrawerTest, SeriesOfNumbersAndOfFunctions) {
    // Partial sums of 1/2^n from n = 0: 1, 1.5, 1.75, ... joined.
    Draw(Add(k::kSeries, {"n", "1/2^n"}, [](auto& e) {
        e.divisions = {0, 4, 36};
        e.ConnectPoints() = 1;
    }));
    ASSERT_EQ(canvas.marks.size(), 5u);
    EXPECT_NEAR(canvas.marks[4].y, 1.9375L, 1e-12);
    EXPECT_EQ(Curve().pieces.size(), 1u);
    // The Taylor series of e^x to degree 12: drawn, and on e^x where the partial sum is within
    // 1e-4 of it (|x| up to 2.7) and y inside the view (x below ln 5).
    Draw(Add(k::kSeries, {"k", "x^k/fact(k)"}, [](auto& e) { e.divisions = {0, 12, 36}; }));
    ASSERT_FALSE(Curve().pieces.empty());
    for (const long double x : {-2.7L, -1.3L, 0.4L, 1.1L, 1.55L}) {
        const auto [lo, hi] = Curve().YRangeOver(x - kPixel / 2, x + kPixel / 2);
        EXPECT_LE(lo, std::exp(x) + 1e-3L) << (double)x;
        EXPECT_GE(hi, std::exp(x) - 1e-3L) << (double)x;
    }
    for (const auto& piece : Curve().pieces)
        for (Vec2 p : piece)
            if (p.x > -2.7L && p.x < 1.5L) EXPECT_NEAR((double)p.y, std::exp((double)p.x), 1e-3);
}

// The arrows of a segment: mode 1 at its first end pointing back, 2 at its second end pointing
// on, 3 at both, 0 none.
TEST_F(DrawerTest, SegmentArrowsStandAtTheEndsTheirModeNames) {
    const Vec2 first{-2, 1}, second{3, -1.5L}, along = second - first;
    const auto parallel = [](Vec2 a, Vec2 b) {
        return std::fabs(a.x * b.y - a.y * b.x) <
                   1e-9L * std::hypot(a.x, a.y) * std::hypot(b.x, b.y) &&
               a.x * b.x + a.y * b.y > 0;
    };
    for (const int mode : {0, 1, 2, 3}) {
        SCOPED_TRACE(mode);
        Draw(Add(k::kSegment, {"-2", "1", "3", "-1.5"},
                 [mode](auto& e) { e.EndMarkMode() = mode; }));
        ASSERT_FALSE(Curve().pieces.empty());
        std::vector<std::pair<Vec2, Vec2>> expected;
        if (mode & 1) expected.emplace_back(first, Vec2{-along.x, -along.y});
        if (mode >= 2) expected.emplace_back(second, along);
        ASSERT_EQ(canvas.arrows.size(), expected.size());
        for (std::size_t a = 0; a < expected.size(); ++a) {
            EXPECT_TRUE(AllNear({canvas.arrows[a].first.x, canvas.arrows[a].first.y},
                                {expected[a].first.x, expected[a].first.y}, 1e-9L));
            EXPECT_TRUE(parallel(canvas.arrows[a].second, expected[a].second));
        }
    }
}

// The direction field of dy/dx = x - y over a view of unequal scales: rows evenly spaced from
// half a spacing below the top, square cells, each mark centred on its grid point along the
// slope there and of the example's length in pixels; unit vectors start at the grid point and
// carry an arrow at their tip.
TEST_F(DrawerTest, DirectionFieldMarksStandOnTheirGridAlongTheSlope) {
    const TPlotSpace wide = TPlotSpace::Over(-4, 6, -1, 3, 401, 201);
    RecordingCanvas marks{wide};
    TCanvasTarget onWide{marks};
    TDrawEnvironment field{ctx, inventory, onWide, drawers};
    const int i = Add(k::kSlope, {"", "", "x-y"}, [](auto& e) {
        e.fieldRows = 5;
        e.fieldLengthPercent = 30;  // 3 % of the width
    });
    for (const int display : {1, 2}) {
        SCOPED_TRACE(display);
        inventory[i].fieldDisplay = static_cast<std::int16_t>(display);
        marks.Clear();
        DrawExample2D(field, i);
        const long double spacing = 201.0L / 5, length = 401 * 0.03L;
        ASSERT_EQ(marks.curve.pieces.size(), 50u);  // 5 rows of 10
        std::size_t n = 0;
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 10; ++column, ++n) {
                const auto& piece = marks.curve.pieces[n];
                ASSERT_EQ(piece.size(), 2u);
                const Vec2 a = wide.ToPixel(piece[0]), b = wide.ToPixel(piece[1]);
                const Vec2 grid{spacing * (column + 0.5L), spacing * (row + 0.5L)};
                const Vec2 anchor = display == 1 ? 0.5L * (a + b) : a;
                EXPECT_TRUE(AllNear({anchor.x, anchor.y}, {grid.x, grid.y}, 1e-9L));
                EXPECT_NEAR((double)std::hypot(b.x - a.x, b.y - a.y), (double)length, 1e-9);
                const Vec2 at = wide.ToPlot(grid);
                const long double slope = (piece[1].y - piece[0].y) / (piece[1].x - piece[0].x);
                EXPECT_NEAR((double)slope, (double)(at.x - at.y), 1e-9);
                if (display == 2) EXPECT_GT(piece[1].x, piece[0].x);  // along +x
            }
        if (display == 1) {
            EXPECT_TRUE(marks.arrows.empty());
        } else {
            ASSERT_EQ(marks.arrows.size(), 50u);
            EXPECT_TRUE(AllNear({marks.arrows[7].first.x, marks.arrows[7].first.y},
                                {marks.curve.pieces[7][1].x, marks.curve.pieces[7][1].y}));
        }
    }
}

TEST_F(DrawerTest, TwoBodiesOnACircularOrbit) {
    using namespace orbital;
    const int i = Add(k::kOrbital, {}, [](auto& e) {
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
    RecordingSink planet;  // the sun stays at the origin
    for (const auto& piece : Curve().pieces)
        if (std::hypot(piece.back().x, piece.back().y) > 1) planet.pieces.push_back(piece);
    ExpectOnCurve(planet, Ellipse({0, 0}, 2, 2), 0, 2 * kPi, 1e-6L);
    // After one period the planet is back where it started.
    EXPECT_NEAR(inventory[i].points[kPositionEntry + 1].x, 2, 1e-6);
    EXPECT_NEAR(inventory[i].points[kPositionEntry + 1].y, 0, 1e-6);
}

TEST_F(DrawerTest, DrawingThroughMaps) {
    // z -> z^2 maps the line y = 1 onto the parabola u = v^2/4 - 1.
    const int line = Add(k::kExplicit, {"", "1"});
    const TPlotSpace domain = TPlotSpace::Over(-2, 2, -2, 2, 401, 401);
    TMappedTarget mapped(target, domain, [](Vec2 z, Vec2& w) {
        w = {z.x * z.x - z.y * z.y, 2 * z.x * z.y};
        return true;
    });
    TDrawEnvironment throughMap{ctx, inventory, mapped, drawers};
    canvas.Clear();
    DrawExample2D(throughMap, line);
    ASSERT_EQ(Curve().pieces.size(), 1u);
    // On the parabola, and its chords within the pixels' tolerance of it.
    const ClosedForm parabola = [](long double v) { return Vec2{v * v / 4 - 1, v}; };
    ExpectOnCurve(Curve(), parabola, -5, 5, 1e-9L);

    // z ==> 1/z: the grid line x = 1 becomes the circle about (1/2, 0) through 0 and 1; the
    // segment from -1 to 1 on y = 0 passes the pole and is broken there.
    inventory[line].graphShown = 0;
    const int map = Add(k::kComplexMap, {"1/z"});
    Add(k::kSegment, {"-2", "0", "2", "0"});
    ctx.complexMode = true;
    canvas.Clear();
    DrawThroughMap(target, ctx, inventory, drawers, map, domain, {{1}, {}, {1, 1, 0}});
    ctx.complexMode = false;
    RecordingSink circle, axis;
    for (const auto& piece : Curve().pieces)
        (std::fabs(piece.front().y) > 1e-9 || std::fabs(piece.back().y) > 1e-9 ? circle : axis)
            .pieces.push_back(piece);
    ASSERT_FALSE(circle.pieces.empty());
    ExpectOnCurve(circle, Ellipse({0.5L, 0}, 0.5L, 0.5L), 0, 2 * kPi, 1e-9L);
    const ClosedForm inverse = [](long double t) { return Vec2{1 / t, 0}; };
    ExpectOnCurve(axis, inverse, -2, 2, 1e-9L);
    EXPECT_EQ(axis.pieces.size(), 2u);
}

}  // namespace
}  // namespace quorlin::plot2d
