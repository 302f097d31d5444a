// The meetings of two curves against their closed forms, one per request, for each method of
// the pair's classes, with the angle between the curves there; only where both curves are drawn
// (segments between their ends, explicit curves over their locked ranges or the view, implicit
// curves inside the view, its y-range too); pairs without a method, and the curves that agree
// everywhere.
#include "tools2d/searches/intersection_search.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <span>
#include <vector>

#include "examples/compile_fixture.h"

namespace quorlin::tools2d {
namespace {

namespace k = examples::kind;
constexpr long double kPi = std::numbers::pi_v<long double>;
const long double kHalfRoot = std::sqrt(0.5L);

struct Curve {
    int kind;
    std::vector<const char*> texts;
    const char* range = "-3;3";  // x or t
    bool locked = false;         // an explicit curve's range is its own
};

struct MeetRow {
    const char* name;
    Curve a, b;
    std::vector<Vec2> points;  // successive requests
    long double degrees;       // the angle at the first
    TXRange view{-5, 5};       // the x-range the view shows
    TXRange viewY{-5, 5};      // and its y-range
};

class IntersectionSearchTest : public examples::CompileTest {
protected:
    int AddCurve(const Curve& c) {
        return Add(c.kind, {}, [&](examples::TExample& e) {
            for (std::size_t t = 0; t < c.texts.size(); ++t)
                e.Text(static_cast<int>(t) + 1) = c.texts[t];
            long double low = 0, high = 0;
            std::sscanf(c.range, "%Lf;%Lf", &low, &high);
            e.rangeLow[0] = low;
            e.rangeHigh[0] = high;
            if (c.kind != k::kExplicit || c.locked) e.Text(7) = c.range;
            e.lockInterval = c.locked ? 1 : 0;
        });
    }
    // The view shows x in `across`, y in `upwards`.
    TIntersectionScene Scene(TXRange across = {-5, 5}, TXRange upwards = {-5, 5}) {
        return TIntersectionScene{.f = ctx,
                                  .compiler = compiler,
                                  .inventory = inventory,
                                  .left = across.low,
                                  .right = across.high,
                                  .down = upwards.low,
                                  .up = upwards.high};
    }
    // Each row's curves, met in turn where the row says, with the angle at the first meeting.
    void ExpectMeetings(std::span<const MeetRow> rows);
};

TEST_F(IntersectionSearchTest, SuccessiveRequestsGiveTheMeetingsInTurn) {
    const MeetRow rows[] = {
        {"parabolas",
         {k::kExplicit, {"", "x^2"}},
         {k::kExplicit, {"", "2-x^2"}},
         {{-1, 1}, {1, 1}, {-1, 1}},
         126.869897645844L},
        {"upright segment, y = x",
         {k::kSegment, {"0.5", "0", "0.5", "1"}},
         {k::kExplicit, {"", "x"}},
         {{0.5L, 0.5L}, {0.5L, 0.5L}},
         45},
        {"y = x, upright line x = 0.5",
         {k::kExplicit, {"", "x"}},
         {k::kLine, {"2", "0", "1"}},
         {{0.5L, 0.5L}},
         45},
        {"implicit circle, line y = x",
         {k::kImplicit, {"", "", "x^2+y^2-1"}},
         {k::kLine, {"1", "-1", "0"}},
         {{-kHalfRoot, -kHalfRoot}, {kHalfRoot, kHalfRoot}},
         90},
        {"y = x, parametric circle",
         {k::kExplicit, {"", "x"}},
         {k::kParametric, {"cos(t)", "sin(t)"}, "-1;5"},
         {{kHalfRoot, kHalfRoot}, {-kHalfRoot, -kHalfRoot}, {kHalfRoot, kHalfRoot}},
         90},
        {"polar circle, implicit line",
         {k::kPolar, {"", "", "2"}, "0;6"},
         {k::kImplicit, {"", "", "y-1"}},
         {{std::sqrt(3.0L), 1}, {-std::sqrt(3.0L), 1}},
         60},
        {"upright segment, implicit circle",
         {k::kSegment, {"0.6", "-2", "0.6", "2"}},
         {k::kImplicit, {"", "", "x^2+y^2-1"}},
         {{0.6L, -0.8L}, {0.6L, 0.8L}},
         std::atan2(0.8L, 0.6L) * 180 / kPi},
        {"parametric circle, upright line",
         {k::kParametric, {"cos(t)", "sin(t)"}, "-1;5"},
         {k::kLine, {"1", "0", "0.6"}},
         {{0.6L, -0.8L}, {0.6L, 0.8L}},
         std::atan2(0.8L, 0.6L) * 180 / kPi},
    };
    ExpectMeetings(rows);
}

TEST_F(IntersectionSearchTest, CurvesMeetOnlyWhereBothAreDrawn) {
    const long double halfRoot3 = std::sqrt(3.0L) / 2;
    const MeetRow rows[] = {
        // The common part of the locked ranges is [-3, 0.5]: (1, 1) lies beyond it.
        {"parabolas on unequal ranges",
         {k::kExplicit, {"", "x^2"}, "-3;0.5", true},
         {k::kExplicit, {"", "2-x^2"}, "-3;3", true},
         {{-1, 1}, {-1, 1}, {-1, 1}},
         126.869897645844L},
        // Made in the view -3 .. 3; the view zoomed out to -20 .. 20 shows the meeting.
        {"zoomed out",
         {k::kExplicit, {"", "x-10"}},
         {k::kExplicit, {"", "10-x"}},
         {{10, 0}},
         90,
         {-20, 20}},
        {"upright segment, parametric circle",
         {k::kSegment, {"0.5", "0", "0.5", "1"}},
         {k::kParametric, {"cos(t)", "sin(t)"}, "-3;3.5"},
         {{0.5L, halfRoot3}, {0.5L, halfRoot3}},
         60},
        {"polar circle, upright segment",
         {k::kPolar, {"", "", "1"}, "-3;3.5"},
         {k::kSegment, {"0.5", "1", "0.5", "0"}},
         {{0.5L, halfRoot3}, {0.5L, halfRoot3}},
         60},
        {"y = x locked to [0, 1], parametric circle",
         {k::kExplicit, {"", "x"}, "0;1", true},
         {k::kParametric, {"cos(t)", "sin(t)"}, "-3;3.5"},
         {{kHalfRoot, kHalfRoot}, {kHalfRoot, kHalfRoot}},
         90},
        {"y = x over the view 0 .. 2, polar circle",
         {k::kPolar, {"", "", "1"}, "-3;3.5"},
         {k::kExplicit, {"", "x"}},
         {{kHalfRoot, kHalfRoot}, {kHalfRoot, kHalfRoot}},
         90,
         {0, 2}},
        // A wide view whose y-range reaches past y = 7 (the same pair meets nowhere in a lower
        // one, below). The circle's normal (x, y) at (-1, 7) is atan(1/7) off upright; the
        // directions, the line's (1, 0) and the circle's (-y, x), are 180 - atan(1/7) apart.
        {"line y = 7, implicit circle of radius sqrt 50 in a view up to 7.5",
         {k::kLine, {"0", "1", "7"}},
         {k::kImplicit, {"", "", "x^2+y^2-50"}},
         {{-1, 7}, {1, 7}, {-1, 7}},
         180 - std::atan(1.0L / 7) * 180 / kPi,
         {-10, 10},
         {-7.5L, 7.5L}},
        // Views neither square nor centred that hold the meetings the view -5 .. 5 does not
        // (below). At (6, +-2) the circle runs along (-y, x) = (+-2, 6), atan(1/3) off upright.
        {"upright line x = 6, implicit circle of radius sqrt 40",
         {k::kLine, {"1", "0", "6"}},
         {k::kImplicit, {"", "", "x^2+y^2-40"}},
         {{6, -2}, {6, 2}, {6, -2}},
         std::atan(1.0L / 3) * 180 / kPi,
         {2, 8},
         {-3, 4.5L}},
        {"slanted segment, implicit circle of radius 10",
         {k::kSegment, {"0", "0", "20", "20"}},
         {k::kImplicit, {"", "", "x^2+y^2-100"}},
         {{kHalfRoot * 10, kHalfRoot * 10}},
         90,
         {3, 9.5L},
         {2, 7.5L}},
    };
    ExpectMeetings(rows);
}

void IntersectionSearchTest::ExpectMeetings(std::span<const MeetRow> rows) {
    for (const MeetRow& row : rows) {
        SCOPED_TRACE(row.name);
        const int a = AddCurve(row.a);
        const int b = AddCurve(row.b);
        TIntersectionSearch search;
        TIntersectionScene scene = Scene(row.view, row.viewY);
        ctx.SetVar(slot::kX, 7);
        for (std::size_t n = 0; n < row.points.size(); ++n) {
            const TIntersection found = search.Next(scene, a, b);
            ASSERT_EQ(found.result, 1) << n;
            EXPECT_NEAR(found.at.x, row.points[n].x, 1e-9L) << n;
            EXPECT_NEAR(found.at.y, row.points[n].y, 1e-9L) << n;
            if (n == 0) EXPECT_NEAR(found.angle * 180 / kPi, row.degrees, 1e-9L);
        }
        EXPECT_EQ(ctx.Var(slot::kX), 7);
    }
}

struct FailRow {
    const char* name;
    Curve a, b;
    int result;
    TXRange view{-5, 5};
    TXRange viewY{-5, 5};
};

TEST_F(IntersectionSearchTest, PairsThatDoNotMeetOrAgreeEverywhere) {
    const FailRow rows[] = {
        {"segment above the meeting",
         {k::kSegment, {"0.5", "0.6", "0.5", "1"}},
         {k::kExplicit, {"", "x"}},
         0},
        {"y = 0 twice", {k::kExplicit, {"", "0"}}, {k::kExplicit, {"", "0*x"}}, 10},
        {"two uprights", {k::kSegment, {"1", "0", "1", "1"}}, {k::kLine, {"1", "0", "2"}}, 0},
        {"two curves in t", {k::kParametric, {"t", "t"}}, {k::kPolar, {"", "", "1"}}, 0},
        {"parallel lines", {k::kExplicit, {"", "x+1"}}, {k::kExplicit, {"", "x"}}, 0},
        // Where one of the curves is not drawn.
        {"parabolas off the view",
         {k::kExplicit, {"", "x^2"}},
         {k::kExplicit, {"", "2-x^2"}},
         0,
         {1.5L, 8}},
        {"a flat segment inside the circle",
         {k::kSegment, {"-0.5", "0", "0.5", "0"}},
         {k::kParametric, {"cos(t)", "sin(t)"}, "-3;3.5"},
         0},
        {"y = x locked to [0, 0.5] inside the circle",
         {k::kParametric, {"cos(t)", "sin(t)"}, "-3;3.5"},
         {k::kExplicit, {"", "x"}, "0;0.5", true},
         0},
        {"an upright segment below the circle",
         {k::kSegment, {"0.5", "-0.5", "0.5", "0.5"}},
         {k::kPolar, {"", "", "1"}, "-3;3.5"},
         0},
        // An implicit curve is traced over the view only: (7.07, 7.07) and (0.6, 9.98) are off it.
        {"a large parametric circle, the implicit line x = y",
         {k::kParametric, {"10*cos(t)", "10*sin(t)"}, "-3;3.5"},
         {k::kImplicit, {"", "", "x-y"}},
         0},
        {"y = x locked to [0, 10], an implicit circle of radius 10",
         {k::kExplicit, {"", "x"}, "0;10", true},
         {k::kImplicit, {"", "", "x^2+y^2-100"}},
         0},
        {"a tall upright segment, an implicit circle of radius 10",
         {k::kImplicit, {"", "", "x^2+y^2-100"}},
         {k::kSegment, {"0.6", "-20", "0.6", "20"}},
         0},
        {"upright line x = 6, implicit circle of radius sqrt 40",
         {k::kLine, {"1", "0", "6"}},
         {k::kImplicit, {"", "", "x^2+y^2-40"}},
         0},
        {"slanted segment, implicit circle of radius 10",
         {k::kSegment, {"0", "0", "20", "20"}},
         {k::kImplicit, {"", "", "x^2+y^2-100"}},
         0},
        // The view is wider than high: (-1, 7) and (1, 7) lie in its x-range, above its y-range.
        {"line y = 7, implicit circle of radius sqrt 50 in a view up to 6.5",
         {k::kLine, {"0", "1", "7"}},
         {k::kImplicit, {"", "", "x^2+y^2-50"}},
         0,
         {-10, 10},
         {-6.5L, 6.5L}},
    };
    for (const FailRow& row : rows) {
        SCOPED_TRACE(row.name);
        const int a = AddCurve(row.a);
        const int b = AddCurve(row.b);
        TIntersectionSearch search;
        TIntersectionScene scene = Scene(row.view, row.viewY);
        for (int request = 0; request < 3; ++request)
            EXPECT_EQ(search.Next(scene, a, b).result, row.result) << request;
    }
    TIntersectionSearch search;
    TIntersectionScene scene = Scene();
    EXPECT_EQ(search.Next(scene, 0, 0).result, 0);  // the same example twice
}

TEST_F(IntersectionSearchTest, TheMethodFollowsTheClasses) {
    using C = TCurveClass;
    EXPECT_EQ(MethodCode(C::Explicit, C::Explicit), 0);
    EXPECT_EQ(MethodCode(C::InT, C::Explicit), 9);
    EXPECT_EQ(MethodCode(C::Implicit, C::Implicit), 8);
    EXPECT_EQ(MethodCode(C::Upright, C::Upright), -1);
    EXPECT_EQ(MethodCode(C::Other, C::Explicit), -1);
    TIntersectionScene scene = Scene();
    ctx.SetVar(1, 0);
    const int moving = AddCurve({k::kSegment, {"1", "0", "a", "1"}});
    EXPECT_EQ(CurveClassOf(scene, moving), C::Explicit);
    ctx.SetVar(1, 1);  // its end moved above the other: upright now
    EXPECT_EQ(CurveClassOf(scene, moving), C::Upright);
}

}  // namespace
}  // namespace quorlin::tools2d
