// The level set of a surface example and its stored level curves following a change: each start
// moved back onto the set at its level in its plane (on the closed form), left where it lies
// on the set already, or dropped when it cannot be (no set there, outside the box, another
// plane), and the records of other curves left alone.
#include "dynamics/level_set.h"

#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "dynamics_support.h"
#include "examples/records/derivation.h"

namespace quorlin::dynamics {
namespace {

namespace k = examples::kind;
constexpr int kLetterA = 1;
constexpr int kLetterB = 2;

class LevelSetTest : public DynamicsTest {
protected:
    // A level curve of the example's kind from the start, traced at the level variable.
    void AddCurve(Vec3 start, int levelVariable) {
        examples::TTrajectory t = Record(example.kind, start, 1e18L, {5, 4, -1}, levelVariable);
        example.trajectories.push_back(std::move(t));
    }
    Vec3 Start(std::size_t n) const {
        const examples::TTrajectory& t = example.trajectories[n];
        return {t.startX, t.startY, t.startZ};
    }
};

// The explicit surface z = x^2 + y^2 + B, its level curves at z = 1 and z = 4 traced with B = 0
// (circles of radius 1 and 2), then B moved: each start slides along its ray onto the circle
// of radius sqrt(c - B), at its level; a level the surface no longer reaches in its box loses
// its curve.
TEST_F(LevelSetTest, ExplicitLevelCurvesFollowTheSurfaceOnTheClosedForm) {
    example.kind = k::kSurface;
    SetTree(3, "x^2+y^2+B");
    example.boxMin = {-2.5L, -3, -1};
    example.boxMax = {3, 2.25L, 20};
    const struct {
        long double b;
        long double radius1, radius4;  // 0: dropped
    } rows[] = {{0.5L, std::sqrt(0.5L), std::sqrt(3.5L)},
                {-1.25L, 1.5L, std::sqrt(5.25L)},
                {2, 0, std::sqrt(2.0L)}};
    for (const auto& row : rows) {
        example.trajectories.clear();
        AddCurve({0.6L, -0.8L, 1}, slot::kZ);
        AddCurve({-1.2L, 1.6L, 4}, slot::kZ);
        ctx.SetVar(kLetterB, row.b);
        ctx.SetVar(slot::kX, 7);
        const int dropped = FollowLevelCurves(ctx, example);
        EXPECT_EQ(ctx.Var(slot::kX), 7);  // the variables as they were
        EXPECT_EQ(dropped, row.radius1 == 0 ? 1 : 0) << row.b;
        std::size_t n = 0;
        for (const auto& [radius, level, ray] :
             {std::tuple{row.radius1, 1.0L, Vec2{0.6L, -0.8L}},
              std::tuple{row.radius4, 4.0L, Vec2{-0.6L, 0.8L}}}) {
            if (radius == 0) continue;
            ASSERT_LT(n, example.trajectories.size());
            const Vec3 p = Start(n++);
            // On the circle to the last digits; along the ray as far as the gradient's
            // difference quotients tell its direction.
            EXPECT_NEAR(static_cast<double>(std::hypot(p.x, p.y)), static_cast<double>(radius),
                        1e-15);
            EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(radius * ray.x), 1e-12);
            EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(radius * ray.y), 1e-12);
            EXPECT_EQ(p.z, level);
        }
        EXPECT_EQ(n, example.trajectories.size());
    }
}

// The intersection of x^2 + y^2 + z^2 = 4 with z = A as its trees hold it (tree 4: the sphere
// with z replaced by A, traced in the plane (x, y), and the same cut by x = A, traced in the
// plane (y, z)): traced at A = 1 on the circle of radius sqrt 3, then A moved.
TEST_F(LevelSetTest, IntersectionCurvesFollowTheirParentsOrAreDropped) {
    example.kind = k::kSurfaceIntersection;
    example.derivation = 146;
    example.boxMin = {-3, -2.5L, -2};
    example.boxMax = {2.5L, 3, 2};
    const long double r3 = std::sqrt(3.0L);
    const struct {
        const char* tree4;
        int solvedAxis;
        int level;
        Vec3 start;
        long double a;
        Vec3 expected;  // the zero vector: dropped
    } rows[] = {
        {"x^2+y^2+A^2-4", 0, slot::kZ, {r3, 0, 0}, 0, {2, 0, 0}},
        {"x^2+y^2+A^2-4", 0, slot::kZ, {0, -r3, 0}, 0.5L, {0, -std::sqrt(3.75L), 0}},
        {"x^2+y^2+A^2-4", 0, slot::kZ, {r3, 0, 0}, 2.5L, {}},  // the plane misses the sphere
        {"x^2+y^2+A^2-4", 0, slot::kY, {r3, 0, 0}, 0, {}},     // not the plane of its trees
        {"A^2+y^2+z^2-4",
         -2,
         slot::kX,
         {0, 1.5L, r3 / 2},
         1.5L,
         {0, std::sqrt(1.3125L), std::sqrt(7.0L) / 4}},
        // On the set already: it stays where it is.
        {"x^2+y^2+A^2-4", 0, slot::kZ, {1.5L, 0, 0}, std::sqrt(1.75L), {1.5L, 0, 0}},
    };
    for (const auto& row : rows) {
        SetTree(4, row.tree4);
        example.SolvedAxis() = static_cast<std::int16_t>(row.solvedAxis);
        example.trajectories.clear();
        AddCurve(row.start, row.level);
        ctx.SetVar(kLetterA, row.a);
        const bool kept = row.expected.x != 0 || row.expected.y != 0 || row.expected.z != 0;
        EXPECT_EQ(FollowLevelCurves(ctx, example), kept ? 0 : 1) << row.tree4 << " " << row.a;
        ASSERT_EQ(example.trajectories.size(), kept ? 1u : 0u);
        if (!kept) continue;
        const Vec3 p = Start(0);
        const Vec3 q = row.expected;
        EXPECT_NEAR(static_cast<double>(Vec3Dot(p, p)), static_cast<double>(Vec3Dot(q, q)), 1e-15);
        EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(q.x), 1e-12);
        EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(q.y), 1e-12);
        EXPECT_NEAR(static_cast<double>(p.z), static_cast<double>(q.z), 1e-12);
    }
}

// A start moved onto the level set in its plane by the plain projection, on closed forms: after
// a jump of a parameter the start lies near the centre of a small circle and the first full
// Newton step is longer than the whole plane, yet the set is near and is reached; a set that is
// gone, or that crosses no side of the box near its point nearest the start, drops the start; a
// set whose nearest point lies beyond a side that it crosses within the box moves the start
// along that side to the crossing; a start within the search's tolerance of the set is moved
// onto it to the last digits. Each row stays within a bounded number of evaluations of f.
TEST(ProjectOntoLevelSetTest, StartsReachTheSetAfterAJumpOrAreDroppedWhereItIsGone) {
    const long double r3 = std::sqrt(3.0L);
    const long double topRadius = std::sqrt(4 - 1.99L * 1.99L);  // the circle at z = 1.99
    const auto sphere = [](Vec3 p) { return p.x * p.x + p.y * p.y + p.z * p.z - 4; };
    const auto bowl = [](long double b) {
        return [b](Vec3 p) { return p.z - (p.x * p.x + p.y * p.y + b); };
    };
    // (y - 1.5)^2 + (z + 0.5)^2 = 4 - x, and z^2 + (x - 1)^2 = 1 - y: circles off the axes.
    const auto offCentreX = [](Vec3 p) {
        return (p.y - 1.5L) * (p.y - 1.5L) + (p.z + 0.5L) * (p.z + 0.5L) + p.x - 4;
    };
    const auto offCentreY = [](Vec3 p) { return p.z * p.z + (p.x - 1) * (p.x - 1) + p.y - 1; };
    // x + y = 2.5 at every level z.
    const auto line = [](Vec3 p) { return p.x + p.y - 2.5L + 0 * p.z; };
    const long double nearAxis = std::sqrt(1 - 0.99L * 0.99L);  // (-0.99, this): a unit ray
    const Box3 cube{{-3, -3, -3}, {3, 3, 3}};
    const long double r325 = std::sqrt(3.25L);
    const long double r125 = std::sqrt(1.25L);
    const struct {
        const char* what;
        std::function<long double(Vec3)> f;
        Vec3 start;
        int level;
        Box3 box;
        std::optional<Vec3> expected;  // nothing: dropped
    } rows[] = {
        {"sphere, plane from z = 1.99 to 1",
         sphere,
         {0.6L * topRadius, -0.8L * topRadius, 1},
         slot::kZ,
         cube,
         Vec3{0.6L * r3, -0.8L * r3, 1}},
        {"bowl + B at level 4, B from 3.99 to 0",
         bowl(0),
         {-0.08L, 0.06L, 4},
         slot::kZ,
         {{-3, -3, -1}, {3, 3, 13}},
         Vec3{-1.6L, 1.2L, 4}},
        {"off centre at x = 0.75, box 2 x 6.5 x 4.25",
         offCentreX,
         {0.75L, 1.5L + 0.03L, -0.5L + 0.04L},
         slot::kX,
         {{-1, -2, -3}, {1, 4.5L, 1.25L}},
         Vec3{0.75L, 1.5L + 0.6L * r325, -0.5L + 0.8L * r325}},
        {"off centre at y = -0.25, box 3 x 2 x 2.75",
         offCentreY,
         {1 + 0.016L, -0.25L, 0.012L},
         slot::kY,
         {{-0.5L, -1, -1.25L}, {2.5L, 1, 1.5L}},
         Vec3{1 + 0.8L * r125, -0.25L, 0.6L * r125}},
        {"sphere, plane at z = 2.5 misses it",
         sphere,
         {0.6L * topRadius, -0.8L * topRadius, 2.5L},
         slot::kZ,
         cube,
         std::nullopt},
        {"bowl + 4.5 never reaches level 4",
         bowl(4.5L),
         {0.06L, -0.08L, 4},
         slot::kZ,
         {{-3, -3, -1}, {3, 3, 13}},
         std::nullopt},
        // The circle's point nearest the start lies just beyond a side, but the circle crosses
        // that side within the box: the start moves along the side to the crossing.
        {"circle just beyond the box's left side",
         sphere,
         {-0.99L * topRadius, nearAxis * topRadius, 1},
         slot::kZ,
         {{-1.7L, -3, -3}, {3, 2.5L, 3}},
         Vec3{-1.7L, std::sqrt(0.11L), 1}},
        {"circle just beyond the box's top side",
         sphere,
         {0.6L * topRadius, 0.8L * topRadius, 1},
         slot::kZ,
         {{-2.5L, -3, -3}, {1.5L, 1.2L, 3}},
         Vec3{std::sqrt(1.56L), 1.2L, 1}},
        {"off centre at x = 0.75 beyond the top side z = 0.5",
         offCentreX,
         {0.75L, 1.5L + 0.03L, -0.5L + 0.04L},
         slot::kX,
         {{-1, -2, -3}, {1, 4.5L, 0.5L}},
         Vec3{0.75L, 3, 0.5L}},
        {"off centre at y = -0.25 beyond the side x = 1.5",
         offCentreY,
         {1 + 0.016L, -0.25L, 0.012L},
         slot::kY,
         {{-0.5L, -1, -1.25L}, {1.5L, 1, 1.5L}},
         Vec3{1.5L, -0.25L, 1}},
        {"line crossing the right side below the top",
         line,
         {0.4L, 0.3L, -2},
         slot::kZ,
         {{-1, -2, -3}, {1.2L, 1.31L, 3}},
         Vec3{1.2L, 1.3L, -2}},
        {"line crossing the right side just above the top",
         line,
         {0.4L, 0.3L, -2},
         slot::kZ,
         {{-1, -2, -3}, {1.2L, 1.29L, 3}},
         std::nullopt},
        {"line passing beyond the box's corner",
         line,
         {0.4L, 0.3L, -2},
         slot::kZ,
         {{-1, -2, -3}, {1.2L, 1.15L, 3}},
         std::nullopt},
        {"circle just inside the box's left side",
         sphere,
         {-topRadius, 0, 1},
         slot::kZ,
         {{-1.74L, -3, -3}, {3, 2.5L, 3}},
         Vec3{-r3, 0, 1}},
        {"within the search's tolerance of the circle",
         sphere,
         {0.6L * (r3 + 5e-5L), -0.8L * (r3 + 5e-5L), 1},
         slot::kZ,
         cube,
         Vec3{0.6L * r3, -0.8L * r3, 1}},
    };
    for (const auto& row : rows) {
        int evaluations = 0;
        const ScalarField3 f = [&](Vec3 p, long double& out) {
            ++evaluations;
            out = row.f(p);
            return true;
        };
        const std::optional<Vec3> p = ProjectOntoLevelSet(f, row.start, row.level, row.box);
        EXPECT_LE(evaluations, 1600) << row.what;  // bounded work, set or no set
        EXPECT_EQ(p.has_value(), row.expected.has_value()) << row.what;
        if (!p || !row.expected) continue;
        const Vec3 q = *row.expected;
        EXPECT_NEAR(static_cast<double>(p->x), static_cast<double>(q.x), 1e-9) << row.what;
        EXPECT_NEAR(static_cast<double>(p->y), static_cast<double>(q.y), 1e-9) << row.what;
        EXPECT_NEAR(static_cast<double>(p->z), static_cast<double>(q.z), 1e-9) << row.what;
        // The level's coordinate stays; the start lies on the set.
        EXPECT_EQ(row.level == slot::kX   ? p->x
                  : row.level == slot::kY ? p->y
                                          : p->z,
                  row.level == slot::kX   ? q.x
                  : row.level == slot::kY ? q.y
                                          : q.z)
            << row.what;
        EXPECT_LE(std::fabs(row.f(*p)), 1e-12L) << row.what;
    }
}

// A circle u^2 + v^2 = r^2 grown past one side, two sides and every side of the box [-1.5, 2.5] x
// [-2, 1.2] in (u, v), and the line u + v = 3.2 through the box's top right corner, in each of the
// three planes (u, v) = (x, y) at z = 0.75, (y, z) at x = 0.75 and (z, x) at y = 0.75, each
// traced one way from its start (1: along (-Fv, Fu), that is (-2v, 2u) on the circle and (-1, 1)
// on the line; -1: against it): a start moved onto a side goes where its way leads into the box,
// on the closed form. Where the way leads out at the crossing nearest the set's point, the start
// goes where the arc through the box that ends there comes in: on that side, or on the next side
// along the set. From straight above the centre, where Newton's steps along the top find no
// crossing (f's slope along it is 0 there), the sides' samples find the crossings. The line ending
// at u = 2.2 in the box has no crossing where the way 1 leads in: dropped. Every start kept lies
// on its side and on the set at its level, its way pointing into the box, within a bounded number
// of values of f.
TEST(ProjectOntoLevelSetTest, StartsMovedOntoASideGoWhereTheirWayLeadsIn) {
    const long double level = 0.75L;
    const long double s145 = std::sqrt(1.45L);  // the circle of radius 1.7 meets v = 1.2
    const long double line = 0;                 // a row of the line, not a circle
    const struct {
        const char* what;
        long double radius;   // of the circle the set grew to; 0: the line
        long double degrees;  // the start on the unit circle (the line: (1.6, 0.9))
        int direction;
        std::optional<Vec2> expected;  // nothing: dropped
        bool lineEnds = false;         // the line undefined beyond u = 2.2
    } rows[] = {
        {"past the top, from 80 degrees: out at (0.5, 1.2)", 1.3L, 80, 1, Vec2{-0.5L, 1.2L}},
        {"past the top, from 80 degrees: in at (0.5, 1.2)", 1.3L, 80, -1, Vec2{0.5L, 1.2L}},
        {"past the top, from 100 degrees: in at (-0.5, 1.2)", 1.3L, 100, 1, Vec2{-0.5L, 1.2L}},
        {"past the top, from 100 degrees: out at (-0.5, 1.2)", 1.3L, 100, -1, Vec2{0.5L, 1.2L}},
        {"past top and left, from 160: out at (-1.5, 0.8), in on the top", 1.7L, 160, 1,
         Vec2{-s145, 1.2L}},
        {"past top and left, from 160: in at (-1.5, 0.8)", 1.7L, 160, -1, Vec2{-1.5L, 0.8L}},
        {"past top and left, from 200: in at (-1.5, -0.8)", 1.7L, 200, 1, Vec2{-1.5L, -0.8L}},
        {"past top and left, from 200: out at (-1.5, -0.8), in on the top", 1.7L, 200, -1,
         Vec2{s145, 1.2L}},
        {"past top and left, straight above the centre", 1.7L, 90, 1, Vec2{-s145, 1.2L}},
        {"past top and left, straight above the centre, the other way", 1.7L, 90, -1,
         Vec2{s145, 1.2L}},
        {"past every side, from 5 degrees: in at (2.5, 0.51^0.5)", 2.6L, 5, 1,
         Vec2{2.5L, std::sqrt(0.51L)}},
        {"past every side, from 5 degrees: out at (2.5, 0.51^0.5), in on the top", 2.6L, 5, -1,
         Vec2{std::sqrt(5.32L), 1.2L}},
        {"past every side, from -5 degrees: out at (2.5, -0.51^0.5), in on the bottom", 2.6L, -5, 1,
         Vec2{std::sqrt(2.76L), -2}},
        {"past every side, from -5 degrees: in at (2.5, -0.51^0.5)", 2.6L, -5, -1,
         Vec2{2.5L, -std::sqrt(0.51L)}},
        {"line beyond the top: out at (2, 1.2), in on the right", line, 0, 1, Vec2{2.5L, 0.7L}},
        {"line beyond the top: in at (2, 1.2)", line, 0, -1, Vec2{2, 1.2L}},
        {"line ending in the box: no crossing leads in", line, 0, 1, std::nullopt, true},
        {"line ending in the box: in at (2, 1.2)", line, 0, -1, Vec2{2, 1.2L}, true},
    };
    // Each plane: the point of (u, v) at the level c, and (u, v) of a point.
    const struct {
        int level;
        Vec3 (*point)(Vec2, long double);
        Vec2 (*plane)(Vec3);
    } planes[] = {
        {slot::kZ,
         [](Vec2 q, long double c) {
             return Vec3{q.x, q.y, c};
         },
         [](Vec3 p) {
             return Vec2{p.x, p.y};
         }},
        {slot::kX,
         [](Vec2 q, long double c) {
             return Vec3{c, q.x, q.y};
         },
         [](Vec3 p) {
             return Vec2{p.y, p.z};
         }},
        {slot::kY,
         [](Vec2 q, long double c) {
             return Vec3{q.y, c, q.x};
         },
         [](Vec3 p) {
             return Vec2{p.z, p.x};
         }},
    };
    const Vec2 low{-1.5L, -2};
    const Vec2 high{2.5L, 1.2L};
    for (const auto& plane : planes)
        for (const auto& row : rows) {
            const std::string what =
                std::string(row.what) + ", level variable " + std::to_string(plane.level);
            const bool isLine = row.radius == line;
            const auto value = [&row, isLine](Vec2 q) {
                return isLine ? q.x + q.y - 3.2L : q.x * q.x + q.y * q.y - row.radius * row.radius;
            };
            // The way of the row's direction, closed form.
            const auto way = [&row, isLine](Vec2 q) {
                const Vec2 tangent = isLine ? Vec2{-1, 1} : Vec2{-2 * q.y, 2 * q.x};
                return static_cast<long double>(row.direction) * tangent;
            };
            int evaluations = 0;
            const ScalarField3 f = [&](Vec3 p, long double& out) {
                ++evaluations;
                out = value(plane.plane(p));
                return !row.lineEnds || plane.plane(p).x <= 2.2L;
            };
            const CurveWay curveWay = [&](Vec3 p, Vec2& v) {
                v = way(plane.plane(p));
                return true;
            };
            const long double a = row.degrees * std::numbers::pi_v<long double> / 180;
            const Vec2 start = isLine ? Vec2{1.6L, 0.9L} : Vec2{std::cos(a), std::sin(a)};
            const Box3 box{plane.point(low, -1), plane.point(high, 3)};
            const std::optional<Vec3> p =
                ProjectOntoLevelSet(f, plane.point(start, level), plane.level, box, curveWay);
            EXPECT_LE(evaluations, 1600) << what;  // bounded work, as in the rows above
            ASSERT_EQ(p.has_value(), row.expected.has_value()) << what;
            if (!p) continue;
            const Vec2 q = plane.plane(*p);
            EXPECT_NEAR(static_cast<double>(q.x), static_cast<double>(row.expected->x), 1e-12)
                << what;
            EXPECT_NEAR(static_cast<double>(q.y), static_cast<double>(row.expected->y), 1e-12)
                << what;
            const Vec3 atLevel = plane.point(q, level);
            EXPECT_EQ(std::tuple(p->x, p->y, p->z), std::tuple(atLevel.x, atLevel.y, atLevel.z))
                << what;
            EXPECT_LE(std::fabs(value(q)), 1e-12L) << what;
            // On a side, exactly, and the way there points into the box across it.
            const Vec2 v = way(q);
            const long double inward = q.x == low.x    ? v.x
                                       : q.x == high.x ? -v.x
                                       : q.y == low.y  ? v.y
                                       : q.y == high.y ? -v.y
                                                       : 0;
            EXPECT_GT(inward, 0) << what;
        }
}

// The curve y = 0.9 sin 30x runs through the box [-1.5, 2.5] x [-2, 1.2] from its left side to
// its right side in 19 waves, far longer than the steps that follow a set back through the box
// may go (16 extents). A start beyond the right side whose way leads out there still goes to the
// crossing where the way leads in, on the left side (from the sides' samples), within a bounded
// number of values of f; the other way it stays on the right side.
TEST(ProjectOntoLevelSetTest, ASetTooLongToFollowBackStillFindsWhereItsWayLeadsIn) {
    const Box3 box{{-1.5L, -2, -1}, {2.5L, 1.2L, 3}};
    const auto value = [](Vec3 p) { return p.y - 0.9L * std::sin(30 * p.x); };
    const auto tangent = [](Vec3 p) { return Vec2{-1, -27 * std::cos(30 * p.x)}; };
    for (const int direction : {1, -1}) {
        int evaluations = 0;
        const ScalarField3 f = [&](Vec3 p, long double& out) {
            ++evaluations;
            out = value(p);
            return true;
        };
        const CurveWay way = [&](Vec3 p, Vec2& v) {
            v = static_cast<long double>(direction) * tangent(p);
            return true;
        };
        const std::optional<Vec3> p =
            ProjectOntoLevelSet(f, {2.7L, -0.3L, 0.5L}, slot::kZ, box, way);
        EXPECT_LE(evaluations, 12000) << direction;  // 10 000 for the steps back, then the sides
        ASSERT_TRUE(p.has_value()) << direction;
        const long double x = direction > 0 ? 2.5L : -1.5L;
        EXPECT_EQ(p->x, x) << direction;
        EXPECT_NEAR(static_cast<double>(p->y), static_cast<double>(0.9L * std::sin(30 * x)), 1e-12)
            << direction;
        EXPECT_EQ(p->z, 0.5L) << direction;
    }
}

// The unit circle about (0, 2.2 + gap) touches the top side y = 1.2 of the box [-1.5, 2.5] x
// [-2, 1.2] from beyond, at a gap within the box's margin (a billionth of its extent): it
// counts as touching the box, so a start above its centre is kept, moved onto the side at
// (0, 1.2), in the box, with or without a way, though no crossing is found there.
TEST(ProjectOntoLevelSetTest, ASetTouchingASideWithinTheMarginKeepsItsStartOnTheSide) {
    const Box3 box{{-1.5L, -2, -1}, {2.5L, 1.2L, 3}};
    const struct {
        const char* what;
        long double gap;
        int direction;  // 0: no way
    } rows[] = {
        {"a trillionth, no way", 1e-12L, 0},
        {"a trillionth, forward", 1e-12L, 1},
        {"2e-9, backward", 2e-9L, -1},
    };
    for (const auto& row : rows) {
        const long double centre = 2.2L + row.gap;
        const ScalarField3 f = [centre](Vec3 p, long double& out) {
            out = p.x * p.x + (p.y - centre) * (p.y - centre) - 1;
            return true;
        };
        const CurveWay way = [&row, centre](Vec3 p, Vec2& v) {
            v = static_cast<long double>(row.direction) * Vec2{-2 * (p.y - centre), 2 * p.x};
            return true;
        };
        const std::optional<Vec3> p = ProjectOntoLevelSet(f, {0, 1.5L, 0.5L}, slot::kZ, box,
                                                          row.direction == 0 ? CurveWay{} : way);
        ASSERT_TRUE(p.has_value()) << row.what;
        EXPECT_EQ(std::tuple(p->x, p->y, p->z), std::tuple(0.0L, 1.2L, 0.5L)) << row.what;
    }
}

// A start moved onto the set stays there, to the bit, through a thousand more follows with
// nothing changed: no follow drifts it along the set or off it. The surface
// z = sin x cos 1.3y + 0.1xy at its levels in three planes, in a box with unequal sides.
TEST(ProjectOntoLevelSetTest, AStartOnTheSetStaysThroughAThousandFollows) {
    const ScalarField3 f = [](Vec3 p, long double& out) {
        out = p.z - (std::sin(p.x) * std::cos(1.3L * p.y) + 0.1L * p.x * p.y);
        return true;
    };
    const Box3 box{{-2, -1.5L, -1.25L}, {2.5L, 3, 1}};
    for (const int level : {slot::kX, slot::kY, slot::kZ}) {
        const std::optional<Vec3> first = ProjectOntoLevelSet(f, {0.7L, 0.4L, 0.3L}, level, box);
        ASSERT_TRUE(first.has_value()) << level;
        Vec3 p = *first;
        for (int n = 0; n < 1000; ++n) {
            const std::optional<Vec3> next = ProjectOntoLevelSet(f, p, level, box);
            ASSERT_TRUE(next.has_value()) << level << " " << n;
            p = *next;
        }
        EXPECT_EQ(std::tuple(p.x, p.y, p.z), std::tuple(first->x, first->y, first->z)) << level;
    }
}

// The explicit surface z = x^2 + y^2 + B and one level curve at z = 1 in the box [-1.5, 2.5] x
// [-2, 1.2], its record traced one way (selectors 13 and 4: (-2y, 2x) forward, as the level
// windows make them; its end time after or before its start time): at B = 0 the unit circle
// from 80 or 100 degrees. B = -0.69 grows it to radius 1.3, past the top side, which it crosses
// at (+-0.5, 1.2); its point nearest either start lies beyond the top. The record, traced as the
// tracer traces it, now draws the whole arc in the box, of length 1.3 (pi + 2 asin(12/13)), from
// the crossing where its way leads in; back at B = 0 it closes its whole circle, of length 2 pi.
TEST_F(LevelSetTest, AStartMovedOntoASideIsTracedThroughTheBoxEitherWay) {
    example.kind = k::kSurface;
    SetTree(3, "x^2+y^2+B");
    SetTree(5, "2*x");
    SetTree(6, "2*y");
    example.boxMin = {-1.5L, -2, -1};
    example.boxMax = {2.5L, 1.2L, 20};
    const long double pi = std::numbers::pi_v<long double>;
    const long double arcInBox = 1.3L * (pi + 2 * std::asin(12 / 13.0L));
    // The trace's length in the box (from its start to the last point before it leaves it), and
    // whether it closed.
    const auto traced = [this] {
        points.clear();
        TraceHooks hooks = Collecting();
        hooks.inside = [this](const TracePoint& p) {
            return IsInsideBox3D({example.boxMin, example.boxMax}, p.position);
        };
        const TraceResult r = TraceLevelCurve(ctx, example, example.trajectories[0],
                                              TracerSettings::ForPixelSize(0.002L), hooks);
        long double length = 0;
        for (std::size_t n = 1; n < points.size() && points[n].inside; ++n)
            length += Vec3Dist(points[n].position, points[n - 1].position);
        return std::pair(length, r.stop == TraceStop::kClosed);
    };
    for (const long double degrees : {80.0L, 100.0L})
        for (const long double endTime : {1e18L, -1e18L}) {
            const std::string what = std::to_string(static_cast<int>(degrees)) + " degrees, " +
                                     (endTime > 0 ? "forward" : "backward");
            example.trajectories.clear();
            const long double a = degrees * pi / 180;
            example.trajectories.push_back(
                Record(k::kSurface, {std::cos(a), std::sin(a), 1}, endTime, {13, 4, -1}, slot::kZ));
            ctx.SetVar(kLetterB, -0.69L);
            ASSERT_EQ(FollowLevelCurves(ctx, example), 0) << what;
            const Vec3 p = Start(0);
            // Where the way leads in: (-0.5, 1.2) counter-clockwise, (0.5, 1.2) clockwise.
            EXPECT_EQ(p.y, 1.2L) << what;
            EXPECT_NEAR(static_cast<double>(p.x), endTime > 0 ? -0.5 : 0.5, 1e-12) << what;
            const auto [inBox, closedInBox] = traced();
            EXPECT_NEAR(static_cast<double>(inBox), static_cast<double>(arcInBox), 0.01) << what;
            EXPECT_FALSE(closedInBox) << what;

            ctx.SetVar(kLetterB, 0);
            ASSERT_EQ(FollowLevelCurves(ctx, example), 0) << what;
            EXPECT_NEAR(static_cast<double>(std::hypot(Start(0).x, Start(0).y)), 1, 1e-12) << what;
            const auto [whole, closed] = traced();
            EXPECT_NEAR(static_cast<double>(whole), static_cast<double>(2 * pi), 0.01) << what;
            EXPECT_TRUE(closed) << what;
        }
}

// The circle u^2 + v^2 = -B in the plane (u, v) of a level, as each kind's trees hold it with the
// field the windows give its curves (selectors as the level windows make them): an implicit
// surface x^2 + y^2 + z^2 - 0.25 + B = 0 at x, y or z = 0.5 ((-Fz, Fy), (-Fx, Fz), (-Fy, Fx)); a
// surface intersection in its plane (its tangent trees 5 and 6, or 6 and 7); one with a
// parametric surface in its parameter plane (t as x, u as y; (-Gu, Gt)). The box in (u, v) is
// [-1.5, 2.5] x [-2, 1.2] (for the parametric one, its parameter ranges). One record at B = -1,
// the unit circle from 80 or 100 degrees, traced forward or backward; B = -1.69 grows it past
// the top side v = 1.2. The record, moved, is traced through the box as the tracer traces it:
// from the crossing where its way leads in, (-0.5, 1.2) counter-clockwise, along the whole arc
// in the box, of length 1.3 (pi + 2 asin(12/13)).
TEST_F(LevelSetTest, AStartMovedOntoASideIsTracedThroughTheBoxInEveryPlane) {
    constexpr std::int16_t n = kNegatedTree;
    using Plane = Vec3 (*)(Vec2, long double);
    const Plane xLevel = [](Vec2 q, long double c) { return Vec3{c, q.x, q.y}; };
    const Plane yLevel = [](Vec2 q, long double c) { return Vec3{q.y, c, q.x}; };
    const Plane zLevel = [](Vec2 q, long double c) { return Vec3{q.x, q.y, c}; };
    const char* sphere = "x^2+y^2+z^2-0.25+B";
    const struct {
        const char* what;
        int kind;
        int derivation;
        int solvedAxis;
        std::array<const char*, 4> trees;  // trees 4 to 7
        std::array<std::int16_t, 3> selectors;
        int level;
        Plane point;
        long double c;  // the level
    } rows[] = {
        {"implicit, x level",
         k::kImplicitSurface,
         0,
         0,
         {sphere, "2*x", "2*y", "2*z"},
         {n + 6, 5, -1},
         slot::kX,
         xLevel,
         0.5L},
        {"implicit, y level",
         k::kImplicitSurface,
         0,
         0,
         {sphere, "2*x", "2*y", "2*z"},
         {n + 4, 6, -1},
         slot::kY,
         yLevel,
         0.5L},
        {"implicit, z level",
         k::kImplicitSurface,
         0,
         0,
         {sphere, "2*x", "2*y", "2*z"},
         {n + 5, 4, -1},
         slot::kZ,
         zLevel,
         0.5L},
        {"intersection in the plane (x, y)",
         k::kSurfaceIntersection,
         146,
         0,
         {"x^2+y^2+B", "-2*y", "2*x", "0"},
         {4, 5, -1},
         slot::kZ,
         zLevel,
         0.5L},
        {"intersection in the plane (y, z)",
         k::kSurfaceIntersection,
         146,
         -2,
         {"y^2+z^2+B", "0", "-2*z", "2*y"},
         {5, 6, -1},
         slot::kX,
         xLevel,
         0.5L},
        {"intersection in the parameter plane",
         k::kSurfaceIntersection,
         examples::derived::kFirstParametricIntersection,
         0,
         {"x^2+y^2+B", "2*x", "2*y", "0"},
         {n + 5, 4, -1},
         slot::kZ,
         zLevel,
         0},
    };
    const Vec2 low{-1.5L, -2};
    const Vec2 high{2.5L, 1.2L};
    const long double pi = std::numbers::pi_v<long double>;
    const long double arcInBox = 1.3L * (pi + 2 * std::asin(12 / 13.0L));
    for (const auto& row : rows) {
        example.kind = static_cast<std::uint16_t>(row.kind);
        example.derivation = static_cast<std::uint16_t>(row.derivation);
        example.SolvedAxis() = static_cast<std::int16_t>(row.solvedAxis);
        for (int t = 0; t < 4; ++t) SetTree(4 + t, row.trees[static_cast<std::size_t>(t)]);
        example.boxMin = row.point(low, -1);
        example.boxMax = row.point(high, 3);
        example.rangeLow = {low.x, low.y};
        example.rangeHigh = {high.x, high.y};
        const Box3 box = LevelSearchBox(example);
        for (const long double degrees : {80.0L, 100.0L})
            for (const long double endTime : {1e18L, -1e18L}) {
                const std::string what = std::string(row.what) + ", " +
                                         std::to_string(static_cast<int>(degrees)) + " degrees, " +
                                         (endTime > 0 ? "forward" : "backward");
                const long double a = degrees * pi / 180;
                example.trajectories.clear();
                example.trajectories.push_back(Record(row.kind,
                                                      row.point({std::cos(a), std::sin(a)}, row.c),
                                                      endTime, row.selectors, row.level));
                ctx.SetVar(kLetterB, -1.69L);
                ASSERT_EQ(FollowLevelCurves(ctx, example), 0) << what;
                const Vec3 expected = row.point({endTime > 0 ? -0.5L : 0.5L, 1.2L}, row.c);
                const Vec3 p = Start(0);
                EXPECT_NEAR(static_cast<double>(Vec3Dist(p, expected)), 0, 1e-12) << what;
                points.clear();
                TraceHooks hooks = Collecting();
                hooks.inside = [&box](const TracePoint& q) {
                    return IsInsideBox3D(box, q.position);
                };
                const TraceResult r = TraceLevelCurve(ctx, example, example.trajectories[0],
                                                      TracerSettings::ForPixelSize(0.002L), hooks);
                EXPECT_EQ(r.stop, TraceStop::kLeftRegion) << what;
                long double length = 0;
                for (std::size_t m = 1; m < points.size() && points[m].inside; ++m)
                    length += Vec3Dist(points[m].position, points[m - 1].position);
                EXPECT_NEAR(static_cast<double>(length), static_cast<double>(arcInBox), 0.01)
                    << what;
                ctx.SetVar(kLetterB, -1);
            }
    }
}

// The bowl z = x^2 + y^2 + B at level 1 in the box [-1.5, 2.5] x [-2, 1.2], its record moved onto
// the top side at B = -0.69 (radius 1.3, the start at (-+0.5, 1.2) where its way leads in), then
// B moved on by a step so small that the circle moves out past the side by less than a
// billionth of the box (as a slider's last steps or a value typed near the last one may): the
// start stays in the box, on the circle and on the side where its way leads in, and the tracer
// still draws the whole arc in the box; a step that moves the circle in draws it too.
TEST_F(LevelSetTest, AStartOnASideStaysInTheBoxWhenItsSetMovesOutALittle) {
    example.kind = k::kSurface;
    SetTree(3, "x^2+y^2+B");
    SetTree(5, "2*x");
    SetTree(6, "2*y");
    example.boxMin = {-1.5L, -2, -1};
    example.boxMax = {2.5L, 1.2L, 20};
    const Box3 box{example.boxMin, example.boxMax};
    const long double pi = std::numbers::pi_v<long double>;
    const struct {
        const char* what;
        long double b;
        long double endTime;
    } rows[] = {
        {"out by 1.1e-9, forward", -0.69L - 3e-9L, 1e18L},
        {"out by 1.1e-9, backward", -0.69L - 3e-9L, -1e18L},
        {"out by 3.6e-15, forward", -0.69L - 1e-14L, 1e18L},
        {"in by 0.7e-9, backward", -0.69L + 2e-9L, -1e18L},
    };
    for (const auto& row : rows) {
        const std::string what = row.what;
        example.trajectories.clear();
        example.trajectories.push_back(Record(k::kSurface, {std::cos(1.4L), std::sin(1.4L), 1},
                                              row.endTime, {13, 4, -1}, slot::kZ));
        ctx.SetVar(kLetterB, -0.69L);
        ASSERT_EQ(FollowLevelCurves(ctx, example), 0) << what;
        ASSERT_EQ(Start(0).y, 1.2L) << what;
        ctx.SetVar(kLetterB, row.b);
        ASSERT_EQ(FollowLevelCurves(ctx, example), 0) << what;
        const Vec3 p = Start(0);
        const long double radius = std::sqrt(1 - row.b);
        EXPECT_TRUE(IsInsideBox3D(box, p))
            << what << ": " << static_cast<double>(p.x) << "," << static_cast<double>(p.y - 1.2L);
        EXPECT_NEAR(static_cast<double>(std::hypot(p.x, p.y)), static_cast<double>(radius), 1e-15)
            << what;
        EXPECT_LT(p.x * (row.endTime > 0 ? 1 : -1), 0) << what;
        points.clear();
        TraceHooks hooks = Collecting();
        hooks.inside = [&box](const TracePoint& q) { return IsInsideBox3D(box, q.position); };
        TraceLevelCurve(ctx, example, example.trajectories[0], TracerSettings::ForPixelSize(0.002L),
                        hooks);
        long double length = 0;
        for (std::size_t m = 1; m < points.size() && points[m].inside; ++m)
            length += Vec3Dist(points[m].position, points[m - 1].position);
        const long double arcInBox = radius * (pi + 2 * std::asin(1.2L / radius));
        EXPECT_NEAR(static_cast<double>(length), static_cast<double>(arcInBox), 0.01) << what;
    }
}

// A set that leaves the box, a curve that is no level curve, and an example without its tree.
TEST_F(LevelSetTest, WhatCannotFollowIsDroppedAndOtherRecordsStay) {
    example.kind = k::kImplicitSurface;
    SetTree(4, "x^2+y^2+z^2-A^2");
    example.boxMin = {-1.5L, -1, -1.25L};
    example.boxMax = {1, 1.5L, 1.25L};
    AddCurve({0, 0.8L, 0.6L}, slot::kX);  // on the unit sphere at x = 0
    AddCurve({0.3L, 0, 0.4L}, slot::kY);  // at y = 0
    AddCurve({5, 6, 7}, 2);               // a system's trajectory: method 2
    ctx.SetVar(kLetterA, 2);
    EXPECT_EQ(FollowLevelCurves(ctx, example), 2);  // both circles of radius 2 leave the box
    ASSERT_EQ(example.trajectories.size(), 1u);
    EXPECT_EQ(example.trajectories[0].option1, 2);
    EXPECT_EQ(Start(0).x, 5);

    ctx.SetVar(kLetterA, 0.5L);
    AddCurve({0, 0.8L, 0.6L}, slot::kX);
    EXPECT_EQ(FollowLevelCurves(ctx, example), 0);
    EXPECT_NEAR(static_cast<double>(Start(1).y), 0.4, 1e-15);
    EXPECT_NEAR(static_cast<double>(Start(1).z), 0.3, 1e-15);

    example.Tree(4).reset();
    ctx.SetVar(kLetterA, 3);
    EXPECT_EQ(FollowLevelCurves(ctx, example), 0);
    EXPECT_EQ(example.trajectories.size(), 2u);
}

}  // namespace
}  // namespace quorlin::dynamics
