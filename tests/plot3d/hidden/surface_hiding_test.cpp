// The hidden-line decisions of each surface family as one table, most of it for the square
// z = 0 over [-1, 1]^2 seen from (5, 0, 5): a point under the square is hidden and one over it
// is not; a sight line that misses the square, starts on it or runs above the box hides
// nothing; one check a point looks at the eye-side end alone; a vertical sight line; the disc
// chord behind the point; a cylindrical surface's second turn, a partial last turn only where
// its range reaches, nothing through its hole, no two sheets compared across its seam, a sight
// line through its axis, and its ranges given high end first; parametric patches, planes and
// the left-out corners of a cell (undefined, or out of the box, not merely on its face); a point
// off the window; the planarity threshold in Cube mode; the programs a drawing keeps for its
// tests.
#include "plot3d/hidden/surface_hiding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "plot3d/scene/example_boxes.h"
#include "plot3d/scene/observer.h"

namespace quorlin::plot3d::hidden {
namespace {

using examples::TExample;
namespace kind = examples::kind;

enum class Family { kExplicit, kPolar, kImplicit, kMesh, kPlane };

class SurfaceHidingTest : public ::testing::Test {
protected:
    SurfaceHidingTest() { Look({5, 0, 5}, {{-1, -1, -1}, {1, 1, 1}}); }

    // The observer at the eye looking at the centre of the scene box.
    void Look(Vec3 eye, TBox3 scene, bool cube = false) {
        box.min = scene.min;
        box.max = scene.max;
        box.centre = Vec3Midpoint(scene.min, scene.max);
        box.ComputeScale();
        observer.focus = box.centre;
        observer.eye = eye;
        observer.boxEye = box.WorldToBox(eye);
        observer.cube = cube;
        ComputeViewAngles(observer);
    }
    void SetTree(TExample& e, int k, std::string_view text) {
        ASSERT_EQ(f.Parse(text), 0) << text;
        e.Tree(k) = f.TakeParseResult();
    }
    // A surface with one tree over the ranges and a given box.
    TExample Surface(int kindCode, int tree, std::string_view text, Vec2 first, Vec2 second,
                     TBox3 given) {
        TExample e;
        e.Init(kindCode, 2, 50);
        SetTree(e, tree, text);
        e.rangeLow = {first.x, second.x};
        e.rangeHigh = {first.y, second.y};
        SetBoxAutomatic(e, false);
        SetBox(e, given);
        return e;
    }
    // The 4 x 4 mesh of x = t, y = u, z = 0 over [-1, 1]^2 with its (widened) automatic box.
    TExample FlatPatch(int kindCode) {
        TExample e;
        e.Init(kindCode, 2, 50);
        SetTree(e, 1, "t");
        SetTree(e, 2, "u");
        SetTree(e, 3, "0");
        e.rangeLow = {-1, -1};
        e.rangeHigh = {1, 1};
        e.divisions = {4, 4, 36};
        SetBoxAutomatic(e, true);
        RecomputeExampleBox(f, e, false, {});
        return e;
    }
    bool Hidden(Family family, const TExample& e, Vec3 p, int samples = 12, bool obscure = true,
                canvas::TLDRect window = {-100, 100, -100, 100}) {
        const THiddenLineView view{observer, box, window, samples, 0.1L, obscure};
        switch (family) {
            case Family::kExplicit:
                return IsHiddenByExplicitSurface(f, e, view, p);
            case Family::kPolar:
                return IsHiddenByPolarSurface(f, e, view, p);
            case Family::kImplicit:
                return IsHiddenByImplicitSurface(f, e, view, p);
            case Family::kMesh:
                return IsHiddenByMeshSurface(e, view, p);
            case Family::kPlane:
                return IsHiddenByPlanePatch(e, view, p);
        }
        return false;
    }

    FormulaContext f;
    examples::TObserver observer;
    examples::TSceneBox box;
    const TBox3 unitBox{{-1, -1, -1}, {1, 1, 1}};
};

TEST_F(SurfaceHidingTest, TheSignOfAPointAgainstEachSurface) {
    const TExample root = Surface(kind::kSurface, 3, "sqrt(x)", {0, 9}, {0, 1}, unitBox);
    const TExample ball =
        Surface(kind::kImplicitSurface, 4, "x^2 + y^2 + z^2 - 1", {0, 1}, {0, 1}, unitBox);
    const TExample spiral = Surface(kind::kPolarSurface, 3, "t + r", {0, 1}, {0, 9}, unitBox);
    const TreeProgram height(f, root.trees[2].get()), level(f, ball.trees[3].get()),
        turning(f, spiral.trees[2].get());
    // Over and under sqrt(4) = 2, on it, within 1e-16 of it, and where it is undefined.
    EXPECT_EQ((std::array{ExplicitSurfaceSign(f, height, {4, 0.5L, 3}),
                          ExplicitSurfaceSign(f, height, {4, 0.5L, 1.5L}),
                          ExplicitSurfaceSign(f, height, {4, 0.5L, 2}),
                          ExplicitSurfaceSign(f, height, {4, 0.5L, 2 + 1e-17L}),
                          ExplicitSurfaceSign(f, height, {-1, 0.5L, 5})}),
              (std::array{1, -1, 0, 0, 0}));
    EXPECT_EQ((std::array{ImplicitSurfaceSign(f, level, {0.5L, 0, 0}),
                          ImplicitSurfaceSign(f, level, {0, 0, 1}),
                          ImplicitSurfaceSign(f, level, {1, 1, -1})}),
              (std::array{-1, 0, 1}));
    // At radius 0.5 and angle 0.3 the surface lies at 0.8 + 2 pi k on turn k of t from 0; from
    // t = 1 the first turn already starts at 0.3 + 2 pi; from -7 the angle itself is on it.
    const Vec3 p{0.5L * std::cos(0.3L), 0.5L * std::sin(0.3L), 1};
    // At angle -2 the first turn from 0 has t = 2 pi - 2 (4.28), so the surface is at 4.78.
    const Vec3 q{0.5L * std::cos(-2.0L), 0.5L * std::sin(-2.0L), 4.5L};
    EXPECT_EQ(
        (std::array{PolarSurfaceSign(f, turning, 0, p, 0), PolarSurfaceSign(f, turning, 0, p, 1),
                    PolarSurfaceSign(f, turning, 1, p, 0), PolarSurfaceSign(f, turning, -7, p, 0),
                    PolarSurfaceSign(f, turning, 0, q, 0), PolarSurfaceSign(f, turning, -3, q, 0)}),
        (std::array{1, -1, -1, 1, -1, 1}));
    // On a t range that ends: turn 1 at the angle 0.3 (t = 6.58) lies within 0..9 and not
    // within 0..6; at the angle -2 turn 0 (t = 4.28) lies within 0..5 and not within 0..4.
    EXPECT_EQ(
        (std::array{PolarSheetSign(f, turning, 0, 9, p, 0), PolarSheetSign(f, turning, 0, 9, p, 1),
                    PolarSheetSign(f, turning, 0, 6, p, 1), PolarSheetSign(f, turning, 0, 5, q, 0),
                    PolarSheetSign(f, turning, 0, 4, q, 0)}),
        (std::array<std::optional<int>, 5>{1, -1, std::nullopt, -1, std::nullopt}));
}

TEST_F(SurfaceHidingTest, ExplicitSurfacesBySignAlongTheSightLine) {
    const TExample flat = Surface(kind::kSurface, 3, "0", {-1, 1}, {-1, 1}, unitBox);
    // z = 2 lies above a box that ends at z = 1; in a box up to 3 it hides the point.
    const TExample high = Surface(kind::kSurface, 3, "2", {-1, 1}, {-1, 1}, unitBox);
    const TExample tall =
        Surface(kind::kSurface, 3, "2", {-1, 1}, {-1, 1}, {{-1, -1, -1}, {1, 1, 3}});
    // From (0, 0, -1) the sight line is under 6x^2 - 5x at its ends and over it at x = 0.5.
    const TExample wave =
        Surface(kind::kSurface, 3, "6*x^2 - 5*x", {-1, 1}, {-1, 1}, {{-1, -1, -2}, {1, 1, 2}});
    struct Row {
        const char* what;
        const TExample& e;
        Vec3 p;
        int samples;
        bool hidden;
    };
    const Row rows[] = {
        {"under", flat, {0, 0, -1}, 12, true},
        {"over", flat, {0, 0, 1}, 12, false},
        {"sight line beside the square", flat, {3, 3, -1}, 12, false},
        {"on the surface", flat, {0.5L, 0.5L, 0}, 12, false},
        {"sight line above the box", high, {0, 0, 1.5L}, 12, false},
        {"the same in a taller box", tall, {0, 0, 1.5L}, 12, true},
        {"a crossing between samples", wave, {0, 0, -1}, 12, true},
        {"one check: the eye-side end only", wave, {0, 0, -1}, 1, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Hidden(Family::kExplicit, row.e, row.p, row.samples), row.hidden) << row.what;
    // Straight down from above the point: no direction in the plan, decided directly.
    Look({0.2L, 0.3L, 5}, unitBox);
    EXPECT_EQ((std::array{Hidden(Family::kExplicit, flat, {0.2L, 0.3L, -1}),
                          Hidden(Family::kExplicit, flat, {0.2L, 0.3L, 0.5L})}),
              (std::array{true, false}));
    Look({3, 0.3L, 5}, unitBox);
    EXPECT_FALSE(Hidden(Family::kExplicit, flat, {3, 0.3L, -1}));
}

TEST_F(SurfaceHidingTest, PolarSurfacesOnlyBetweenThePointAndTheEye) {
    const TExample flat = Surface(kind::kPolarSurface, 3, "0", {0, 1}, {0, 6.3L}, unitBox);
    const TExample roof =
        Surface(kind::kPolarSurface, 3, "3", {0, 1}, {0, 6.3L}, {{-1, -1, -5}, {1, 1, 5}});
    EXPECT_EQ((std::array{Hidden(Family::kPolar, flat, {-0.5L, 0, -0.5L}),
                          Hidden(Family::kPolar, flat, {-0.5L, 0, 0.5L}),
                          Hidden(Family::kPolar, roof, {-0.5L, 0, 2.5L}),
                          // The disc lies behind (2, 0, -1) as seen from the eye.
                          Hidden(Family::kPolar, roof, {2, 0, -1})}),
              (std::array{true, false, true, false}));
    // z = t over two turns of t: at the angle 0.3 its sheets lie at z = 0.3 and 0.3 + 2 pi. A
    // point at z = 1 seen from high above is hidden by the second sheet, which only a surface
    // with its extra turn has.
    constexpr long double kFourPi = 4 * 3.14159265358979323846L;
    TExample spiral =
        Surface(kind::kPolarSurface, 3, "t", {0, 1}, {0, kFourPi}, {{-1, -1, 0}, {1, 1, kFourPi}});
    const long double c = std::cos(0.3L), s = std::sin(0.3L);
    Look({0.6L * c, 0.6L * s, 100}, unitBox);
    const Vec3 between{0.5L * c, 0.5L * s, 1};
    const bool once = Hidden(Family::kPolar, spiral, between);
    spiral.subKind = 1;
    EXPECT_EQ((std::array{once, Hidden(Family::kPolar, spiral, between)}),
              (std::array{false, true}));
}

// z = t over one and a half turns, t from 0 to 3 pi, in a box up to 4 pi: the second sheet
// holds only the angles 0..pi. At the angle 0.3 the sheets lie at z = 0.3 and 0.3 + 2 pi and
// hide a point between them; at the angle 4 the one sheet lies at z = 4, and a second would
// need t = 4 + 2 pi (10.28), beyond the range, so a point above the sheet shows. The eye looks
// down from high above, radially outside the point (the sight line keeps its angle). A range
// given high end first is the same surface.
TEST_F(SurfaceHidingTest, APartialLastTurnHidesOnlyWhereItsRangeReaches) {
    constexpr long double kPi = 3.14159265358979323846L;
    const TBox3 tall{{-1, -1, 0}, {1, 1, 4 * kPi}};
    TExample forward = Surface(kind::kPolarSurface, 3, "t", {0, 1}, {0, 3 * kPi}, tall);
    TExample backward = Surface(kind::kPolarSurface, 3, "t", {0, 1}, {3 * kPi, 0}, tall);
    forward.subKind = backward.subKind = 1;
    const struct {
        const char* what;
        long double angle, z;
        bool hidden;
    } rows[] = {
        {"between the two sheets", 0.3L, 1, true},
        {"above the one sheet", 4, 5, false},
        {"under the one sheet", 4, 3, true},
        {"above both sheets", 0.3L, 7, false},
    };
    for (const auto& row : rows) {
        const long double c = std::cos(row.angle), s = std::sin(row.angle);
        Look({0.6L * c, 0.6L * s, 100}, unitBox);
        const Vec3 p{0.5L * c, 0.5L * s, row.z};
        EXPECT_EQ(
            (std::array{Hidden(Family::kPolar, forward, p), Hidden(Family::kPolar, backward, p)}),
            (std::array{row.hidden, row.hidden}))
            << row.what;
    }
}

// The flat ring z = 1/4 over r from 0.4 to 1.3 and t from -0.5 to 5.5 (less than a turn: the
// angles from 5.5 to 2 pi - 0.5 hold none of it), in a box from z = -2 to 2. A sight line meets
// the plane z = 1/4 at one point only, so a point hides exactly when that point lies on the
// ring: at a radius from 0.4 to 1.3 and an angle whose t lies in the range; the hole holds no
// sheet. The same ring with its r range, or its t range, given high end first.
TEST_F(SurfaceHidingTest, ACylindricalSurfaceHidesNothingThroughItsHole) {
    const TBox3 box{{-1.3L, -1.3L, -2}, {1.3L, 1.3L, 2}};
    const TExample rings[] = {
        Surface(kind::kPolarSurface, 3, "1/4", {0.4L, 1.3L}, {-0.5L, 5.5L}, box),
        Surface(kind::kPolarSurface, 3, "1/4", {1.3L, 0.4L}, {-0.5L, 5.5L}, box),
        Surface(kind::kPolarSurface, 3, "1/4", {0.4L, 1.3L}, {5.5L, -0.5L}, box),
    };
    const auto everyRing = [&](Vec3 p, int samples) {
        return std::array{Hidden(Family::kPolar, rings[0], p, samples),
                          Hidden(Family::kPolar, rings[1], p, samples),
                          Hidden(Family::kPolar, rings[2], p, samples)};
    };
    // From (0.3, 0.2, 20), a point at z = -1 on the line through where the row meets z = 1/4.
    const Vec3 eye{0.3L, 0.2L, 20};
    const struct {
        const char* what;
        long double radius, angle;
        bool hidden;
    } meets[] = {
        {"on the ring", 0.8L, 2.5L, true},
        {"just outside the hole", 0.41L, 2.5L, true},
        {"just inside the hole", 0.39L, 2.5L, false},
        {"just inside the rim", 1.29L, 1, true},
        {"just outside the rim", 1.31L, 1, false},
        {"at an angle t does not reach", 0.8L, -0.6L, false},
        {"just after t's start", 0.8L, -0.45L, true},
        {"just before t's end", 0.8L, -0.8L, true},
    };
    Look(eye, box);
    for (const auto& row : meets) {
        const Vec3 q{row.radius * std::cos(row.angle), row.radius * std::sin(row.angle), 0.25L};
        const Vec3 p = eye + ((eye.z + 1) / (eye.z - q.z)) * (q - eye);
        EXPECT_EQ(everyRing(p, 12), (std::array{row.hidden, row.hidden, row.hidden})) << row.what;
    }
    // From (-1, 0.1, z0) along (20, -1, k): the plan passes 0.05 from the axis, is in the hole
    // from s = 0.0301 to 0.0699 and leaves the disc at s = 0.1148, and the line meets z = 1/4 at
    // s = (1/4 - z0) / k: in the hole at (0, 0.05), or on the ring at a radius of 0.667 after
    // the hole, or of 0.672 before it, which one check sees only at the hole's edge: the far end
    // lies beyond the hole, and is not compared with the point's end.
    const struct {
        const char* what;
        long double z0, k;
        int samples;
        bool hidden;
    } across[] = {
        {"up through the hole, from under the ring to over it", 0, 5, 12, false},
        {"through the hole, then up through the ring", 0, 3, 12, true},
        {"up through the ring just before the hole", 0.2L, 3, 1, true},
    };
    for (const auto& row : across) {
        const Vec3 p{-1, 0.1L, row.z0};
        Look(p + Vec3{20, -1, row.k}, box);
        EXPECT_EQ(everyRing(p, row.samples), (std::array{row.hidden, row.hidden, row.hidden}))
            << row.what;
    }
}

// The helicoid z = (t - t0) / 2 pi over r from 0.4 to 1.3: over two whole turns from t0 = 0,
// and over two turns and 3 more from t0 = -0.5. At the seam, the angle t0, t on each turn jumps
// from its end back to its start while the surface runs on from one turn into the next: just
// before the seam its sheets lie at z = 1-, 2- and just after it at 0+, 1+ (and 2+ on the
// partial third turn). Each row is given in the frame turned by t0, from the point at the angle
// -0.1 (or 0.1) and radius 1, or from (0.995, 0.6), along x = 0.995 to its eye, within the disc
// up to y = +-0.837 (the angle +-0.699) and the box from z = -0.1 up. A range given high end first
// is the same surface, though the turn word a compilation gives it counts no turns.
TEST_F(SurfaceHidingTest, ASightLineAcrossTheSeamComparesNoTwoSheets) {
    constexpr long double kPi = 3.14159265358979323846L;
    const TBox3 box{{-1.3L, -1.3L, -0.1L}, {1.3L, 1.3L, 2.6L}};
    const struct {
        long double t0, t1;
        const char* height;
    } helicoids[] = {{0, 4 * kPi, "t / (2*pi)"}, {-0.5L, 4 * kPi + 2.5L, "(t + 0.5) / (2*pi)"}};
    const long double c = std::cos(0.1L), s = std::sin(0.1L);
    const struct {
        const char* what;
        Vec3 p, eye;
        int samples;
        bool hidden;
    } rows[] = {
        // z stays within 1.5 and 1.505: over the sheet at 1- and under the one at 2- before the
        // seam, over both sheets (at most 0.111 and 1.111) after it.
        {"across the seam between two sheets", {c, -s, 1.5L}, {0.995L, 20, 1.6L}, 12, false},
        {"the other way across the seam", {c, s, 1.5L}, {0.995L, -20, 1.6L}, 12, false},
        // Through the sheet of the first turn at z = 0.9949 before the seam (the line reaches
        // the seam at z = 0.970): the second check lies beyond the seam.
        {"down through the sheet before the seam", {c, -s, 1.05L}, {0.995L, 20, -15}, 2, true},
        // Through the sheet of the second turn at z = 1.0496 after the seam (at z = 1.393), and
        // before the second check (at z = 0.999).
        {"down through the sheet after the seam", {c, -s, 1.5L}, {0.995L, 20, -20}, 2, true},
        // z = 0.02 + 0.3 y, over the first turn's sheet (z = 0.16 y) before the seam, down to
        // the box's floor at y = -0.4 after it, where the sheets lie at 0.94 and 1.94 and above:
        // no sheet lies under where the first turn starts.
        {"down across the seam, under the start of t",
         {0.995L, 0.6L, 0.2L},
         {0.995L, -19.4L, -5.8L},
         12,
         false},
    };
    for (const auto& helicoid : helicoids) {
        TExample forward = Surface(kind::kPolarSurface, 3, helicoid.height, {0.4L, 1.3L},
                                   {helicoid.t0, helicoid.t1}, box);
        TExample backward = Surface(kind::kPolarSurface, 3, helicoid.height, {0.4L, 1.3L},
                                    {helicoid.t1, helicoid.t0}, box);
        forward.subKind = examples::AdditionalTurnsOf(helicoid.t0, helicoid.t1);
        backward.subKind = examples::AdditionalTurnsOf(helicoid.t1, helicoid.t0);
        const auto turned = [&helicoid](Vec3 v) {
            const long double cs = std::cos(helicoid.t0), sn = std::sin(helicoid.t0);
            return Vec3{cs * v.x - sn * v.y, sn * v.x + cs * v.y, v.z};
        };
        for (const auto& row : rows) {
            Look(turned(row.eye), box);
            const Vec3 p = turned(row.p);
            EXPECT_EQ((std::array{Hidden(Family::kPolar, forward, p, row.samples),
                                  Hidden(Family::kPolar, backward, p, row.samples)}),
                      (std::array{row.hidden, row.hidden}))
                << row.what << " from t0 = " << static_cast<double>(helicoid.t0);
        }
    }
}

// Sight lines through the axis, in the plane y = 0 (an eye in that plane, and a point of the
// x-axis): on each side of the axis the angle stays, 0 on the point's side and pi beyond, and
// each side lies on its half of a turn's sheet, read only where that half reaches; the halves
// meet on the axis. Over r from 0 to 1, in a box from z = -10 to 3:
// - z = r (t - 10), t from 0.5 to 0.5 + 3 pi: turn 1 reaches the angle pi (t = 9.42) and not
//   the angle 0 (t = 12.57, beyond the range). From (0.5, 0, 1) the line falls to 0.5 at the
//   axis and to -0.5 at r = 1 beyond, over that turn's sheet there (z = -0.58 r).
// - z = r (t - 12), t from 3.5 to 13: turn 1 reaches the angle 0 (t = 12.57, z = 0.57 r) and
//   not pi. From (0.5, 0, -0.4) the line rises to 0.1 at the axis, through that sheet at
//   r = 0.064 on the point's side.
// - z = (t - 0.5) / 2 pi, two turns from t = 0.5: the sheets lie at 0.92 and 1.92 at the angle 0
//   and at 0.42 and 1.42 at pi, and the surface holds the axis from z = 0 to 2. From
//   (0.5, 0, 0.9) the line runs down to 0.8 at the axis and 0.6 at r = 1 beyond, under the sheet
//   at 0.92 on one side and over the one at 0.42 on the other: it meets the surface on the axis,
//   where the two halves of the first turn's sheet meet.
// Each row is also given in the frame turned by 1 (its t range moved on by 1), where rounding
// leaves the line a hair beside the axis.
TEST_F(SurfaceHidingTest, ASightLineThroughTheAxisReadsEachSideOnItsOwnSheet) {
    constexpr long double kPi = 3.14159265358979323846L;
    const TBox3 box{{-1, -1, -10}, {1, 1, 3}};
    const struct {
        const char* what;
        const char* height;  // "turn" stands for the angle the frame is turned by
        long double t0, t1;
        Vec3 p, eye;
        bool hidden;
    } rows[] = {
        {"a sheet beyond the axis only, not crossed",
         "r * (t - turn - 10)",
         0.5L,
         0.5L + 3 * kPi,
         {0.5L, 0, 1},
         {-30, 0, -29.5L},
         false},
        {"a sheet before the axis only, crossed",
         "r * (t - turn - 12)",
         3.5L,
         13,
         {0.5L, 0, -0.4L},
         {-30, 0, 30.1L},
         true},
        {"between the sheets of two turns, through the axis they hold",
         "(t - turn - 0.5) / (2*pi)",
         0.5L,
         0.5L + 4 * kPi,
         {0.5L, 0, 0.9L},
         {-30, 0, -5.2L},
         true},
    };
    for (const int turn : {0, 1}) {
        const long double c = std::cos(turn), s = std::sin(turn);
        const auto turned = [c, s](Vec3 v) {
            return Vec3{c * v.x - s * v.y, s * v.x + c * v.y, v.z};
        };
        for (const auto& row : rows) {
            std::string height = row.height;
            height.replace(height.find("turn"), 4, std::to_string(turn));
            TExample e = Surface(kind::kPolarSurface, 3, height, {0, 1},
                                 {row.t0 + turn, row.t1 + turn}, box);
            e.subKind = examples::AdditionalTurnsOf(row.t0, row.t1);
            ASSERT_EQ(e.subKind, 1) << row.what;
            Look(turned(row.eye), box);
            EXPECT_EQ((std::array{Hidden(Family::kPolar, e, turned(row.p), 12),
                                  Hidden(Family::kPolar, e, turned(row.p), 1)}),
                      (std::array{row.hidden, row.hidden}))
                << row.what << ", turned by " << turn;
        }
    }
}

TEST_F(SurfaceHidingTest, ImplicitSurfacesStillHideWhenParametricsDoNot) {
    TExample level = Surface(kind::kImplicitSurface, 4, "z", {0, 1}, {0, 1}, unitBox);
    TExample turned = Surface(kind::kRevolution, 4, "z", {0, 1}, {0, 1}, unitBox);
    turned.subKind = kind::kImplicit;
    const TExample patch = FlatPatch(kind::kParametricSurface);
    const Vec3 under{0, 0.25L, -1};
    EXPECT_EQ((std::array{Hidden(Family::kImplicit, level, under),
                          Hidden(Family::kImplicit, level, {0, 0.25L, 1}),
                          Hidden(Family::kImplicit, turned, under, 12, false),
                          Hidden(Family::kMesh, patch, under, 12, false)}),
              (std::array{true, false, true, false}));
}

// The plan of an implicit surface is its box's x range by its y range: in a box four times as
// long in y as in x, points far out along y are hidden from below and seen from above.
TEST_F(SurfaceHidingTest, AnImplicitSurfaceHidesOverItsWholePlan) {
    const TBox3 longBox{{-1, -4, -1}, {1, 4, 1}};
    Look({5, 0, 5}, longBox);
    const TExample level = Surface(kind::kImplicitSurface, 4, "z", {0, 1}, {0, 1}, longBox);
    const struct {
        Vec3 p;
        bool hidden;
    } rows[] = {{{0, 3, -0.5L}, true},
                {{0, 3, 0.5L}, false},
                {{0.5L, -3.5L, -0.25L}, true},
                {{0.5L, -3.5L, 0.25L}, false}};
    for (const auto& row : rows)
        EXPECT_EQ(Hidden(Family::kImplicit, level, row.p), row.hidden)
            << row.p.x << ", " << row.p.y << ", " << row.p.z;
}

TEST_F(SurfaceHidingTest, MeshCellsAndPlanePatchesOnTheScreen) {
    const TExample patch = FlatPatch(kind::kParametricSurface);
    const TExample plane = FlatPatch(kind::kPlane);
    // (0, 0.25, -1) is seen through the cell of rows 3-4 and columns 2-3 (x 0.5..1, y 0..0.5).
    TExample torn = FlatPatch(kind::kParametricSurface);
    torn.points[3 * 5 + 2] = UndefinedMeshPoint();
    TExample raised = FlatPatch(kind::kParametricSurface);
    raised.points[3 * 5 + 2].z = 0.5L;  // above its flat box about z = 0
    // The square on the floor of a given box: its points lie on a face of the box, not out.
    TExample floor = FlatPatch(kind::kParametricSurface);
    SetBox(floor, {{-1, -1, 0}, {1, 1, 1}});
    const Vec3 under{0, 0.25L, -1}, over{0, 0.25L, 1};
    struct Row {
        const char* what;
        Family family;
        const TExample& e;
        Vec3 p;
        canvas::TLDRect window;
        bool hidden;
    };
    const canvas::TLDRect all{-100, 100, -100, 100}, elsewhere{50, 60, 50, 60};
    const Row rows[] = {
        {"303 behind", Family::kMesh, patch, under, all, true},
        {"303 in front", Family::kMesh, patch, over, all, false},
        {"a cell with an undefined corner", Family::kMesh, torn, under, all, false},
        {"a cell with a corner out of the box", Family::kMesh, raised, under, all, false},
        {"a square on the face of its box", Family::kMesh, floor, under, all, true},
        {"off the window", Family::kMesh, patch, under, elsewhere, false},
        {"315 behind", Family::kPlane, plane, under, all, true},
        {"315 in front", Family::kPlane, plane, over, all, false},
        {"315 off the window", Family::kPlane, plane, under, elsewhere, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Hidden(row.family, row.e, row.p, 12, true, row.window), row.hidden) << row.what;
}

TEST_F(SurfaceHidingTest, APlanePatchWithCollinearCornersHidesNothing) {
    // One cell: corners 0, 1 (the first row's end), 3 (the last) and 2 (the last row's start).
    TExample plane;
    plane.Init(kind::kPlane, 2, 50);
    plane.divisions = {1, 1, 36};
    plane.points[0] = {-1, -1, 0};
    plane.points[3] = {1, 1, 0};
    plane.points[2] = {1, -1, 0};
    // (-0.5, -0.5, -1) is seen through (0.42, -0.42, 0), under the diagonal of the square.
    const Vec3 under{-0.5L, -0.5L, -1};
    plane.points[1] = {-1, 1, 0};
    const bool square = Hidden(Family::kPlane, plane, under);
    plane.points[1] = {0, 0, 0};  // on the line of the first and the last corner
    EXPECT_EQ((std::array{square, Hidden(Family::kPlane, plane, under)}),
              (std::array{true, false}));
}

TEST_F(SurfaceHidingTest, CubeModeMeasuresTheSidesInBoxCoordinates) {
    // 0.05 over the square: in world lengths the eye's side (5) times the point's (0.05) passes
    // the threshold 0.1, so the cell does not separate them; in the picture's box coordinates
    // (z scaled by 1/200) the product is far below it.
    const TExample patch = FlatPatch(kind::kParametricSurface);
    const TBox3 scene{{-1, -1, -100}, {1, 1, 100}};
    const Vec3 justOver{0, 0.25L, 0.05L};
    Look({5, 0, 5}, scene);
    const bool world = Hidden(Family::kMesh, patch, justOver);
    Look({5, 0, 5}, scene, true);
    EXPECT_EQ((std::array{world, Hidden(Family::kMesh, patch, justOver)}),
              (std::array{false, true}));
}

// A drawing tests its points against several surfaces with the programs it keeps: the answers
// are those of single tests, also on the second round, when every program comes from the ones
// kept; a second drawing after a tree changed compiles the new tree.
TEST_F(SurfaceHidingTest, TheProgramsOfADrawingGiveTheAnswersOfSingleTests) {
    const TExample flat = Surface(kind::kSurface, 3, "0", {-1, 1}, {-1, 1}, unitBox);
    const TExample wave =
        Surface(kind::kSurface, 3, "6*x^2 - 5*x", {-1, 1}, {-1, 1}, {{-1, -1, -2}, {1, 1, 2}});
    const TExample disc = Surface(kind::kPolarSurface, 3, "0", {0, 1}, {0, 6.3L}, unitBox);
    const TExample level = Surface(kind::kImplicitSurface, 4, "z", {0, 1}, {0, 1}, unitBox);
    struct Row {
        Family family;
        const TExample& e;
        Vec3 p;
        bool hidden;
    };
    const Row rows[] = {
        {Family::kExplicit, flat, {0, 0, -1}, true},
        {Family::kPolar, disc, {-0.5L, 0, -0.5L}, true},
        {Family::kExplicit, wave, {0, 0, -1}, true},
        {Family::kImplicit, level, {0, 0.25L, -1}, true},
        {Family::kExplicit, flat, {0, 0, 1}, false},
        {Family::kPolar, disc, {-0.5L, 0, 0.5L}, false},
        {Family::kImplicit, level, {0, 0.25L, 1}, false},
        {Family::kExplicit, flat, {3, 3, -1}, false},
        {Family::kExplicit, wave, {0.5L, -0.25L, -1.5L}, false},  // under it up to x = 1
    };
    const THiddenLineView view{observer, box, {-100, 100, -100, 100}, 12, 0.1L, true};
    TSurfacePrograms programs(f);
    const auto shared = [&](const Row& row) {
        switch (row.family) {
            case Family::kExplicit:
                return IsHiddenByExplicitSurface(programs, row.e, view, row.p);
            case Family::kPolar:
                return IsHiddenByPolarSurface(programs, row.e, view, row.p);
            default:
                return IsHiddenByImplicitSurface(programs, row.e, view, row.p);
        }
    };
    for (int round = 0; round < 2; ++round) {
        for (const Row& row : rows) {
            EXPECT_EQ(shared(row), row.hidden) << "round " << round << ", row " << &row - rows;
            EXPECT_EQ(Hidden(row.family, row.e, row.p), row.hidden) << "row " << &row - rows;
        }
    }
    // A kept program is the one made first; another tree has its own.
    TExprNode* const flatTree = flat.trees[2].get();
    EXPECT_EQ((std::array{&programs.Of(flatTree) == &programs.Of(flatTree),
                          &programs.Of(flatTree) == &programs.Of(wave.trees[2].get())}),
              (std::array{true, false}));

    // The next drawing, after z = 0 became z = 2 in a box up to 3, sees the new surface.
    TExample changed = Surface(kind::kSurface, 3, "0", {-1, 1}, {-1, 1}, {{-1, -1, -1}, {1, 1, 3}});
    const Vec3 between{0, 0, 1.5L};
    TSurfacePrograms* active = nullptr;
    std::array<bool, 2> drawings{};
    for (bool& hidden : drawings) {
        const TSurfaceProgramScope drawing(active, f);
        hidden = IsHiddenByExplicitSurface(drawing.Programs(), changed, view, between);
        SetTree(changed, 3, "2");
    }
    EXPECT_EQ(drawings, (std::array{false, true}));
}

// The outermost scope makes the programs and takes them away as it ends; the scopes within it,
// a drawing's single tests, use the same.
TEST_F(SurfaceHidingTest, OnlyTheOutermostScopeMakesThePrograms) {
    TSurfacePrograms* active = nullptr;
    std::array<bool, 4> seen{};
    {
        const TSurfaceProgramScope drawing(active, f);
        seen[0] = active == &drawing.Programs();
        {
            const TSurfaceProgramScope test(active, f);
            seen[1] = &test.Programs() == &drawing.Programs();
        }
        seen[2] = active == &drawing.Programs();
    }
    seen[3] = active == nullptr;
    EXPECT_EQ(seen, (std::array{true, true, true, true}));
}

}  // namespace
}  // namespace quorlin::plot3d::hidden
